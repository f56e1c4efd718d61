#include "app/clock.h"
#include "doubles/doubles.h"

std::uint32_t GetTicks() {
  doubles::display.calls.push_back("GetTicks");
  return doubles::clockTicks;
}
