#include "doubles/test_scene.h"

#include "app/scene.h"
#include "doubles/doubles.h"
#include "plasma/model_selection.h"
#include "ring/ring_generators.h"
#include "software/software_renderer.h"
#include "state/app_state.h"
#include "state/rng.h"
#include "state/simd_level.h"

namespace doubles {

void ResetApp() {
  AppState fresh{};
  ForEachSceneBuffer([&fresh](auto buffer) { fresh.*buffer = app.*buffer; });
  // A picture's buffers but its index field hold the same for every model.
  fresh.waveRadii = app.waveRadii;
  for (std::int32_t i = 0; i < kMostPictures; ++i) {
    fresh.fields[i] = app.fields[i];
    fresh.fields[i].indexReady = false;
  }
  fresh.classicTables = app.RADIUS != nullptr;
  fresh.settings.classic = true;
  fresh.renderer = &SoftwareRenderer();
  app = fresh;
}

void PrepareTestScene(std::uint32_t seed) {
  ResetApp();
  ResetDoubles();
  SeedRng(seed);
  // A process that set up only some buffers of its own (a benchmark, the fuzzer's start) gets the
  // full start-up, what it had given back first.
  if (app.RADIUS == nullptr || app.AngleWaveSums == nullptr || app.currentRing == nullptr ||
      app.targetRing == nullptr || app.ConsoleRaster == nullptr) {
    ForEachSceneBuffer([](auto buffer) {
      delete[](app.*buffer);
      app.*buffer = nullptr;
    });
    app.classicTables = false;
    PrepareScene();
    return;
  }
  // The tables are built already; the rest of start-up, with the same draws in the same order
  // (creating the rings is allocating them and starting a ring from black).
  app.simdLevel = WidestSimdLevel();
  SelectModel(-1);
  NewColorRing(1);
  app.modelClockMs = 0;
  app.sceneReady = true;
}

std::vector<SimdLevel> EverySimdLevel() {
  std::vector<SimdLevel> levels;
  for (std::int32_t level = 0; level <= static_cast<std::int32_t>(WidestSimdLevel()); ++level) {
    levels.push_back(static_cast<SimdLevel>(level));
  }
  return levels;
}

std::uint32_t RngStateAfter(std::uint32_t state, std::int32_t draws) {
  const std::uint32_t kept = app.rngState;
  app.rngState = state;
  for (std::int32_t i = 0; i < draws; ++i) {
    Rng();
  }
  const std::uint32_t after = app.rngState;
  app.rngState = kept;
  return after;
}

}  // namespace doubles
