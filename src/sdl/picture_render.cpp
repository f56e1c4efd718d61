#include "sdl/picture_render.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/frame_driver.h"
#include "app/run.h"
#include "gl/gl_renderer.h"
#include "platform/clock.h"
#include "sdl/offscreen_gl.h"
#include "sdl/png_file.h"
#include "sdl/renderer_choice.h"
#include "sdl/stop_signal.h"
#include "sdl/video_clip.h"
#include "software/memory_frame.h"
#include "software/software_renderer.h"

namespace {

using Clock = std::chrono::steady_clock;

// What a run of frames writes to.
struct FrameOutput {
  const RenderSettings& settings;
  bool gl;             // the GL renderer draws, and its pictures are read back
  bool showsProgress;  // a clip's progress line goes to standard error, a terminal
  std::int32_t pass;   // which of the clip's passes this is
  Clock::time_point start;
};

// The picture the last frame left: the software renderer's in memory, or the GL renderer's read
// back.
FrameView RenderedPicture(bool gl) {
  return gl ? OffscreenGlPicture() : PictureView();
}

// "frame k of K, F frames a second, S s left", over itself.
void ShowProgress(const FrameOutput& output, std::int32_t written) {
  const std::int32_t passes = ClipPasses(output.settings.kind);
  const std::int64_t total = static_cast<std::int64_t>(output.settings.frames) * passes;
  const std::int64_t done =
      static_cast<std::int64_t>(output.settings.frames) * output.pass + written;
  const double seconds = std::chrono::duration<double>(Clock::now() - output.start).count();
  const double rate = seconds > 0 ? done / seconds : 0.0;
  std::fprintf(stderr, "\rchromaflux: frame %d of %d, %.1f frames a second, %.0f s left  ", written,
               output.settings.frames, rate, rate > 0 ? (total - done) / rate : 0.0);
  if (done == total) {
    std::fputc('\n', stderr);
  }
}

bool WriteFrame(const FrameOutput& output, std::int32_t written, std::string& problem) {
  const RenderSettings& settings = output.settings;
  const FrameView picture = RenderedPicture(output.gl);
  if (settings.kind == ClipKind::Png) {
    return WritePngFile(NumberedPngName(settings.file, written, settings.frames), picture, problem);
  }
  if (!WriteVideoFrame(picture, problem)) {
    return false;
  }
  if (output.showsProgress) {
    ShowProgress(output, written);
  }
  return true;
}

int RenderFrames(const FrameOutput& output) {
  const RenderSettings& settings = output.settings;
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
    if (StopRequested()) {
      std::fputs("chromaflux: stopped; the clip was not written\n", stderr);
      return 1;
    }
    if (tick < static_cast<std::uint32_t>(settings.atMs)) {
      continue;
    }
    ++written;
    std::string problem;
    if (!WriteFrame(output, written, problem)) {
      std::fprintf(stderr, "chromaflux: %s\n", problem.c_str());
      return 1;
    }
  }
  return 0;
}

// One run of the frames, into one pass of the clip where it is one.
int RenderPass(FrameOutput& output, const RunSettings& runSettings, std::uint32_t seed) {
  const RenderSettings& settings = output.settings;
  const bool video = settings.kind != ClipKind::Png;
  std::string problem;
  if (video && !OpenVideoClip(settings.file, settings.kind, output.pass,
                              {settings.width, settings.height}, settings.fps, problem)) {
    std::fprintf(stderr, "chromaflux: %s\n", problem.c_str());
    return 1;
  }
  SetVirtualClock(0);
  int result = 1;
  if (!StartRun(seed, RunOpening::Visuals, runSettings,
                output.gl ? GlRenderer() : SoftwareRenderer()) ||
      (!output.gl && !SetPictureSize(settings.width, settings.height))) {
    std::fprintf(stderr, "chromaflux: %s\n", output.gl ? GlRendererProblem() : "not enough memory");
  } else {
    result = RenderFrames(output);
  }
  EndRun();
  if (video && result == 0 && !CloseVideoClip(problem)) {
    std::fprintf(stderr, "chromaflux: %s\n", problem.c_str());
    result = 1;
  }
  return result;
}

}  // namespace

int RenderPictures(const RenderSettings& settings, const RunSettings& runSettings,
                   std::uint32_t seed, RendererChoice choice) {
  const PictureSize size{settings.width, settings.height};
  const bool gl = ChooseOffscreenRenderer(choice, size);
  if (!gl && choice == RendererChoice::Gl) {
    return 1;
  }
  const bool video = settings.kind != ClipKind::Png;
  if (video) {
    CatchStopSignals();  // an interrupted clip leaves nothing behind
  }
  FrameOutput output{settings, gl, video && isatty(STDERR_FILENO) == 1, 0, Clock::now()};
  int result = 0;
  for (; result == 0 && output.pass < (video ? ClipPasses(settings.kind) : 1); ++output.pass) {
    result = RenderPass(output, runSettings, seed);
  }
  AbandonVideoClip();
  CloseOffscreenGl();
  return result;
}
