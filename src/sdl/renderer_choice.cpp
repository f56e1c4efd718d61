#include "sdl/renderer_choice.h"

#include <cstdio>
#include <string>

#include "gl/gl_renderer.h"
#include "gl/self_check.h"
#include "sdl/gl_window.h"
#include "sdl/offscreen_gl.h"

namespace {

void Say(const char* renderer, const std::string& why) {
  std::fprintf(stderr, "chromaflux: %s renderer (%s)\n", renderer, why.c_str());
}

}  // namespace

bool PassesSelfCheck(const Renderer& gl) {
  std::string problem;
  if (!OpenOffscreenGl(kSelfCheckSize.width, kSelfCheckSize.height, problem)) {
    return false;
  }
  const bool passes = DrawsLikeSoftware(gl, OffscreenGlPicture);
  CloseOffscreenGl();
  return passes;
}

namespace {

// auto's tests, on a context of its own with no display: the driver is no processor rasteriser
// and draws the check's picture as the software renderer does. `why` names the driver, or what
// is missing.
bool AutoFindsGlWorthIt(std::string& why) {
  if (!OpenOffscreenGl(kSelfCheckSize.width, kSelfCheckSize.height, why)) {
    return false;
  }
  const std::string name = OffscreenGlRendererName();
  CloseOffscreenGl();
  why = name;
  if (IsSoftwareRasteriser(name)) {
    why += " draws on the processor";
    return false;
  }
  if (!PassesSelfCheck(GlRenderer())) {
    why += " failed the self-check";
    return false;
  }
  return true;
}

}  // namespace

bool ChooseOffscreenRenderer(RendererChoice choice, PictureSize size) {
  std::string why;
  if (choice == RendererChoice::Software) {
    return false;
  }
  if (choice == RendererChoice::Auto && !AutoFindsGlWorthIt(why)) {
    Say("software", why);
    return false;
  }
  if (!OpenOffscreenGl(size.width, size.height, why)) {
    if (choice == RendererChoice::Gl) {
      std::fprintf(stderr, "chromaflux: --renderer gl: %s\n", why.c_str());
    } else {
      Say("software", why);
    }
    return false;
  }
  Say("GL", OffscreenGlRendererName());
  return true;
}

WindowRenderer ChooseWindowRenderer(RendererChoice choice, SdlWindowOpener open, bool foreign) {
  std::string why;
  if (choice == RendererChoice::Software) {
    return open(SdlDrawing::Software) ? WindowRenderer::Software : WindowRenderer::NoWindow;
  }
  if (choice == RendererChoice::Auto && !AutoFindsGlWorthIt(why)) {
    Say("software", why);
    return open(SdlDrawing::Software) ? WindowRenderer::Software : WindowRenderer::NoWindow;
  }
  if (!open(SdlDrawing::Gl)) {
    return WindowRenderer::NoWindow;
  }
  if (OpenGlWindow(SdlDisplayWindow(), foreign, why)) {
    const std::string name = GlWindowRendererName();
    if (choice == RendererChoice::Gl || !IsSoftwareRasteriser(name)) {
      Say("GL", name);
      return WindowRenderer::Gl;
    }
    why = name + " draws on the processor";
    CloseGlWindow();
  }
  if (choice == RendererChoice::Gl) {
    std::fprintf(stderr, "chromaflux: --renderer gl: %s\n", why.c_str());
    return WindowRenderer::GlRefused;
  }
  Say("software", why);
  CloseSdlDisplay();
  return open(SdlDrawing::Software) ? WindowRenderer::Software : WindowRenderer::NoWindow;
}
