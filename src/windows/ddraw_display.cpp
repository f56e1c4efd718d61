// The display layer on DirectDraw 7: a flipping primary surface with one back buffer in exclusive
// full-screen mode.
//
// Results that matter are checked where they matter: the object, the cooperative level, the mode
// and the chain at start-up; the cooperative level, IsLost, the restore and the back-buffer fetch
// in CheckDisplay; the lock; and the busy answers that the wait loops spin on. The results of
// Blt, Unlock, a Flip that did not answer "still drawing", the logos' BltFast and BitBlt, and
// the GDI text calls are ignored on purpose (a refused GetDC only clears the handle): a failure
// there costs one frame's picture or text, and the next CheckDisplay deals with lost surfaces.
#include "windows/ddraw_display.h"

#include <cassert>

#include "platform/display.h"
#include "state/app_state.h"
#include "windows/gdi_logos.h"
#include "windows/win_platform.h"

// Wine refuses descriptions whose dwSize is not the size its own ABI uses.
static_assert(sizeof(DDSURFACEDESC2) == (sizeof(void*) == 8 ? 136 : 124),
              "DDSURFACEDESC2 has the layout DirectDraw expects");
static_assert(sizeof(DDBLTFX) == (sizeof(void*) == 8 ? 128 : 100),
              "DDBLTFX has the layout DirectDraw expects");

namespace {

constexpr DWORD kBytesPerPixel = 4;

// A flipping chain whose back buffer is smaller than this, or not this deep, is refused.
constexpr DWORD kRequiredWidth = screenWidth;
constexpr DWORD kRequiredHeight = screenHeight;
constexpr DWORD kRequiredBitsPerPixel = screenBpp;

HRESULT FetchBackBuffer() {
  DDSCAPS2 caps{};
  caps.dwCaps = DDSCAPS_BACKBUFFER;
  return Platform().primarySurface->GetAttachedSurface(&caps, &Platform().backBuffer);
}

HRESULT CheckBackBufferFormat() {
  DDSURFACEDESC2 desc{};
  desc.dwSize = sizeof(desc);
  const HRESULT result = Platform().backBuffer->GetSurfaceDesc(&desc);
  if (result != DD_OK) {
    return result;
  }
  if (desc.dwWidth < kRequiredWidth || desc.dwHeight < kRequiredHeight ||
      desc.ddpfPixelFormat.dwRGBBitCount != kRequiredBitsPerPixel) {
    return DDERR_UNSUPPORTEDMODE;
  }
  return DD_OK;
}

void ColourFill(RECT* area, std::uint32_t colour) {
  DDBLTFX fx{};
  fx.dwSize = sizeof(fx);
  fx.dwFillColor = colour;
  Platform().backBuffer->Blt(area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

}  // namespace

HRESULT OpenDisplay(HWND window) {
  IDirectDraw7*& ddraw = Platform().ddraw;
  HRESULT result =
      DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&ddraw), IID_IDirectDraw7, nullptr);
  if (result != DD_OK) {
    ddraw = nullptr;
    return result;
  }
  result = ddraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
  if (result != DD_OK) {
    return result;
  }
  return ddraw->SetDisplayMode(screenWidth, screenHeight, screenBpp, 0, 0);
}

HRESULT CreateFlipChain(std::int32_t backBufferCount) {
  WinPlatform& platform = Platform();
  if (platform.ddraw == nullptr) {
    return DDERR_NOTINITIALIZED;
  }
  DDSURFACEDESC2 desc{};
  desc.dwSize = sizeof(desc);
  desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  desc.dwBackBufferCount = static_cast<DWORD>(backBufferCount);
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  HRESULT result = platform.ddraw->CreateSurface(&desc, &platform.primarySurface, nullptr);
  if (result != DD_OK) {
    return result;
  }
  result = FetchBackBuffer();
  if (result != DD_OK) {
    return result;
  }
  return CheckBackBufferFormat();
}

void CloseDisplay() {
  WinPlatform& platform = Platform();
  if (platform.ddraw == nullptr) {
    return;
  }
  ReleaseLogoSurfaces();
  if (platform.primarySurface != nullptr) {
    platform.primarySurface->Release();
    platform.primarySurface = nullptr;
  }
  platform.ddraw->Release();
  platform.ddraw = nullptr;
}

HRESULT CreateOffscreenSurface(IDirectDrawSurface7** surface, std::int32_t width,
                               std::int32_t height) {
  *surface = nullptr;
  IDirectDraw7* ddraw = Platform().ddraw;
  if (ddraw == nullptr) {
    return DDERR_NOTINITIALIZED;
  }
  DDSURFACEDESC2 desc{};
  desc.dwSize = sizeof(desc);
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc.dwWidth = static_cast<DWORD>(width);
  desc.dwHeight = static_cast<DWORD>(height);
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
  const HRESULT result = ddraw->CreateSurface(&desc, surface, nullptr);
  if (result != DD_OK) {
    *surface = nullptr;
  }
  return result;
}

DisplayCheck CheckDisplay() {
  WinPlatform& platform = Platform();
  if (platform.ddraw->TestCooperativeLevel() == DDERR_NOEXCLUSIVEMODE) {
    return DisplayCheck::NotExclusive;
  }
  if (platform.primarySurface->IsLost() == DD_OK) {
    return DisplayCheck::Ready;
  }
  // Lost: restoring needs exclusive mode, which may have gone since the first test.
  if (platform.ddraw->TestCooperativeLevel() == DDERR_NOEXCLUSIVEMODE) {
    return DisplayCheck::Failed;
  }
  if (platform.ddraw->RestoreAllSurfaces() != DD_OK) {
    return DisplayCheck::Failed;
  }
  if (FetchBackBuffer() != DD_OK) {
    return DisplayCheck::Failed;
  }
  RefillLogoSurfaces();
  return DisplayCheck::Ready;
}

void FillCornerPixel() {
  RECT corner{0, 0, 1, 1};
  ColourFill(&corner, 0);
}

void FillBackBuffer(std::uint32_t colour) {
  ColourFill(nullptr, colour);
}

void WaitForBlitter() {
  while (Platform().backBuffer->GetBltStatus(DDGBS_ISBLTDONE) == DDERR_WASSTILLDRAWING) {
  }
}

FrameView LockBackBuffer() {
  // Only the pointer and the pitch outlive the lock, so the description stays local.
  DDSURFACEDESC2 lockDesc{};
  lockDesc.dwSize = sizeof(lockDesc);
  IDirectDrawSurface7* backBuffer = Platform().backBuffer;
  if (backBuffer->Lock(nullptr, &lockDesc, DDLOCK_WAIT, nullptr) != DD_OK) {
    return FrameView{};
  }
  const std::int32_t pitchPixels = lockDesc.lPitch / static_cast<LONG>(kBytesPerPixel);
  // A row shorter than the screen (or a bottom-up surface) would let pixel work run past it.
  if (lockDesc.lpSurface == nullptr || pitchPixels < screenWidth) {
    backBuffer->Unlock(nullptr);
    return FrameView{};
  }
  return {static_cast<std::uint32_t*>(lockDesc.lpSurface), pitchPixels, screenWidth, screenHeight};
}

void UnlockBackBuffer() {
  Platform().backBuffer->Unlock(nullptr);
}

void GetBackBufferDc() {
  // A refused GetDC must not leave the previous frame's released handle for the text to use.
  WinPlatform& platform = Platform();
  if (platform.backBuffer->GetDC(&platform.textDc) != DD_OK) {
    platform.textDc = nullptr;
  }
}

void ReleaseBackBufferDc() {
  Platform().backBuffer->ReleaseDC(Platform().textDc);
}

void FlipPage() {
  while (Platform().primarySurface->Flip(nullptr, 0) == DDERR_WASSTILLDRAWING) {
  }
}

// The frame's stages are DirectDraw's calls in the classic order.
DisplayCheck BeginFrame() {
  const DisplayCheck check = CheckDisplay();
  if (check == DisplayCheck::Ready) {
    FillCornerPixel();
  }
  return check;
}

void ClearFrame() {
  FillBackBuffer(0);
  WaitForBlitter();
}

// The frame is the display's own back buffer, made with the flip chain before the run.
bool TakeFrameMemory() {
  return true;
}

void GiveBackFrameMemory() {}

// The program shows one screen, its back buffer, at the classic size.
std::int32_t FramePictureCount() {
  return 1;
}

PictureSize FramePictureSize(std::int32_t) {
  return {screenWidth, screenHeight};
}

// The back buffer is the classic frame, which has the classic layout only.
void ShapeLayer([[maybe_unused]] const LayerLayout& layout) {
  assert(layout.width == screenWidth && layout.height == screenHeight);
}

// The back buffer is both layers, of the one picture.
FrameView LockFrame(FrameLayer, std::int32_t) {
  return LockBackBuffer();
}

void UnlockFrame() {
  UnlockBackBuffer();
}

void OpenFrameText() {
  GetBackBufferDc();
}

void CloseFrameText() {
  ReleaseBackBufferDc();
}

// The picture and the console layer are one: nothing to lay over the picture.
void FinishFrame(const FrameDescription&) {
  FlipPage();
}

// The flip is retried until the display takes it, at its vertical blank.
bool DisplayPacesFrames() {
  return true;
}
