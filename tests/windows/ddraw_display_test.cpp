// The display layer on Wine's real DirectDraw.
#include <gtest/gtest.h>

#include <ddraw.h>

#include "display_fixture.h"
#include "platform/display.h"
#include "state/app_state.h"
#include "windows/ddraw_display.h"
#include "windows/win_platform.h"

namespace {

std::size_t IndexOf(std::int32_t x, std::int32_t y) {
  return static_cast<std::size_t>(y) * screenWidth + x;
}

TEST_F(WineDisplay, ChainHasAScreenSizedBackBufferOf32Bits) {
  ASSERT_NE(Platform().ddraw, nullptr);
  ASSERT_NE(Platform().primarySurface, nullptr);
  ASSERT_NE(Platform().backBuffer, nullptr);
  DDSURFACEDESC2 desc{};
  desc.dwSize = sizeof(desc);
  ASSERT_EQ(Platform().backBuffer->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.dwWidth, 800u);
  EXPECT_EQ(desc.dwHeight, 600u);
  EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);
  EXPECT_EQ(CheckDisplay(), DisplayCheck::Ready);
}

TEST_F(WineDisplay, LockedPixelsAreRowsOfThePitchAndStayWritten) {
  const FrameView frame = LockBackBuffer();
  EXPECT_EQ(frame.pitch, 800);  // 3200 bytes
  ASSERT_NE(frame.pixels, nullptr);
  for (std::int32_t y = 0; y < screenHeight; ++y) {
    for (std::int32_t x = 0; x < screenWidth; ++x) {
      frame.pixels[y * frame.pitch + x] = static_cast<std::uint32_t>(x * 4099 + y * 7);
    }
  }
  UnlockBackBuffer();

  const std::vector<std::uint32_t> pixels = ReadBackBuffer();
  ASSERT_EQ(pixels.size(), IndexOf(0, screenHeight));
  for (std::int32_t y = 0; y < screenHeight; ++y) {
    for (std::int32_t x = 0; x < screenWidth; ++x) {
      ASSERT_EQ(pixels[IndexOf(x, y)], static_cast<std::uint32_t>(x * 4099 + y * 7) & kRgbMask)
          << "at " << x << ", " << y;
    }
  }
}

TEST_F(WineDisplay, FillsColourTheWholeBufferAndTheCornerPixel) {
  FillBackBuffer(0x00336699);
  WaitForBlitter();
  std::vector<std::uint32_t> pixels = ReadBackBuffer();
  ASSERT_EQ(pixels.size(), IndexOf(0, screenHeight));
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    ASSERT_EQ(pixels[i], 0x00336699u) << "at index " << i;
  }

  FillCornerPixel();
  pixels = ReadBackBuffer();
  EXPECT_EQ(pixels[IndexOf(0, 0)], 0u);
  EXPECT_EQ(pixels[IndexOf(1, 0)], 0x00336699u);
  EXPECT_EQ(pixels[IndexOf(0, 1)], 0x00336699u);
  EXPECT_EQ(pixels[IndexOf(799, 599)], 0x00336699u);
}

TEST_F(WineDisplay, FlipShowsTheBackBufferAndKeepsTheChain) {
  FillBackBuffer(0x00AA0000);
  FlipPage();
  DDSURFACEDESC2 desc{};
  desc.dwSize = sizeof(desc);
  ASSERT_EQ(Platform().primarySurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  const auto* shown = static_cast<const std::uint32_t*>(desc.lpSurface);
  const std::uint32_t centre = shown[300 * (desc.lPitch / 4) + 400] & kRgbMask;
  Platform().primarySurface->Unlock(nullptr);
  EXPECT_EQ(centre, 0x00AA0000u);

  // Frame after frame the chain stays usable.
  for (int frame = 0; frame < 3; ++frame) {
    ASSERT_EQ(CheckDisplay(), DisplayCheck::Ready);
    FillCornerPixel();
    ASSERT_NE(LockBackBuffer().pixels, nullptr);
    UnlockBackBuffer();
    GetBackBufferDc();
    EXPECT_NE(Platform().textDc, nullptr);
    ReleaseBackBufferDc();
    FlipPage();
  }
}

TEST_F(WineDisplay, LosingExclusiveModeSkipsFramesUntilItComesBack) {
  SendMessageA(window, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(CheckDisplay(), DisplayCheck::NotExclusive);
  // A frame drawn anyway would find no pixels to write.
  EXPECT_EQ(LockBackBuffer().pixels, nullptr);

  SendMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(CheckDisplay(), DisplayCheck::Ready);
  EXPECT_EQ(CheckDisplay(), DisplayCheck::Ready);
  FillBackBuffer(0x00010203);
  const std::vector<std::uint32_t> pixels = ReadBackBuffer();
  ASSERT_FALSE(pixels.empty());
  EXPECT_EQ(pixels[IndexOf(400, 300)], 0x00010203u);
}

TEST_F(WineDisplay, OffscreenSurfaceHasTheAskedSizeAndTheScreenDepth) {
  IDirectDrawSurface7* surface = nullptr;
  ASSERT_EQ(CreateOffscreenSurface(&surface, 166, 57), DD_OK);
  ASSERT_NE(surface, nullptr);
  DDSURFACEDESC2 desc{};
  desc.dwSize = sizeof(desc);
  ASSERT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.dwWidth, 166u);
  EXPECT_EQ(desc.dwHeight, 57u);
  EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);
  surface->Release();
}

TEST(WineDisplayClosed, CloseIsHarmlessBeforeOpenAndTwice) {
  Platform() = WinPlatform{};
  CloseDisplay();
  EXPECT_EQ(Platform().ddraw, nullptr);

  HWND window = CreateTestWindow();
  ASSERT_EQ(OpenDisplay(window), DD_OK);
  ASSERT_EQ(CreateFlipChain(1), DD_OK);
  CloseDisplay();
  EXPECT_EQ(Platform().ddraw, nullptr);
  EXPECT_EQ(Platform().primarySurface, nullptr);
  CloseDisplay();
  EXPECT_EQ(Platform().ddraw, nullptr);

  // Closing gave exclusive mode back: the display can be taken again.
  ASSERT_EQ(OpenDisplay(window), DD_OK);
  EXPECT_EQ(CreateFlipChain(1), DD_OK);
  CloseDisplay();
  Platform() = WinPlatform{};
}

TEST(WineDisplayClosed, NothingIsCreatedWithoutTheDirectDrawObject) {
  Platform() = WinPlatform{};
  EXPECT_NE(CreateFlipChain(1), DD_OK);
  EXPECT_EQ(Platform().primarySurface, nullptr);
  IDirectDrawSurface7* surface = reinterpret_cast<IDirectDrawSurface7*>(&Platform());
  EXPECT_NE(CreateOffscreenSurface(&surface, 166, 57), DD_OK);
  EXPECT_EQ(surface, nullptr);
}

}  // namespace
