// The logo surfaces against scripted DirectDraw objects: creation failures, the copy's arguments,
// and the refill after a restore (Wine keeps surface contents across a restore, so only a fake
// can show that the pictures come back).
#include <gtest/gtest.h>

#include "fake_ddraw.h"
#include "platform/display.h"
#include "platform/logo_surfaces.h"
#include "state/app_state.h"
#include "windows/ddraw_display.h"
#include "windows/win_platform.h"

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

// Every pixel different, so a shifted or partial copy shows.
std::uint32_t PatternAt(std::int32_t x, std::int32_t y) {
  return static_cast<std::uint32_t>(x) << 16 | static_cast<std::uint32_t>(y) << 8 | 0x5A;
}

void ExpectPattern(const fake::FakeSurface& surface, std::int32_t width, std::int32_t height) {
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      ASSERT_EQ(surface.PixelAt(x, y) & kRgbMask, PatternAt(x, y)) << "at " << x << ", " << y;
    }
  }
}

class FakeLogos : public ::testing::Test {
 protected:
  void SetUp() override {
    Platform() = WinPlatform{};
    primary.attached = &back;
    Platform().ddraw = &ddraw;
    Platform().primarySurface = &primary;
    Platform().backBuffer = &back;
    // DIB-backed memory DCs stand in for the DCs start-up selects the bitmaps into.
    PaintPattern(bitmap106, kLargeLogoWidth, kLargeLogoHeight);
    PaintPattern(bitmap107, kSmallLogoWidth, kSmallLogoHeight);
    Platform().logo106Dc = bitmap106.dc;
    Platform().logo107Dc = bitmap107.dc;
    ddraw.surfaces = {&logo106, &logo107};
  }

  void TearDown() override {
    EXPECT_EQ(ddraw.unexpectedCalls + back.unexpectedCalls + logo106.unexpectedCalls +
                  logo107.unexpectedCalls,
              0);
    Platform() = WinPlatform{};
  }

  static void PaintPattern(fake::FakeSurface& bitmap, std::int32_t width, std::int32_t height) {
    for (std::int32_t y = 0; y < height; ++y) {
      for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t p = PatternAt(x, y);
        SetPixel(bitmap.dc, x, y, RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF));
      }
    }
  }

  fake::FakeDirectDraw ddraw;
  fake::FakeSurface primary{screenWidth, screenHeight};
  fake::FakeSurface back{screenWidth, screenHeight};
  fake::FakeSurface bitmap106{kLargeLogoWidth, kLargeLogoHeight};
  fake::FakeSurface bitmap107{kSmallLogoWidth, kSmallLogoHeight};
  fake::FakeSurface logo106{kLargeLogoWidth, kLargeLogoHeight};
  fake::FakeSurface logo107{kSmallLogoWidth, kSmallLogoHeight};
};

TEST_F(FakeLogos, CreationCopiesEachBitmapIntoItsSurface) {
  CreateLogoSurfaces();
  ASSERT_EQ(Platform().logo106Surface, &logo106);
  ASSERT_EQ(Platform().logo107Surface, &logo107);
  ExpectPattern(logo106, kLargeLogoWidth, kLargeLogoHeight);
  ExpectPattern(logo107, kSmallLogoWidth, kSmallLogoHeight);
  EXPECT_EQ(logo106.releasedDcs, std::vector<HDC>{logo106.dc});
  EXPECT_EQ(logo107.releasedDcs, std::vector<HDC>{logo107.dc});
  ASSERT_EQ(ddraw.createdDescs.size(), 2u);
  EXPECT_EQ(ddraw.createdDescs[0].dwWidth, 166u);
  EXPECT_EQ(ddraw.createdDescs[0].dwHeight, 57u);
  EXPECT_EQ(ddraw.createdDescs[1].dwWidth, 200u);
  EXPECT_EQ(ddraw.createdDescs[1].dwHeight, 27u);
}

TEST_F(FakeLogos, BlitCopiesTheWholeLogoWithoutColourKeyAndWaits) {
  CreateLogoSurfaces();
  BlitLogo(Logo::Large, 634, 530);
  BlitLogo(Logo::Small, 300, 530);

  ASSERT_EQ(back.bltFasts.size(), 2u);
  const fake::BltFastCall& large = back.bltFasts[0];
  EXPECT_EQ(large.x, 634u);
  EXPECT_EQ(large.y, 530u);
  EXPECT_EQ(large.source, &logo106);
  EXPECT_EQ(large.sourceRect.left, 0);
  EXPECT_EQ(large.sourceRect.top, 0);
  EXPECT_EQ(large.sourceRect.right, 166);
  EXPECT_EQ(large.sourceRect.bottom, 57);
  EXPECT_EQ(large.flags, static_cast<DWORD>(DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT));

  const fake::BltFastCall& small = back.bltFasts[1];
  EXPECT_EQ(small.x, 300u);
  EXPECT_EQ(small.source, &logo107);
  EXPECT_EQ(small.sourceRect.right, 200);
  EXPECT_EQ(small.sourceRect.bottom, 27);
}

TEST_F(FakeLogos, ASurfaceThatCouldNotBeMadeIsNeitherFilledNorCopied) {
  ddraw.createSurface.answers = {DD_OK, DDERR_OUTOFVIDEOMEMORY};
  CreateLogoSurfaces();
  EXPECT_EQ(Platform().logo106Surface, &logo106);
  EXPECT_EQ(Platform().logo107Surface, nullptr);
  EXPECT_EQ(logo107.getDc.calls, 0);

  BlitLogo(Logo::Small, 300, 530);
  EXPECT_TRUE(back.bltFasts.empty());
  BlitLogo(Logo::Large, 634, 530);
  EXPECT_EQ(back.bltFasts.size(), 1u);

  // Neither exists before the first running frame made them.
  Platform().logo106Surface = nullptr;
  BlitLogo(Logo::Large, 634, 530);
  EXPECT_EQ(back.bltFasts.size(), 1u);
}

TEST_F(FakeLogos, ASurfaceWithoutDcIsLeftAlone) {
  logo106.getDc.answers = {DDERR_SURFACEBUSY};
  CreateLogoSurfaces();
  EXPECT_TRUE(logo106.releasedDcs.empty());
  ExpectPattern(logo107, kSmallLogoWidth, kSmallLogoHeight);
}

TEST_F(FakeLogos, RestoredSurfacesGetTheirPicturesBack) {
  CreateLogoSurfaces();
  // A healthy display refills nothing.
  ASSERT_EQ(CheckDisplay(), DisplayCheck::Ready);
  EXPECT_EQ(logo106.getDc.calls, 1);

  // A restore gives the memory back without its contents.
  logo106.Fill(0);
  logo107.Fill(0);
  primary.isLost.answers = {DDERR_SURFACELOST};
  ASSERT_EQ(CheckDisplay(), DisplayCheck::Ready);
  ExpectPattern(logo106, kLargeLogoWidth, kLargeLogoHeight);
  ExpectPattern(logo107, kSmallLogoWidth, kSmallLogoHeight);
  EXPECT_EQ(logo106.releasedDcs.size(), 2u);

  // A restore that fails ends the program: nothing to refill for.
  logo106.Fill(0);
  primary.isLost.answers = {DDERR_SURFACELOST};
  ddraw.restoreAllSurfaces.answers = {DDERR_WRONGMODE};
  ASSERT_EQ(CheckDisplay(), DisplayCheck::Failed);
  EXPECT_EQ(logo106.getDc.calls, 2);
}

TEST_F(FakeLogos, RestoreBeforeTheLogosExistOrWithOneMissingRefillsWhatThereIs) {
  primary.isLost.answers = {DDERR_SURFACELOST};
  ASSERT_EQ(CheckDisplay(), DisplayCheck::Ready);
  EXPECT_EQ(logo106.getDc.calls + logo107.getDc.calls, 0);

  ddraw.createSurface.answers = {DDERR_OUTOFVIDEOMEMORY, DD_OK};
  ddraw.surfaces = {&logo107};
  CreateLogoSurfaces();
  ASSERT_EQ(Platform().logo106Surface, nullptr);
  logo107.Fill(0);
  primary.isLost.answers = {DDERR_SURFACELOST};
  ASSERT_EQ(CheckDisplay(), DisplayCheck::Ready);
  ExpectPattern(logo107, kSmallLogoWidth, kSmallLogoHeight);
}

}  // namespace
