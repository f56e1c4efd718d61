#include "doubles/doubles.h"
#include "platform/clock.h"

std::uint32_t GetTicks() {
  doubles::display.calls.push_back("GetTicks");
  return doubles::clockTicks;
}
