#include "app/layer_layout.h"

#include <gtest/gtest.h>

#include "state/app_state.h"

namespace {

// Screens large enough keep the classic layout; small ones get text of 8 points at least, in
// whole picture pixels, on a layer the memory holds, the console narrow where 800 columns do not
// fit.
TEST(LayerLayout, ClassicWhereItCanBeReadElseLaidOutForTheScreen) {
  struct Case {
    PictureSize picture;
    double pixelsPerPoint;
    FrameContent content;
    LayerLayout layout;
  };
  constexpr FrameContent kIntro = FrameContent::IntroPage;
  constexpr FrameContent kVisuals = FrameContent::Visuals;
  const Case cases[] = {
      {{800, 600}, 1, kIntro, {800, 600, 1}},
      {{1920, 1080}, 1, kVisuals, {800, 600, 1.8}},
      {{800, 600}, 3, kIntro, {800, 600, 1}},              // the classic frame, whatever the screen
      {{1600, 1200}, 2, kIntro, {800, 600, 2}},            // 9 pixels at 2 a point: large enough
      {{1170, 2532}, 3, kIntro, {390, 844, 3}},            // a phone upright
      {{1170, 2532}, 3, kVisuals, {390, 600, 3}},          // the narrow console
      {{2532, 1170}, 3, kVisuals, {800, 600, 3}},          // on its side: the classic console
      {{333, 177}, 1, kVisuals, {374, 600, 8.0 / 9}},      // a small window
      {{150, 112}, 1, kVisuals, {800, 600, 150.0 / 800}},  // too small for the narrow console
      {{4000, 300}, 3, kIntro, {1333, 100, 3}},
  };
  for (const Case& c : cases) {
    const LayerLayout layout = ChooseLayerLayout(c.picture, c.content, c.pixelsPerPoint);
    const auto at = ::testing::Message()
                    << c.picture.width << " x " << c.picture.height << " at " << c.pixelsPerPoint;
    EXPECT_EQ(layout.width, c.layout.width) << at;
    EXPECT_EQ(layout.height, c.layout.height) << at;
    EXPECT_DOUBLE_EQ(layout.scale, c.layout.scale) << at;
    EXPECT_LE(static_cast<std::size_t>(layout.width) * layout.height, kLayerPixels) << at;
  }
}

}  // namespace
