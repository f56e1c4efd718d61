// One whole running frame of the SDL program on a real display, the present included: the
// processor time per frame that the program costs, with its own work and SDL's together. Needs an
// X display (scripts/x-session gives one; with `--screen 1920x1080x24` the frame is scaled to its
// 1440 x 1080 box, see docs/scaling.md); the frames follow each other unpaced.
#include <benchmark/benchmark.h>

#include <SDL2/SDL.h>

#include "app/frame_driver.h"
#include "app/run.h"
#include "platform/clock.h"
#include "sdl/sdl_display.h"
#include "software/software_renderer.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kFrameMs = 16;  // each frame covers 1/60 s, as when the display paces it

// The heaviest ordinary frame, as BM_RunFrame has it: console open, the ring fading to black.
void BM_SdlFrame(benchmark::State& state) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || !OpenSdlDisplay()) {
    state.SkipWithError(SDL_GetError());
    return;
  }
  if (!StartRun(12345, RunOpening::Visuals, RunSettings{}, SoftwareRenderer())) {
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
  CloseSdlDisplay();
  EndRun();
  SDL_Quit();
}
BENCHMARK(BM_SdlFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
