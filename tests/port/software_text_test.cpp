// Text into the memory frame: where an anchored text lands, its ink, its clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "platform/display.h"
#include "platform/text_output.h"
#include "software/glyph_atlas.h"
#include "software/memory_frame.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kWhiteInk = 0x00FFFFFF;
constexpr std::string_view kText = "MATH MODEL";

// The smallest box around every pixel that is not black.
struct InkBox {
  std::int32_t left = screenWidth, right = -1, top = screenHeight, bottom = -1;
};

InkBox FindInk() {
  InkBox box;
  for (std::int32_t y = 0; y < screenHeight; ++y) {
    for (std::int32_t x = 0; x < screenWidth; ++x) {
      if (LayerView().pixels[y * screenWidth + x] != 0) {
        box = {std::min(box.left, x), std::max(box.right, x), std::min(box.top, y),
               std::max(box.bottom, y)};
      }
    }
  }
  return box;
}

class SoftwareText : public testing::Test {
 protected:
  void SetUp() override {
    app = AppState{};
    ASSERT_TRUE(TakeFrameMemory());
  }
  void TearDown() override { GiveBackFrameMemory(); }

  InkBox Draw(TextAnchor anchor, std::int32_t x, std::int32_t y, std::uint32_t ink = kWhiteInk) {
    FillMemoryFrame(0);
    OpenFrameText();
    BeginText();
    SetTextInk(ink);
    SetTextAnchor(anchor);
    PutText(x, y, kText);
    EndText();
    CloseFrameText();
    return FindInk();
  }
};

TEST_F(SoftwareText, AnchorsPlaceTheTextAndYIsItsTop) {
  const std::int32_t width = TextWidth(kText);
  const GlyphBox& first = *FindGlyph(kText.front());
  const GlyphBox& last = *FindGlyph(kText.back());
  // The ink ends where the last glyph's box ends within its advance.
  const std::int32_t lastInkFromPenEnd = last.advance - (last.left + last.width);

  const InkBox left = Draw(TextAnchor::Left, 300, 100);
  EXPECT_EQ(left.left, 300 + first.left);
  EXPECT_EQ(left.right, 300 + width - lastInkFromPenEnd - 1);
  // Capitals reach from the cap line to the baseline, inside the cell below y.
  EXPECT_EQ(left.top, 100 + first.top);
  EXPECT_EQ(left.bottom, 100 + TextAscent() - 1);
  EXPECT_GE(left.top, 100);

  const InkBox centre = Draw(TextAnchor::Centre, 300, 100);
  EXPECT_EQ(centre.left, left.left - width / 2);
  EXPECT_EQ(centre.top, left.top);
  const InkBox right = Draw(TextAnchor::Right, 300, 100);
  EXPECT_EQ(right.left, left.left - width);
  EXPECT_EQ(right.right + lastInkFromPenEnd + 1, 300);
}

TEST_F(SoftwareText, InkIsColorrefBlendedOverThePixels) {
  // 0x00BBGGRR red ink over black: full coverage gives pure 0x00RRGGBB red, partial coverage a
  // darker red, never another hue.
  Draw(TextAnchor::Left, 10, 10, 0x000000FF);
  bool fullInk = false;
  const std::uint32_t* layer = LayerView().pixels;
  for (const std::uint32_t* p = layer; p != layer + screenWidth * 40; ++p) {
    EXPECT_EQ(*p & 0x00FFFF, 0u);
    fullInk = fullInk || *p == 0x00FF0000;
  }
  EXPECT_TRUE(fullInk);
}

TEST_F(SoftwareText, IsClippedAtEveryEdgeAndNeedsATarget) {
  // Under ASan a single write past the frame fails the test.
  for (const auto& [x, y] : {std::pair{-20, 100}, {790, 100}, {400, -5}, {400, 595}}) {
    const InkBox box = Draw(TextAnchor::Left, x, y);
    EXPECT_LE(box.right, screenWidth - 1);
    EXPECT_LE(box.bottom, screenHeight - 1);
    EXPECT_NE(box.right, -1) << "some of the text shows at " << x << ", " << y;
  }
  FillMemoryFrame(0);
  PutText(300, 100, kText);  // no OpenFrameText: nothing to draw on
  EXPECT_EQ(FindInk().right, -1);
}

}  // namespace
