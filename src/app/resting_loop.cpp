#include "app/resting_loop.h"

#include <cstdint>

#include "app/frame_driver.h"
#include "platform/clock.h"
#include "platform/input.h"

LoopEnd RunRestingLoop() {
  std::uint64_t dueUs = GetMicroseconds();
  while (TakeWaitingInput()) {
    if (GetMicroseconds() >= dueUs) {
      const LoopPass pass = RunLoopPass();
      if (!pass.goOn) {
        return LoopEnd::DisplayLost;
      }
      dueUs = pass.dueUs;
    }
    RestUntil(dueUs);
  }
  return LoopEnd::Input;
}
