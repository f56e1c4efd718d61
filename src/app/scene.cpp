#include "app/scene.h"

#include <new>

#include "plasma/frame_composition.h"
#include "plasma/geometry_tables.h"
#include "plasma/model_selection.h"
#include "ring/ring_generators.h"
#include "state/app_state.h"
#include "state/simd_level.h"
#include "ui/console_panel.h"

namespace {

// Uninitialised storage, given back by EndRun (app/run.h); null when the heap cannot supply it.
template <typename T>
T* Allocate(std::int32_t entries) {
  return new (std::nothrow) T[static_cast<std::size_t>(entries)];
}

template <typename T>
void GiveBack(T*& buffer) {
  delete[] buffer;
  buffer = nullptr;
}

}  // namespace

bool PrepareClassicField() {
  if (app.classicTables) {
    return true;
  }
  app.RADIUS = Allocate<std::int32_t>(kRadiusWaveEntries);
  app.WAVE = Allocate<std::int32_t>(kRadiusWaveEntries);
  app.ANGLE = Allocate<std::int32_t>(kGridEntries);
  app.IndexBuffer = Allocate<std::int32_t>(screenWidth * screenHeight);
  app.AngleWaveSums = Allocate<std::uint16_t>(kDriftWindowEntries);
  if (app.RADIUS == nullptr || app.WAVE == nullptr || app.ANGLE == nullptr ||
      app.IndexBuffer == nullptr || app.AngleWaveSums == nullptr) {
    GiveBack(app.RADIUS);
    GiveBack(app.WAVE);
    GiveBack(app.ANGLE);
    GiveBack(app.IndexBuffer);
    GiveBack(app.AngleWaveSums);
    return false;
  }
  BuildGeometryTables();
  BuildAngleWaveSums();
  app.classicTables = true;
  app.classicReady = false;
  return true;
}

bool PrepareScene() {
  app.simdLevel = WidestSimdLevel();
  app.CosineTable = Allocate<std::int32_t>(ringSize);
  app.ConsoleRaster = Allocate<std::uint32_t>(kConsoleRasterPixels);
  if (app.CosineTable == nullptr || app.ConsoleRaster == nullptr ||
      (app.settings.classic && !PrepareClassicField())) {
    return false;  // EndRun gives back what was obtained
  }
  SelectModel(-1);
  // The rings come after the model: their Rng draws follow the model's.
  if (!CreateColorRings()) {
    return false;
  }
  app.modelClockMs = 0;
  app.sceneReady = true;
  return true;
}
