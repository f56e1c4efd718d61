// One whole running frame through the native doubles of the Windows layer: the cost of the
// program's own work per frame, without the platform's.
#include <benchmark/benchmark.h>

#include "app/frame_driver.h"
#include "doubles/doubles.h"
#include "doubles/test_scene.h"
#include "state/app_state.h"

namespace {

// The heaviest ordinary frame: console fully open (panel, glow, text), the ring fading to black
// (three passes per 2 ms step), 16 ms frames.
void BM_RunFrame(benchmark::State& state) {
  doubles::PrepareTestScene(12345);
  app.started = 1;
  app.consoleOffset = 80;
  app.tabPressed = 1;
  app.playPeriodMs = kDefaultRandomPeriodMs;
  std::uint32_t tick = 0;
  for (auto _ : state) {
    app.modelClockMs = 19500;  // stays inside the fade-to-black window
    app.lastFrameTick = tick;
    tick += 16;
    doubles::clockTicks = tick;
    benchmark::DoNotOptimize(RunFrame());
    doubles::display.calls.clear();
    doubles::text.texts.clear();
    doubles::logos.blits.clear();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RunFrame)->Unit(benchmark::kMillisecond);

}  // namespace
