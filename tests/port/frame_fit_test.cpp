#include <gtest/gtest.h>

#include "software/frame_fit.h"

namespace {

struct Fit {
  std::int32_t outputWidth;
  std::int32_t outputHeight;
  FrameRect box;
  bool wholeScale;
  std::int32_t enlargementFactor;
};

TEST(FitFrame, LargestCentredFourByThreeBoxAtAnyScale) {
  const Fit fits[] = {
      {800, 600, {0, 0, 800, 600}, true, 1},
      {1600, 1200, {0, 0, 1600, 1200}, true, 2},
      {2560, 1440, {320, 0, 1920, 1440}, false, 3},  // wide: bars left and right
      {1920, 1080, {240, 0, 1440, 1080}, false, 2},
      {1366, 768, {171, 0, 1024, 768}, false, 2},  // an odd margin leaves the extra pixel right
      {3840, 2160, {480, 0, 2880, 2160}, false, 4},
      {1080, 1920, {0, 555, 1080, 810}, false, 2},  // tall: bars above and below
      {2400, 2000, {0, 100, 2400, 1800}, true, 3},
      {1000, 777, {0, 13, 1000, 750}, false, 2},
      {1001, 1000, {0, 125, 1001, 750}, false, 2},  // no exact 4:3 box: the short side rounds down
      {640, 480, {0, 0, 640, 480}, false, 1},       // smaller than the frame: reduced, not cropped
      {1024, 500, {179, 0, 666, 500}, false, 1},
      {0, 0, {0, 0, 0, 0}, false, 1},
  };
  for (const Fit& fit : fits) {
    const FrameRect box = FitFrame(fit.outputWidth, fit.outputHeight);
    const auto at = testing::Message() << fit.outputWidth << " x " << fit.outputHeight;
    EXPECT_EQ(box.x, fit.box.x) << at;
    EXPECT_EQ(box.y, fit.box.y) << at;
    EXPECT_EQ(box.width, fit.box.width) << at;
    EXPECT_EQ(box.height, fit.box.height) << at;
    EXPECT_EQ(IsWholeScale(box), fit.wholeScale) << at;
    EXPECT_EQ(EnlargementFactor(box), fit.enlargementFactor) << at;
  }
}

}  // namespace
