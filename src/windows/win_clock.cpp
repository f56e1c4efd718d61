// The clock on Windows: the system tick count.
#include <windows.h>

#include "platform/clock.h"

std::uint32_t GetTicks() {
  return GetTickCount();
}

// The performance counter, split so that no product can overflow.
std::uint64_t GetMicroseconds() {
  constexpr std::uint64_t kMicrosecondsPerSecond = 1000000;
  LARGE_INTEGER counter{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  const auto count = static_cast<std::uint64_t>(counter.QuadPart);
  const auto perSecond = static_cast<std::uint64_t>(frequency.QuadPart);
  return count / perSecond * kMicrosecondsPerSecond +
         count % perSecond * kMicrosecondsPerSecond / perSecond;
}
