#include "fake_ddraw.h"

namespace fake {

Script directDrawCreate;
FakeDirectDraw* directDraw = nullptr;
std::vector<bool> directDrawCreatePlain;

HRESULT Script::Next() {
  ++calls;
  if (answers.empty()) {
    return otherwise;
  }
  const HRESULT answer = answers.front();
  answers.pop_front();
  return answer;
}

// ---- FakeSurface ----

FakeSurface::FakeSurface(std::int32_t width, std::int32_t height)
    : lockPitchBytes(width * 4),
      descWidth(static_cast<DWORD>(width)),
      descHeight(static_cast<DWORD>(height)),
      width_(width),
      height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like a locked surface
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<std::uint32_t*>(bits);
  dc = CreateCompatibleDC(nullptr);
  previousBitmap_ = SelectObject(dc, bitmap_);
}

FakeSurface::~FakeSurface() {
  SelectObject(dc, previousBitmap_);
  DeleteDC(dc);
  DeleteObject(bitmap_);
}

std::uint32_t FakeSurface::PixelAt(std::int32_t x, std::int32_t y) const {
  GdiFlush();
  return bits_[static_cast<std::size_t>(y) * width_ + x];
}

void FakeSurface::Fill(std::uint32_t colour) {
  GdiFlush();
  for (std::int32_t i = 0; i < width_ * height_; ++i) {
    bits_[i] = colour;
  }
}

HRESULT FakeSurface::Unexpected() {
  ++unexpectedCalls;
  return DDERR_UNSUPPORTED;
}

HRESULT STDMETHODCALLTYPE FakeSurface::QueryInterface(REFIID, void**) {
  return Unexpected();
}
ULONG STDMETHODCALLTYPE FakeSurface::AddRef() {
  return 1;
}
ULONG STDMETHODCALLTYPE FakeSurface::Release() {
  ++releases;
  return 0;
}

HRESULT STDMETHODCALLTYPE FakeSurface::Blt(LPRECT destination, LPDIRECTDRAWSURFACE7 source, LPRECT,
                                           DWORD flags, LPDDBLTFX fx) {
  BltCall call{};
  if (destination != nullptr) {
    call.destination = *destination;
  }
  call.hasSource = source != nullptr;
  call.flags = flags;
  if (fx != nullptr) {
    call.fxSize = fx->dwSize;
    call.fillColour = fx->dwFillColor;
  }
  blts.push_back(call);
  return blt.Next();
}

HRESULT STDMETHODCALLTYPE FakeSurface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE7 source,
                                               LPRECT sourceRect, DWORD flags) {
  BltFastCall call{x, y, source, {}, flags};
  if (sourceRect != nullptr) {
    call.sourceRect = *sourceRect;
  }
  bltFasts.push_back(call);
  return bltFast.Next();
}

HRESULT STDMETHODCALLTYPE FakeSurface::Flip(LPDIRECTDRAWSURFACE7 targetOverride, DWORD flags) {
  flipOverrides.push_back(targetOverride != nullptr);
  flipFlags.push_back(flags);
  return flip.Next();
}

HRESULT STDMETHODCALLTYPE FakeSurface::GetAttachedSurface(LPDDSCAPS2 caps,
                                                          LPDIRECTDRAWSURFACE7* surface) {
  attachedCaps.push_back(caps->dwCaps);
  const HRESULT answer = getAttachedSurface.Next();
  *surface = answer == DD_OK ? attached : nullptr;
  return answer;
}

HRESULT STDMETHODCALLTYPE FakeSurface::GetBltStatus(DWORD flags) {
  bltStatusFlags.push_back(flags);
  return getBltStatus.Next();
}

HRESULT STDMETHODCALLTYPE FakeSurface::GetDC(HDC* result) {
  const HRESULT answer = getDc.Next();
  if (answer == DD_OK) {
    *result = dc;
  }
  return answer;
}

HRESULT STDMETHODCALLTYPE FakeSurface::GetSurfaceDesc(LPDDSURFACEDESC2 desc) {
  const HRESULT answer = getSurfaceDesc.Next();
  if (answer == DD_OK) {
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = descWidth;
    desc->dwHeight = descHeight;
    desc->lPitch = lockPitchBytes;
    desc->ddpfPixelFormat.dwSize = sizeof(desc->ddpfPixelFormat);
    desc->ddpfPixelFormat.dwFlags = DDPF_RGB;
    desc->ddpfPixelFormat.dwRGBBitCount = descBitsPerPixel;
  }
  return answer;
}

HRESULT STDMETHODCALLTYPE FakeSurface::IsLost() {
  return isLost.Next();
}

HRESULT STDMETHODCALLTYPE FakeSurface::Lock(LPRECT, LPDDSURFACEDESC2 desc, DWORD flags, HANDLE) {
  lockFlags.push_back(flags);
  lockDescSizes.push_back(desc->dwSize);
  const HRESULT answer = lock.Next();
  if (answer == DD_OK) {
    GdiFlush();
    desc->lpSurface = bits_;
    desc->lPitch = lockPitchBytes;
    desc->dwWidth = descWidth;
    desc->dwHeight = descHeight;
  }
  return answer;
}

HRESULT STDMETHODCALLTYPE FakeSurface::ReleaseDC(HDC released) {
  releasedDcs.push_back(released);
  return releaseDc.Next();
}

HRESULT STDMETHODCALLTYPE FakeSurface::Unlock(LPRECT) {
  return unlock.Next();
}

HRESULT STDMETHODCALLTYPE FakeSurface::AddAttachedSurface(LPDIRECTDRAWSURFACE7) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::AddOverlayDirtyRect(LPRECT) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::BltBatch(LPDDBLTBATCH, DWORD, DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::DeleteAttachedSurface(DWORD, LPDIRECTDRAWSURFACE7) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::EnumAttachedSurfaces(LPVOID, LPDDENUMSURFACESCALLBACK7) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::EnumOverlayZOrders(DWORD, LPVOID,
                                                          LPDDENUMSURFACESCALLBACK7) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetCaps(LPDDSCAPS2) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetClipper(LPDIRECTDRAWCLIPPER*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetColorKey(DWORD, LPDDCOLORKEY) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetFlipStatus(DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetOverlayPosition(LPLONG, LPLONG) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetPalette(LPDIRECTDRAWPALETTE*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetPixelFormat(LPDDPIXELFORMAT) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::Initialize(LPDIRECTDRAW, LPDDSURFACEDESC2) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::Restore() {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::SetClipper(LPDIRECTDRAWCLIPPER) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::SetColorKey(DWORD, LPDDCOLORKEY) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::SetOverlayPosition(LONG, LONG) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::SetPalette(LPDIRECTDRAWPALETTE) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::UpdateOverlay(LPRECT, LPDIRECTDRAWSURFACE7, LPRECT, DWORD,
                                                     LPDDOVERLAYFX) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::UpdateOverlayDisplay(DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::UpdateOverlayZOrder(DWORD, LPDIRECTDRAWSURFACE7) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetDDInterface(LPVOID*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::PageLock(DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::PageUnlock(DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::SetSurfaceDesc(LPDDSURFACEDESC2, DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::SetPrivateData(REFGUID, LPVOID, DWORD, DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetPrivateData(REFGUID, LPVOID, LPDWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::FreePrivateData(REFGUID) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetUniquenessValue(LPDWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::ChangeUniquenessValue() {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::SetPriority(DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetPriority(LPDWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::SetLOD(DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeSurface::GetLOD(LPDWORD) {
  return Unexpected();
}

// ---- FakeDirectDraw ----

HRESULT FakeDirectDraw::Unexpected() {
  ++unexpectedCalls;
  return DDERR_UNSUPPORTED;
}

HRESULT STDMETHODCALLTYPE FakeDirectDraw::QueryInterface(REFIID, void**) {
  return Unexpected();
}
ULONG STDMETHODCALLTYPE FakeDirectDraw::AddRef() {
  return 1;
}
ULONG STDMETHODCALLTYPE FakeDirectDraw::Release() {
  ++releases;
  return 0;
}

HRESULT STDMETHODCALLTYPE FakeDirectDraw::CreateSurface(LPDDSURFACEDESC2 desc,
                                                        LPDIRECTDRAWSURFACE7* surface, IUnknown*) {
  createdDescs.push_back(*desc);
  const HRESULT answer = createSurface.Next();
  *surface = nullptr;
  if (answer == DD_OK && !surfaces.empty()) {
    *surface = surfaces.front();
    surfaces.pop_front();
  }
  return answer;
}

HRESULT STDMETHODCALLTYPE FakeDirectDraw::RestoreAllSurfaces() {
  return restoreAllSurfaces.Next();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
  cooperativeWindows.push_back(window);
  cooperativeFlags.push_back(flags);
  return setCooperativeLevel.Next();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::SetDisplayMode(DWORD width, DWORD height,
                                                         DWORD bitsPerPixel, DWORD refreshRate,
                                                         DWORD flags) {
  displayModes.push_back({width, height, bitsPerPixel, refreshRate, flags});
  return setDisplayMode.Next();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::TestCooperativeLevel() {
  return testCooperativeLevel.Next();
}

HRESULT STDMETHODCALLTYPE FakeDirectDraw::Compact() {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::CreateClipper(DWORD, LPDIRECTDRAWCLIPPER*, IUnknown*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::CreatePalette(DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE*,
                                                        IUnknown*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::DuplicateSurface(LPDIRECTDRAWSURFACE7,
                                                           LPDIRECTDRAWSURFACE7*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::EnumDisplayModes(DWORD, LPDDSURFACEDESC2, LPVOID,
                                                           LPDDENUMMODESCALLBACK2) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::EnumSurfaces(DWORD, LPDDSURFACEDESC2, LPVOID,
                                                       LPDDENUMSURFACESCALLBACK7) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::FlipToGDISurface() {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetCaps(LPDDCAPS, LPDDCAPS) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetDisplayMode(LPDDSURFACEDESC2) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetFourCCCodes(LPDWORD, LPDWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetGDISurface(LPDIRECTDRAWSURFACE7*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetMonitorFrequency(LPDWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetScanLine(LPDWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetVerticalBlankStatus(WINBOOL*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::Initialize(GUID*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::RestoreDisplayMode() {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::WaitForVerticalBlank(DWORD, HANDLE) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetAvailableVidMem(LPDDSCAPS2, LPDWORD, LPDWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetSurfaceFromDC(HDC, LPDIRECTDRAWSURFACE7*) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::GetDeviceIdentifier(LPDDDEVICEIDENTIFIER2, DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::StartModeTest(LPSIZE, DWORD, DWORD) {
  return Unexpected();
}
HRESULT STDMETHODCALLTYPE FakeDirectDraw::EvaluateMode(DWORD, DWORD*) {
  return Unexpected();
}

}  // namespace fake

// Defined here, the linker takes this stand-in instead of ddraw.dll's import for the whole test
// executable, so OpenDisplay creates the fake object.
HRESULT WINAPI DirectDrawCreateEx(GUID* driver, LPVOID* object, REFIID iid, IUnknown* outer) {
  fake::directDrawCreatePlain.push_back(driver == nullptr && IsEqualIID(iid, IID_IDirectDraw7) &&
                                        outer == nullptr);
  const HRESULT answer = fake::directDrawCreate.Next();
  *object = answer == DD_OK ? static_cast<IDirectDraw7*>(fake::directDraw) : nullptr;
  return answer;
}
