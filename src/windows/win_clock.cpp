// The clock on Windows: the system tick count.
#include <windows.h>

#include "platform/clock.h"

std::uint32_t GetTicks() {
  return GetTickCount();
}
