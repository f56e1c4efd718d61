// The display layer against scripted DirectDraw objects. tests/README.md lists every failure path
// of the display and the logo surfaces with the test that covers it.
#include <gtest/gtest.h>

#include <cstdint>

#include "fake_ddraw.h"
#include "platform/display.h"
#include "state/app_state.h"
#include "windows/ddraw_display.h"
#include "windows/win_platform.h"

namespace {

constexpr DWORD kColourFillAndWait = DDBLT_COLORFILL | DDBLT_WAIT;
static_assert(kColourFillAndWait == 0x01000400);

// A flipping chain of fakes installed in the layer's record as CreateFlipChain leaves it.
class FakeDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    app = AppState{};
    Platform() = WinPlatform{};
    primary.attached = &back;
    Platform().ddraw = &ddraw;
    Platform().primarySurface = &primary;
    Platform().backBuffer = &back;
  }

  void TearDown() override {
    EXPECT_EQ(ddraw.unexpectedCalls, 0);
    EXPECT_EQ(primary.unexpectedCalls, 0);
    EXPECT_EQ(back.unexpectedCalls, 0);
    app = AppState{};
    Platform() = WinPlatform{};
  }

  fake::FakeDirectDraw ddraw;
  fake::FakeSurface primary{screenWidth, screenHeight};
  fake::FakeSurface back{screenWidth, screenHeight};
};

TEST_F(FakeDisplay, CheckDisplayReadyWithoutRestoringWhenNothingIsLost) {
  EXPECT_EQ(CheckDisplay(), DisplayCheck::Ready);
  EXPECT_EQ(ddraw.testCooperativeLevel.calls, 1);
  EXPECT_EQ(primary.isLost.calls, 1);
  EXPECT_EQ(ddraw.restoreAllSurfaces.calls, 0);
  EXPECT_EQ(primary.getAttachedSurface.calls, 0);
}

TEST_F(FakeDisplay, CheckDisplayNotExclusiveLooksAtNothingElse) {
  ddraw.testCooperativeLevel.answers = {DDERR_NOEXCLUSIVEMODE};
  EXPECT_EQ(CheckDisplay(), DisplayCheck::NotExclusive);
  EXPECT_EQ(primary.isLost.calls, 0);
  EXPECT_EQ(ddraw.restoreAllSurfaces.calls, 0);
}

TEST_F(FakeDisplay, CheckDisplayRestoresLostSurfacesAndFetchesTheBackBufferAgain) {
  fake::FakeSurface restoredBack{screenWidth, screenHeight};
  primary.attached = &restoredBack;
  primary.isLost.answers = {DDERR_SURFACELOST};

  EXPECT_EQ(CheckDisplay(), DisplayCheck::Ready);
  EXPECT_EQ(ddraw.testCooperativeLevel.calls, 2);
  EXPECT_EQ(ddraw.restoreAllSurfaces.calls, 1);
  ASSERT_EQ(primary.attachedCaps.size(), 1u);
  EXPECT_EQ(primary.attachedCaps[0], static_cast<DWORD>(DDSCAPS_BACKBUFFER));
  EXPECT_EQ(Platform().backBuffer, &restoredBack);

  // The next frame finds the restored chain healthy.
  EXPECT_EQ(CheckDisplay(), DisplayCheck::Ready);
  EXPECT_EQ(ddraw.restoreAllSurfaces.calls, 1);
}

TEST_F(FakeDisplay, CheckDisplayFailsWhenARestoreIsImpossible) {
  // Exclusive mode gone between the two tests: no restore is attempted.
  primary.isLost.answers = {DDERR_SURFACELOST};
  ddraw.testCooperativeLevel.answers = {DD_OK, DDERR_NOEXCLUSIVEMODE};
  EXPECT_EQ(CheckDisplay(), DisplayCheck::Failed);
  EXPECT_EQ(ddraw.restoreAllSurfaces.calls, 0);

  // The restore refused, for one because the mode was changed behind the program's back.
  primary.isLost.answers = {DDERR_SURFACELOST};
  ddraw.restoreAllSurfaces.answers = {DDERR_WRONGMODE};
  EXPECT_EQ(CheckDisplay(), DisplayCheck::Failed);
  EXPECT_EQ(ddraw.restoreAllSurfaces.calls, 1);
  EXPECT_EQ(primary.getAttachedSurface.calls, 0);

  // The back buffer cannot be fetched after the restore.
  primary.isLost.answers = {DDERR_SURFACELOST};
  primary.getAttachedSurface.answers = {DDERR_NOTFOUND};
  EXPECT_EQ(CheckDisplay(), DisplayCheck::Failed);
  EXPECT_EQ(ddraw.restoreAllSurfaces.calls, 2);
  EXPECT_EQ(primary.getAttachedSurface.calls, 1);
}

TEST_F(FakeDisplay, FlipPageRetriesOnlyWhileStillDrawing) {
  primary.flip.answers = {DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING};
  FlipPage();
  EXPECT_EQ(primary.flip.calls, 4);
  EXPECT_EQ(primary.flipFlags, std::vector<DWORD>(4, 0));
  EXPECT_EQ(primary.flipOverrides, std::vector<bool>(4, false));

  // A lost surface ends the flip at once; the next CheckDisplay deals with it.
  primary.flip.answers = {DDERR_SURFACELOST, DDERR_WASSTILLDRAWING};
  FlipPage();
  EXPECT_EQ(primary.flip.calls, 5);
}

TEST_F(FakeDisplay, WaitForBlitterLoopsUntilTheBlitsAreDone) {
  back.getBltStatus.answers = {DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING};
  WaitForBlitter();
  EXPECT_EQ(back.getBltStatus.calls, 4);
  EXPECT_EQ(back.bltStatusFlags, std::vector<DWORD>(4, DDGBS_ISBLTDONE));

  // Any answer but "still drawing" ends the wait, so a lost surface cannot hold the program.
  back.getBltStatus.answers = {DDERR_WASSTILLDRAWING, DDERR_SURFACELOST, DDERR_WASSTILLDRAWING};
  WaitForBlitter();
  EXPECT_EQ(back.getBltStatus.calls, 6);
}

TEST_F(FakeDisplay, LockBackBufferGivesPointerAndPitchOfAPaddedSurface) {
  back.lockPitchBytes = 832 * 4;
  const FrameView view = LockBackBuffer();
  EXPECT_EQ(view.pitch, 832);
  EXPECT_NE(view.pixels, nullptr);
  EXPECT_EQ(back.lockFlags, std::vector<DWORD>{DDLOCK_WAIT});
  EXPECT_EQ(back.lockDescSizes, std::vector<DWORD>{sizeof(DDSURFACEDESC2)});

  UnlockBackBuffer();
  EXPECT_EQ(back.unlock.calls, 1);
}

TEST_F(FakeDisplay, LockBackBufferRefusesAFailedLockAndAShortPitch) {
  back.lock.answers = {DDERR_SURFACELOST};
  EXPECT_EQ(LockBackBuffer().pixels, nullptr);
  EXPECT_EQ(back.unlock.calls, 0);

  // Locked, but rows of 799 pixels: writing 800 would run into the next row and past the end.
  back.lockPitchBytes = 799 * 4;
  EXPECT_EQ(LockBackBuffer().pixels, nullptr);
  EXPECT_EQ(back.unlock.calls, 1);
}

TEST_F(FakeDisplay, FillsAskTheBlitterForColourFillsAndWait) {
  FillCornerPixel();
  FillBackBuffer(0x00123456);

  ASSERT_EQ(back.blts.size(), 2u);
  const fake::BltCall& corner = back.blts[0];
  ASSERT_TRUE(corner.destination.has_value());
  EXPECT_EQ(corner.destination->left, 0);
  EXPECT_EQ(corner.destination->top, 0);
  EXPECT_EQ(corner.destination->right, 1);
  EXPECT_EQ(corner.destination->bottom, 1);
  EXPECT_FALSE(corner.hasSource);
  EXPECT_EQ(corner.flags, kColourFillAndWait);
  EXPECT_EQ(corner.fxSize, sizeof(DDBLTFX));
  EXPECT_EQ(corner.fillColour, 0u);

  const fake::BltCall& whole = back.blts[1];
  EXPECT_FALSE(whole.destination.has_value());
  EXPECT_FALSE(whole.hasSource);
  EXPECT_EQ(whole.flags, kColourFillAndWait);
  EXPECT_EQ(whole.fxSize, sizeof(DDBLTFX));
  EXPECT_EQ(whole.fillColour, 0x00123456u);
}

// The frame's stages do DirectDraw's work in the classic order: no corner fill for a skipped frame,
// the black fill before the wait for the blitter, an 800 x 600 view, one flip.
TEST_F(FakeDisplay, FrameStagesAreDirectDrawsCallsInTheirOrder) {
  ddraw.testCooperativeLevel.answers = {DDERR_NOEXCLUSIVEMODE};
  EXPECT_EQ(BeginFrame(), DisplayCheck::NotExclusive);
  EXPECT_TRUE(back.blts.empty());

  EXPECT_EQ(BeginFrame(), DisplayCheck::Ready);
  ASSERT_EQ(back.blts.size(), 1u);
  EXPECT_TRUE(back.blts[0].destination.has_value());
  EXPECT_EQ(back.getBltStatus.calls, 0);
  ClearFrame();
  ASSERT_EQ(back.blts.size(), 2u);
  EXPECT_FALSE(back.blts[1].destination.has_value());
  EXPECT_EQ(back.blts[1].fillColour, 0u);
  EXPECT_EQ(back.getBltStatus.calls, 1);

  const FrameView view = LockFrame(FrameLayer::Picture);
  ASSERT_NE(view.pixels, nullptr);
  EXPECT_EQ(view.width, screenWidth);
  EXPECT_EQ(view.height, screenHeight);
  UnlockFrame();
  OpenFrameText();
  EXPECT_EQ(Platform().textDc, back.dc);
  CloseFrameText();
  FinishFrame(FrameDescription{});
  EXPECT_EQ(primary.flip.calls, 1);
}

TEST_F(FakeDisplay, BackBufferDcGoesThroughTextDcAndBack) {
  GetBackBufferDc();
  EXPECT_EQ(Platform().textDc, back.dc);
  ReleaseBackBufferDc();
  EXPECT_EQ(back.releasedDcs, std::vector<HDC>{back.dc});

  // A refused GetDC leaves no stale handle behind for the text.
  back.getDc.answers = {DDERR_SURFACEBUSY};
  GetBackBufferDc();
  EXPECT_EQ(Platform().textDc, nullptr);
}

TEST_F(FakeDisplay, CloseDisplayReleasesPrimaryThenDirectDrawOnce) {
  CloseDisplay();
  EXPECT_EQ(primary.releases, 1);
  EXPECT_EQ(ddraw.releases, 1);
  EXPECT_EQ(Platform().primarySurface, nullptr);
  EXPECT_EQ(Platform().ddraw, nullptr);
  EXPECT_EQ(back.releases, 0);

  CloseDisplay();
  EXPECT_EQ(primary.releases, 1);
  EXPECT_EQ(ddraw.releases, 1);
}

TEST_F(FakeDisplay, CloseDisplayReleasesTheLogoSurfacesBeforeDirectDraw) {
  fake::FakeSurface large{166, 57};
  fake::FakeSurface small{200, 27};
  Platform().logo106Surface = &large;
  Platform().logo107Surface = &small;
  CloseDisplay();
  EXPECT_EQ(large.releases, 1);
  EXPECT_EQ(small.releases, 1);
  EXPECT_EQ(Platform().logo106Surface, nullptr);
  EXPECT_EQ(Platform().logo107Surface, nullptr);
  EXPECT_EQ(ddraw.releases, 1);
}

// OpenDisplay from a closed display, with the fake handed out by the test's DirectDrawCreateEx.
class FakeOpenDisplay : public FakeDisplay {
 protected:
  void SetUp() override {
    FakeDisplay::SetUp();
    Platform().ddraw = nullptr;
    Platform().primarySurface = nullptr;
    Platform().backBuffer = nullptr;
    fake::directDrawCreate = {};
    fake::directDraw = &ddraw;
    fake::directDrawCreatePlain.clear();
  }

  // Any handle: the fake only records it.
  HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));
};

TEST_F(FakeOpenDisplay, TakesExclusiveFullScreenModeAt800x600x32) {
  EXPECT_EQ(OpenDisplay(window), DD_OK);
  EXPECT_EQ(Platform().ddraw, &ddraw);
  EXPECT_EQ(fake::directDrawCreatePlain, std::vector<bool>{true});
  EXPECT_EQ(ddraw.cooperativeWindows, std::vector<HWND>{window});
  EXPECT_EQ(ddraw.cooperativeFlags, std::vector<DWORD>{0x11});
  ASSERT_EQ(ddraw.displayModes.size(), 1u);
  const fake::DisplayMode& mode = ddraw.displayModes[0];
  EXPECT_EQ(mode.width, 800u);
  EXPECT_EQ(mode.height, 600u);
  EXPECT_EQ(mode.bitsPerPixel, 32u);
  EXPECT_EQ(mode.refreshRate, 0u);
  EXPECT_EQ(mode.flags, 0u);
}

TEST_F(FakeOpenDisplay, StopsAtTheFirstRefusalAndReportsIt) {
  // No object: nothing else is asked, and no chain can be made without one.
  fake::directDrawCreate.answers = {DDERR_NODIRECTDRAWHW};
  EXPECT_EQ(OpenDisplay(window), DDERR_NODIRECTDRAWHW);
  EXPECT_EQ(Platform().ddraw, nullptr);
  EXPECT_EQ(ddraw.setCooperativeLevel.calls, 0);
  EXPECT_NE(CreateFlipChain(1), DD_OK);
  EXPECT_EQ(ddraw.createSurface.calls, 0);

  // Exclusive mode refused (another program holds it): the mode is left alone.
  ddraw.setCooperativeLevel.answers = {DDERR_EXCLUSIVEMODEALREADYSET};
  EXPECT_EQ(OpenDisplay(window), DDERR_EXCLUSIVEMODEALREADYSET);
  EXPECT_EQ(ddraw.setDisplayMode.calls, 0);

  // The mode refused (a screen that cannot show 800 x 600 x 32): start-up must not go on.
  ddraw.setDisplayMode.answers = {DDERR_UNSUPPORTED};
  EXPECT_EQ(OpenDisplay(window), DDERR_UNSUPPORTED);
  EXPECT_EQ(ddraw.setDisplayMode.calls, 1);
}

// CreateFlipChain and CreateOffscreenSurface, starting from an opened display without a chain.
class FakeFlipChain : public FakeDisplay {
 protected:
  void SetUp() override {
    FakeDisplay::SetUp();
    Platform().primarySurface = nullptr;
    Platform().backBuffer = nullptr;
    ddraw.surfaces = {&primary};
  }
};

TEST_F(FakeFlipChain, AsksForAFlippingPrimaryWithOneBackBuffer) {
  EXPECT_EQ(CreateFlipChain(1), DD_OK);
  ASSERT_EQ(ddraw.createdDescs.size(), 1u);
  const DDSURFACEDESC2& desc = ddraw.createdDescs[0];
  EXPECT_EQ(desc.dwSize, sizeof(DDSURFACEDESC2));
  EXPECT_EQ(desc.dwFlags, 0x21u);
  EXPECT_EQ(desc.dwBackBufferCount, 1u);
  EXPECT_EQ(desc.ddsCaps.dwCaps, 0x218u);
  EXPECT_EQ(desc.dwWidth, 0u);
  EXPECT_EQ(desc.dwHeight, 0u);
  EXPECT_EQ(primary.attachedCaps, std::vector<DWORD>{4});
  EXPECT_EQ(Platform().primarySurface, &primary);
  EXPECT_EQ(Platform().backBuffer, &back);
}

TEST_F(FakeFlipChain, PassesOnTheFailureOfEitherStep) {
  ddraw.createSurface.answers = {DDERR_NOEXCLUSIVEMODE};
  EXPECT_EQ(CreateFlipChain(1), DDERR_NOEXCLUSIVEMODE);
  EXPECT_EQ(primary.getAttachedSurface.calls, 0);

  ddraw.surfaces = {&primary};
  primary.getAttachedSurface.answers = {DDERR_NOTFOUND};
  EXPECT_EQ(CreateFlipChain(1), DDERR_NOTFOUND);
  EXPECT_EQ(back.getSurfaceDesc.calls, 0);

  Platform().ddraw = nullptr;
  EXPECT_NE(CreateFlipChain(1), DD_OK);
  EXPECT_EQ(ddraw.createSurface.calls, 2);
}

TEST_F(FakeFlipChain, RefusesABackBufferTheFramesCannotFill) {
  back.descWidth = 640;
  back.descHeight = 480;
  EXPECT_NE(CreateFlipChain(1), DD_OK);

  ddraw.surfaces = {&primary};
  back.descWidth = 800;
  back.descHeight = 600;
  back.descBitsPerPixel = 16;
  EXPECT_NE(CreateFlipChain(1), DD_OK);

  ddraw.surfaces = {&primary};
  back.descBitsPerPixel = 32;
  back.getSurfaceDesc.answers = {DDERR_SURFACELOST};
  EXPECT_EQ(CreateFlipChain(1), DDERR_SURFACELOST);

  // Larger than the screen is fine: frames step rows by the pitch and write 800 x 600.
  ddraw.surfaces = {&primary};
  back.descWidth = 1024;
  back.descHeight = 768;
  EXPECT_EQ(CreateFlipChain(1), DD_OK);
}

TEST_F(FakeFlipChain, OffscreenSurfaceHasTheGivenSizeInTheDisplayFormat) {
  fake::FakeSurface logo{166, 57};
  ddraw.surfaces = {&logo};
  IDirectDrawSurface7* surface = nullptr;
  EXPECT_EQ(CreateOffscreenSurface(&surface, 166, 57), DD_OK);
  EXPECT_EQ(surface, &logo);
  ASSERT_EQ(ddraw.createdDescs.size(), 1u);
  const DDSURFACEDESC2& desc = ddraw.createdDescs[0];
  EXPECT_EQ(desc.dwSize, sizeof(DDSURFACEDESC2));
  EXPECT_EQ(desc.dwFlags, 7u);
  EXPECT_EQ(desc.dwWidth, 166u);
  EXPECT_EQ(desc.dwHeight, 57u);
  EXPECT_EQ(desc.ddsCaps.dwCaps, 0x40u);
  EXPECT_EQ(desc.ddpfPixelFormat.dwSize, 0u);

  ddraw.createSurface.answers = {DDERR_OUTOFVIDEOMEMORY};
  EXPECT_EQ(CreateOffscreenSurface(&surface, 200, 27), DDERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(surface, nullptr);
}

}  // namespace
