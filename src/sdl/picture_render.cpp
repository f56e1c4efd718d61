#include "sdl/picture_render.h"

#include <cstdio>
#include <string>

#include "app/frame_driver.h"
#include "app/run.h"
#include "sdl/png_file.h"
#include "sdl/sdl_clock.h"
#include "software/memory_frame.h"
#include "software/software_renderer.h"

namespace {

int RenderFrames(const RenderSettings& settings) {
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
    if (!WritePngFile(NumberedPngName(settings.file, written, settings.frames), PictureView(),
                      problem)) {
      std::fprintf(stderr, "chromaflux: %s\n", problem.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int RenderPictures(const RenderSettings& settings, const RunSettings& runSettings,
                   std::uint32_t seed) {
  SetVirtualClock(0);
  int result = 1;
  if (!StartRun(seed, RunOpening::Visuals, runSettings, SoftwareRenderer()) ||
      !SetPictureSize(settings.width, settings.height)) {
    std::fputs("chromaflux: not enough memory\n", stderr);
  } else {
    result = RenderFrames(settings);
  }
  EndRun();
  return result;
}
