// Text output on the real back buffer's device context under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "display_fixture.h"
#include "platform/display.h"
#include "platform/text_output.h"
#include "state/app_state.h"
#include "windows/ddraw_display.h"
#include "windows/gdi_text.h"
#include "windows/win_platform.h"

namespace {

struct Box {
  std::int32_t left = screenWidth;
  std::int32_t top = screenHeight;
  std::int32_t right = -1;  // inclusive
  std::int32_t bottom = -1;

  bool Empty() const { return right < left; }
};

// The pixels in rows top ... top + 29 that differ from `background`.
Box InkedBox(const std::vector<std::uint32_t>& pixels, std::int32_t top, std::uint32_t background) {
  Box box;
  for (std::int32_t y = top; y < top + 30; ++y) {
    for (std::int32_t x = 0; x < screenWidth; ++x) {
      if (pixels[y * screenWidth + x] != background) {
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
      }
    }
  }
  return box;
}

class WineText : public WineDisplay {
 protected:
  void SetUp() override {
    WineDisplay::SetUp();
    // The font as start-up makes it from its window's device context.
    HDC windowDc = GetDC(window);
    CreateTextFont(windowDc);
    ReleaseDC(window, windowDc);
  }
  void TearDown() override {
    DeleteTextFont();
    WineDisplay::TearDown();
  }

  // One text pass on the back buffer, as a frame does it.
  static void DrawLines(std::uint32_t ink) {
    GetBackBufferDc();
    BeginText();
    SetTextInk(ink);
    SetTextAnchor(TextAnchor::Right);
    PutText(400, 100, "CHROMAFLUX");
    SetTextAnchor(TextAnchor::Left);
    PutText(400, 200, "CHROMAFLUX");
    SetTextAnchor(TextAnchor::Centre);
    PutText(400, 300, "CHROMAFLUX");
    PutText(400, 400, "");
    EndText();
    ReleaseBackBufferDc();
  }
};

TEST_F(WineText, AnchorsPlaceTheTextAroundXWithYAsItsTop) {
  FillBackBuffer(0);
  DrawLines(0x00FFFFFF);
  const std::vector<std::uint32_t> pixels = ReadBackBuffer();
  ASSERT_FALSE(pixels.empty());

  const Box right = InkedBox(pixels, 100, 0);
  ASSERT_FALSE(right.Empty());
  EXPECT_LT(right.right, 400);
  EXPECT_GT(right.right, 395);
  EXPECT_LT(right.left, 360);
  EXPECT_GE(right.top, 100);
  EXPECT_LT(right.bottom, 115);

  const Box left = InkedBox(pixels, 200, 0);
  ASSERT_FALSE(left.Empty());
  EXPECT_GE(left.left, 400);
  EXPECT_LT(left.left, 404);
  EXPECT_EQ(left.right - left.left, right.right - right.left);
  EXPECT_EQ(left.top - 200, right.top - 100);

  const Box centre = InkedBox(pixels, 300, 0);
  ASSERT_FALSE(centre.Empty());
  EXPECT_NEAR(centre.left + centre.right, 2 * 400, 4);
  EXPECT_EQ(centre.top - 300, right.top - 100);

  EXPECT_TRUE(InkedBox(pixels, 400, 0).Empty());
}

TEST_F(WineText, InkIsAColorrefAndTheBackgroundStaysTransparent) {
  // COLORREF 0x000000FF is pure red; on the screen that is 0x00FF0000.
  FillBackBuffer(0);
  DrawLines(0x000000FF);
  std::vector<std::uint32_t> pixels = ReadBackBuffer();
  ASSERT_FALSE(pixels.empty());
  std::uint32_t reddest = 0;
  for (std::uint32_t p : pixels) {
    ASSERT_EQ(p & 0x0000FFFF, 0u);
    reddest = std::max(reddest, p >> 16);
  }
  EXPECT_GE(reddest, 0x80u);

  // Dark ink on a mid-grey: an opaque (white) background box would show brighter pixels.
  FillBackBuffer(0x00808080);
  DrawLines(0x00000000);
  pixels = ReadBackBuffer();
  ASSERT_FALSE(pixels.empty());
  for (std::uint32_t p : pixels) {
    ASSERT_LE(p >> 16 & 0xFF, 0x80u);
    ASSERT_LE(p >> 8 & 0xFF, 0x80u);
    ASSERT_LE(p & 0xFF, 0x80u);
  }
  EXPECT_FALSE(InkedBox(pixels, 300, 0x00808080).Empty());
}

TEST_F(WineText, EndTextPutsTheReplacedFontBack) {
  GetBackBufferDc();
  const HGDIOBJ original = GetCurrentObject(Platform().textDc, OBJ_FONT);
  BeginText();
  EXPECT_EQ(GetCurrentObject(Platform().textDc, OBJ_FONT), Platform().textFont);
  EXPECT_EQ(GetBkMode(Platform().textDc), TRANSPARENT);
  SetTextAnchor(TextAnchor::Centre);
  EXPECT_EQ(GetTextAlign(Platform().textDc), static_cast<UINT>(TA_CENTER | TA_TOP));
  SetTextAnchor(TextAnchor::Right);
  EXPECT_EQ(GetTextAlign(Platform().textDc), static_cast<UINT>(TA_RIGHT | TA_TOP));
  SetTextInk(0x00112233);
  EXPECT_EQ(GetTextColor(Platform().textDc), 0x00112233u);
  EndText();
  EXPECT_EQ(GetCurrentObject(Platform().textDc, OBJ_FONT), original);
  ReleaseBackBufferDc();
}

}  // namespace
