#include "sdl/renderer_choice.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "app/frame_driver.h"
#include "app/run.h"
#include "gl/gl_renderer.h"
#include "sdl/gl_window.h"
#include "sdl/offscreen_gl.h"
#include "sdl/sdl_clock.h"
#include "software/memory_frame.h"
#include "software/software_renderer.h"

namespace {

// The self-check's picture: small, of no classic shape, model 0 (the term with the most to get
// wrong) 590 ms in, the ring most of the way faded in from black (only the frames within the
// fade advance it: a first frame later would find the ring black).
constexpr PictureSize kCheckSize{96, 54};
constexpr std::uint32_t kCheckSeed = 1;
constexpr std::int32_t kCheckModel = 0;
constexpr std::uint32_t kCheckTick = 590;

// One frame of the check's run drawn by `renderer`; empty where it could not be drawn.
std::vector<std::uint32_t> DrawCheckFrame(const Renderer& renderer, bool gl) {
  std::vector<std::uint32_t> pixels;
  SetVirtualClock(0);
  if (StartRun(kCheckSeed, RunOpening::Visuals, RunSettings{}, renderer) &&
      (gl || SetPictureSize(kCheckSize.width, kCheckSize.height))) {
    SwitchModel(kCheckModel);
    SetVirtualClock(kCheckTick);
    if (RunIdlePass() == 0) {
      const FrameView view = gl ? OffscreenGlPicture() : PictureView();
      if (view.pixels != nullptr) {
        pixels.assign(view.pixels,
                      view.pixels + static_cast<std::ptrdiff_t>(view.height) * view.pitch);
      }
    }
  }
  EndRun();
  return pixels;
}

void Say(const char* renderer, const std::string& why) {
  std::fprintf(stderr, "chromaflux: %s renderer (%s)\n", renderer, why.c_str());
}

}  // namespace

bool DrawsLikeSoftware(const Renderer& gl) {
  std::string problem;
  if (!OpenOffscreenGl(kCheckSize.width, kCheckSize.height, problem)) {
    return false;
  }
  const std::vector<std::uint32_t> drawn = DrawCheckFrame(gl, true);
  CloseOffscreenGl();
  return !drawn.empty() && drawn == DrawCheckFrame(SoftwareRenderer(), false);
}

namespace {

// auto's tests, on a context of its own with no display: the driver is no processor rasteriser
// and draws the check's picture as the software renderer does. `why` names the driver, or what
// is missing.
bool AutoFindsGlWorthIt(std::string& why) {
  if (!OpenOffscreenGl(kCheckSize.width, kCheckSize.height, why)) {
    return false;
  }
  const std::string name = OffscreenGlRendererName();
  CloseOffscreenGl();
  why = name;
  if (IsSoftwareRasteriser(name)) {
    why += " draws on the processor";
    return false;
  }
  if (!DrawsLikeSoftware(GlRenderer())) {
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
