// The logo surfaces on Wine's real DirectDraw and GDI.
#include <gtest/gtest.h>

#include <ddraw.h>

#include "display_fixture.h"
#include "platform/display.h"
#include "platform/logo_surfaces.h"
#include "state/app_state.h"
#include "windows/ddraw_display.h"
#include "windows/gdi_logos.h"
#include "windows/win_platform.h"

namespace {

// Every pixel different, so a shifted or partial copy shows.
std::uint32_t PatternAt(std::int32_t x, std::int32_t y, std::uint32_t blue) {
  return static_cast<std::uint32_t>(x) << 16 | static_cast<std::uint32_t>(y) << 8 | blue;
}

// A memory DC holding a 24-bit bitmap of the pattern, like the DCs start-up loads the logos into.
class PatternBitmap {
 public:
  PatternBitmap(std::int32_t width, std::int32_t height, std::uint32_t blue)
      : dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    previous_ = SelectObject(dc, bitmap_);
    for (std::int32_t y = 0; y < height; ++y) {
      for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t p = PatternAt(x, y, blue);
        SetPixel(dc, x, y, RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF));
      }
    }
    GdiFlush();
  }
  ~PatternBitmap() {
    SelectObject(dc, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc);
  }
  PatternBitmap(const PatternBitmap&) = delete;
  PatternBitmap& operator=(const PatternBitmap&) = delete;

  HDC dc;

 private:
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

void ExpectSurfacePattern(IDirectDrawSurface7* surface, std::int32_t width, std::int32_t height,
                          std::uint32_t blue) {
  DDSURFACEDESC2 desc{};
  desc.dwSize = sizeof(desc);
  ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  const auto* pixels = static_cast<const std::uint32_t*>(desc.lpSurface);
  std::int32_t mismatches = 0;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      mismatches += (pixels[y * (desc.lPitch / 4) + x] & kRgbMask) != PatternAt(x, y, blue);
    }
  }
  surface->Unlock(nullptr);
  EXPECT_EQ(mismatches, 0);
}

class WineLogos : public WineDisplay {
 protected:
  void SetUp() override {
    WineDisplay::SetUp();
    Platform().logo106Dc = large.dc;
    Platform().logo107Dc = small.dc;
  }

  PatternBitmap large{kLargeLogoWidth, kLargeLogoHeight, 0x11};
  PatternBitmap small{kSmallLogoWidth, kSmallLogoHeight, 0x22};
};

TEST_F(WineLogos, SurfacesHoldCopiesOfTheBitmaps) {
  CreateLogoSurfaces();
  ASSERT_NE(Platform().logo106Surface, nullptr);
  ASSERT_NE(Platform().logo107Surface, nullptr);
  ExpectSurfacePattern(Platform().logo106Surface, kLargeLogoWidth, kLargeLogoHeight, 0x11);
  ExpectSurfacePattern(Platform().logo107Surface, kSmallLogoWidth, kSmallLogoHeight, 0x22);
}

TEST_F(WineLogos, BlitsPutTheLogosWhereTheConsoleWantsThem) {
  CreateLogoSurfaces();
  FillBackBuffer(0);
  BlitLogo(Logo::Large, 634, 530);
  BlitLogo(Logo::Small, 300, 530);
  const std::vector<std::uint32_t> pixels = ReadBackBuffer();
  ASSERT_FALSE(pixels.empty());
  const auto at = [&](std::int32_t x, std::int32_t y) { return pixels[y * screenWidth + x]; };

  EXPECT_EQ(at(634, 530), PatternAt(0, 0, 0x11));
  EXPECT_EQ(at(799, 586), PatternAt(165, 56, 0x11));
  EXPECT_EQ(at(700, 550), PatternAt(66, 20, 0x11));
  EXPECT_EQ(at(300, 530), PatternAt(0, 0, 0x22));
  EXPECT_EQ(at(499, 556), PatternAt(199, 26, 0x22));
  // Nothing around them.
  EXPECT_EQ(at(633, 530), 0u);
  EXPECT_EQ(at(634, 529), 0u);
  EXPECT_EQ(at(634, 587), 0u);
  EXPECT_EQ(at(299, 530), 0u);
  EXPECT_EQ(at(500, 530), 0u);
  EXPECT_EQ(at(300, 557), 0u);
}

TEST_F(WineLogos, AMissingSurfaceCopiesNothing) {
  FillBackBuffer(0x00445566);
  BlitLogo(Logo::Large, 634, 530);
  BlitLogo(Logo::Small, 300, 530);
  const std::vector<std::uint32_t> pixels = ReadBackBuffer();
  ASSERT_FALSE(pixels.empty());
  EXPECT_EQ(pixels[530 * screenWidth + 634], 0x00445566u);
  EXPECT_EQ(pixels[530 * screenWidth + 300], 0x00445566u);
}

void ExpectBitmapSize(HGDIOBJ bitmap, std::int32_t width, std::int32_t height) {
  BITMAP info{};
  ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, width);
  EXPECT_EQ(info.bmHeight, height);
}

// The program's own resources (res/chromaflux.rc is linked into this executable).
TEST(WineLogoBitmaps, EachResourceGoesToItsContextAndGoesWithIt) {
  Platform() = WinPlatform{};
  HDC screenDc = GetDC(nullptr);
  LoadLogoBitmaps(GetModuleHandleA(nullptr), screenDc);
  ReleaseDC(nullptr, screenDc);
  const HGDIOBJ large = GetCurrentObject(Platform().logo106Dc, OBJ_BITMAP);
  const HGDIOBJ small = GetCurrentObject(Platform().logo107Dc, OBJ_BITMAP);
  ExpectBitmapSize(large, kLargeLogoWidth, kLargeLogoHeight);
  ExpectBitmapSize(small, kSmallLogoWidth, kSmallLogoHeight);

  FreeLogoBitmaps();
  EXPECT_EQ(Platform().logo106Dc, nullptr);
  EXPECT_EQ(Platform().logo107Dc, nullptr);
  EXPECT_EQ(GetObjectType(large), 0u);  // a deleted handle names no object
  EXPECT_EQ(GetObjectType(small), 0u);
}

TEST(WineLogosClosed, NoSurfacesWithoutTheDisplay) {
  Platform() = WinPlatform{};
  CreateLogoSurfaces();
  EXPECT_EQ(Platform().logo106Surface, nullptr);
  EXPECT_EQ(Platform().logo107Surface, nullptr);
}

}  // namespace
