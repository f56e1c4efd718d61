#include "app/scene.h"

#include <new>

#include "plasma/frame_composition.h"
#include "plasma/geometry_tables.h"
#include "plasma/model_selection.h"
#include "ring/ring_generators.h"
#include "state/app_state.h"
#include "state/simd_level.h"

namespace {

// Uninitialised storage, given back by EndRun (app/run.h); null when the heap cannot supply it.
std::int32_t* AllocateTable(std::int32_t entries) {
  return new (std::nothrow) std::int32_t[static_cast<std::size_t>(entries)];
}

}  // namespace

bool PrepareScene() {
  app.simdLevel = WidestSimdLevel();
  app.RADIUS = AllocateTable(kRadiusWaveEntries);
  app.WAVE = AllocateTable(kRadiusWaveEntries);
  app.ANGLE = AllocateTable(kGridEntries);
  app.IndexBuffer = AllocateTable(screenWidth * screenHeight);
  app.CosineTable = AllocateTable(ringSize);
  app.AngleWaveSums = new (std::nothrow) std::uint16_t[kDriftWindowEntries];
  if (app.RADIUS == nullptr || app.WAVE == nullptr || app.ANGLE == nullptr ||
      app.IndexBuffer == nullptr || app.CosineTable == nullptr || app.AngleWaveSums == nullptr) {
    return false;  // EndRun gives back what was obtained
  }
  BuildGeometryTables();
  BuildAngleWaveSums();
  SelectModel(-1);
  // The rings come after the model: their Rng draws follow the model's.
  if (!CreateColorRings()) {
    return false;
  }
  app.modelClockMs = 0;
  app.sceneReady = true;
  return true;
}
