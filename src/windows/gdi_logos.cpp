// The console logos on Windows: off-screen DirectDraw surfaces filled from the memory device
// contexts that start-up selected the bitmap resources into, copied with BltFast.
#include "windows/gdi_logos.h"

#include <initializer_list>

#include <ddraw.h>

#include "platform/logo_surfaces.h"
#include "windows/ddraw_display.h"
#include "windows/win_platform.h"

namespace {

constexpr WORD kLargeLogoResource = 106;  // res/chromaflux.rc
constexpr WORD kSmallLogoResource = 107;

struct LogoSource {
  IDirectDrawSurface7** surface;
  HDC bitmapDc;
  std::int32_t width;
  std::int32_t height;
};

LogoSource LargeLogo() {
  WinPlatform& platform = Platform();
  return {&platform.logo106Surface, platform.logo106Dc, kLargeLogoWidth, kLargeLogoHeight};
}

LogoSource SmallLogo() {
  WinPlatform& platform = Platform();
  return {&platform.logo107Surface, platform.logo107Dc, kSmallLogoWidth, kSmallLogoHeight};
}

// The bitmap lives in the context that holds it: no handle of its own is kept.
HDC LoadLogoBitmap(HINSTANCE instance, WORD resource, HDC screenDc) {
  const HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(resource));
  const HDC bitmapDc = CreateCompatibleDC(screenDc);
  if (SelectObject(bitmapDc, bitmap) == nullptr) {
    DeleteObject(bitmap);
  }
  return bitmapDc;
}

// A bitmap can be deleted only once no context holds it.
void FreeLogoBitmap(HDC& bitmapDc) {
  const HGDIOBJ bitmap = GetCurrentObject(bitmapDc, OBJ_BITMAP);
  DeleteDC(bitmapDc);
  DeleteObject(bitmap);
  bitmapDc = nullptr;
}

// Copies the bitmap into the surface through the surface's device context.
void FillLogo(const LogoSource& logo) {
  HDC surfaceDc = nullptr;
  if ((*logo.surface)->GetDC(&surfaceDc) != DD_OK) {
    return;
  }
  BitBlt(surfaceDc, 0, 0, logo.width, logo.height, logo.bitmapDc, 0, 0, SRCCOPY);
  (*logo.surface)->ReleaseDC(surfaceDc);
}

void CreateLogo(const LogoSource& logo) {
  if (CreateOffscreenSurface(logo.surface, logo.width, logo.height) == DD_OK) {
    FillLogo(logo);
  }
}

void RefillLogo(const LogoSource& logo) {
  if (*logo.surface != nullptr) {
    FillLogo(logo);
  }
}

}  // namespace

void LoadLogoBitmaps(HINSTANCE instance, HDC screenDc) {
  WinPlatform& platform = Platform();
  platform.logo106Dc = LoadLogoBitmap(instance, kLargeLogoResource, screenDc);
  platform.logo107Dc = LoadLogoBitmap(instance, kSmallLogoResource, screenDc);
}

void FreeLogoBitmaps() {
  FreeLogoBitmap(Platform().logo106Dc);
  FreeLogoBitmap(Platform().logo107Dc);
}

void CreateLogoSurfaces() {
  CreateLogo(LargeLogo());
  CreateLogo(SmallLogo());
}

void RefillLogoSurfaces() {
  RefillLogo(LargeLogo());
  RefillLogo(SmallLogo());
}

void ReleaseLogoSurfaces() {
  WinPlatform& platform = Platform();
  for (IDirectDrawSurface7** surface : {&platform.logo106Surface, &platform.logo107Surface}) {
    if (*surface != nullptr) {
      (*surface)->Release();
      *surface = nullptr;
    }
  }
}

void BlitLogo(Logo logo, std::int32_t x, std::int32_t y) {
  const LogoSource source = logo == Logo::Large ? LargeLogo() : SmallLogo();
  if (*source.surface == nullptr) {
    return;
  }
  RECT whole{0, 0, source.width, source.height};
  // DDBLTFAST_WAIT: a busy blitter would otherwise answer "still drawing", and since the result
  // is not looked at, the logo would silently drop out of that frame and flicker. The wait is as
  // short as the fills' DDBLT_WAIT; refusals such as a lost surface still return at once.
  Platform().backBuffer->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), *source.surface,
                                 &whole, DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT);
}
