// The console logos on Windows: off-screen DirectDraw surfaces filled from the memory device
// contexts that start-up selected the bitmap resources into, copied with BltFast.
#include "windows/gdi_logos.h"

#include <initializer_list>

#include <windows.h>

#include <ddraw.h>

#include "platform/logo_surfaces.h"
#include "state/app_state.h"
#include "windows/ddraw_display.h"

namespace {

struct LogoSource {
  IDirectDrawSurface7** surface;
  HDC bitmapDc;
  std::int32_t width;
  std::int32_t height;
};

LogoSource LargeLogo() {
  return {&app.logo106Surface, app.logo106Dc, kLargeLogoWidth, kLargeLogoHeight};
}

LogoSource SmallLogo() {
  return {&app.logo107Surface, app.logo107Dc, kSmallLogoWidth, kSmallLogoHeight};
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

void CreateLogoSurfaces() {
  CreateLogo(LargeLogo());
  CreateLogo(SmallLogo());
}

void RefillLogoSurfaces() {
  RefillLogo(LargeLogo());
  RefillLogo(SmallLogo());
}

void ReleaseLogoSurfaces() {
  for (IDirectDrawSurface7** surface : {&app.logo106Surface, &app.logo107Surface}) {
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
  app.backBuffer->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), *source.surface, &whole,
                          DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT);
}
