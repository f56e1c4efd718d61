#include "app/key_commands.h"

#include "app/frame_driver.h"
#include "ring/ring_generators.h"
#include "state/app_state.h"
#include "ui/console_slide.h"

void HandleKey(std::uint32_t virtualKey) {
  // The start-up failure message's own loop may dispatch keys before the scene exists.
  if (!app.sceneReady) {
    return;
  }
  switch (virtualKey) {
    case kKeyTab:
      ToggleConsole();
      break;
    case kKeyLeft:
    case kKeyUp:
      SwitchModel(app.currentModel == 0 ? kModelCount - 1 : app.currentModel - 1);
      break;
    case kKeyRight:
    case kKeyDown:
      SwitchModel((app.currentModel + 1) % kModelCount);
      break;
    case kKeyA:
      SwitchModel(-1);
      break;
    case kKeyQ:
      app.playPeriodMs =
          app.playPeriodMs == kManualPeriodMs ? RandomPeriodMs(app.settings) : kManualPeriodMs;
      break;
    case kKeyZ:
      NewColorRing(0);
      break;
    default:
      break;
  }
}
