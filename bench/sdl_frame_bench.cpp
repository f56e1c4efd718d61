// One whole running frame of the SDL program on a real display, the present included: the
// processor time per frame that the program costs, with its own work and SDL's together, drawn by
// the software renderer (/0) or the GL renderer (/1) at the screen's resolution. Needs an X
// display (scripts/x-session --screen WxHx24 gives one). With GALLIUM_NOOP=1 Mesa throws the GL
// drawing away: what the GL renderer leaves the processor on a machine with a graphics processor.
#include <benchmark/benchmark.h>

#include <SDL2/SDL.h>

#include <string>

#include "app/frame_driver.h"
#include "app/run.h"
#include "gl/gl_renderer.h"
#include "platform/clock.h"
#include "sdl/gl_window.h"
#include "sdl/sdl_display.h"
#include "software/software_renderer.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kFrameMs = 16;  // each frame covers 1/60 s, as when the display paces it

// The heaviest ordinary frame, as BM_RunFrame has it: console open, the ring fading to black.
void BM_SdlFrame(benchmark::State& state) {
  const bool gl = state.range(0) == 1;
  std::string problem;
  if (SDL_Init(SDL_INIT_VIDEO) != 0 ||
      !OpenSdlDisplay(gl ? SdlDrawing::Gl : SdlDrawing::Software) ||
      (gl && !OpenGlWindow(SdlDisplayWindow(), false, problem))) {
    state.SkipWithError(problem.empty() ? SDL_GetError() : problem.c_str());
    return;
  }
  if (!StartRun(12345, RunOpening::Visuals, RunSettings{},
                gl ? GlRenderer() : SoftwareRenderer())) {
    state.SkipWithError("not enough memory");
    return;
  }
  app.consoleOffset = 80;
  for (auto _ : state) {
    app.modelClockMs = 19500;  // stays inside the fade-to-black window
    app.lastFrameTick = GetTicks() - kFrameMs;
    SDL_PumpEvents();
    benchmark::DoNotOptimize(RunFrame());
  }
  state.SetItemsProcessed(state.iterations());
  EndRun();
  CloseGlWindow();
  CloseSdlDisplay();
  SDL_Quit();
}
BENCHMARK(BM_SdlFrame)
    ->ArgName("gl")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

}  // namespace
