#include "sdl/picture_render.h"

#include <cstdio>
#include <string>

#include "app/frame_driver.h"
#include "app/run.h"
#include "gl/gl_renderer.h"
#include "sdl/offscreen_gl.h"
#include "sdl/png_file.h"
#include "sdl/renderer_choice.h"
#include "sdl/sdl_clock.h"
#include "software/memory_frame.h"
#include "software/software_renderer.h"

namespace {

// The picture the last frame left: the software renderer's in memory, or the GL renderer's read
// back.
FrameView RenderedPicture(bool gl) {
  return gl ? OffscreenGlPicture() : PictureView();
}

int RenderFrames(const RenderSettings& settings, bool gl) {
  if (settings.model.has_value()) {
    SwitchModel(*settings.model);  // at tick 0, as the arrow keys would
  }
  std::int32_t written = 0;
  for (std::int64_t k = 1; written < settings.frames; ++k) {
    const auto tick = static_cast<std::uint32_t>(k * kMillisecondsPerSecond / settings.fps);
    SetVirtualClock(tick);
    if (RunIdlePass() != 0) {
      std::fputs("chromaflux: a frame could not be drawn\n", stderr);
      return 1;
    }
    if (tick < static_cast<std::uint32_t>(settings.atMs)) {
      continue;
    }
    ++written;
    std::string problem;
    if (!WritePngFile(NumberedPngName(settings.file, written, settings.frames), RenderedPicture(gl),
                      problem)) {
      std::fprintf(stderr, "chromaflux: %s\n", problem.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int RenderPictures(const RenderSettings& settings, const RunSettings& runSettings,
                   std::uint32_t seed, RendererChoice choice) {
  const PictureSize size{settings.width, settings.height};
  const bool gl = ChooseOffscreenRenderer(choice, size);
  if (!gl && choice == RendererChoice::Gl) {
    return 1;
  }
  SetVirtualClock(0);
  int result = 1;
  if (!StartRun(seed, RunOpening::Visuals, runSettings, gl ? GlRenderer() : SoftwareRenderer()) ||
      (!gl && !SetPictureSize(settings.width, settings.height))) {
    std::fprintf(stderr, "chromaflux: %s\n", gl ? GlRendererProblem() : "not enough memory");
  } else {
    result = RenderFrames(settings, gl);
  }
  EndRun();
  CloseOffscreenGl();
  return result;
}
