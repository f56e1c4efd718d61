#include "app/run.h"

#include <algorithm>
#include <iterator>

#include "app/frame_driver.h"
#include "app/key_commands.h"
#include "app/scene.h"
#include "plasma/scaled_picture.h"
#include "platform/row_bands.h"
#include "state/app_state.h"
#include "state/rng.h"

bool StartRun(std::uint32_t seed, RunOpening opening, const RunSettings& settings,
              const Renderer& renderer) {
  app.settings = settings;
  app.playPeriodMs = RandomPeriodMs(settings);
  app.renderer = &renderer;
  SeedRng(seed);
  if (!renderer.start() || !PrepareScene()) {
    return false;
  }
  StartFrameClocks();
  if (opening == RunOpening::Visuals) {
    app.started = 1;
    app.tabPressed = 1;  // a screen saver ends on any key: no hint to press one
  }
  StartRowCrew(ProcessorRowThreads());
  return true;
}

bool SwitchRenderer(const Renderer& renderer) {
  app.renderer->stop();
  app.renderer = &renderer;
  std::fill(std::begin(app.handedEvaluation), std::end(app.handedEvaluation), 0u);
  app.layerHanded = false;
  return renderer.start();
}

void PostClick() {
  app.started = 1;
}

RunRequest PostKey(std::uint32_t virtualKey) {
  // Esc has no command of its own; it goes to HandleKey like every other key.
  HandleKey(virtualKey);
  return virtualKey == kKeyEscape ? RunRequest::End : RunRequest::GoOn;
}

void ToggleClassicFrame() {
  app.settings.classic = !app.settings.classic;
}

void SetPixelsPerPoint(double pixelsPerPoint) {
  app.pixelsPerPoint = pixelsPerPoint;
}

void EndRun() {
  StopRowCrew();
  if (app.renderer != nullptr) {
    app.renderer->stop();
  }
  ForEachSceneBuffer([](auto buffer) { delete[](app.*buffer); });
  for (ScaledPicture& field : app.fields) {
    GiveBackScaledPicture(field);
  }
  app = AppState{};
}
