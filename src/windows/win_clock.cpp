// The clock on Windows: the system tick count, or the virtual one of a self-check.
#include <windows.h>

#include <optional>

#include "platform/clock.h"

namespace {

std::optional<std::uint32_t> virtualTick;  // set while a self-check draws; the tick count otherwise

}  // namespace

void SetVirtualClock(std::uint32_t tick) {
  virtualTick = tick;
}

void EndVirtualClock() {
  virtualTick.reset();
}

std::uint32_t GetTicks() {
  return virtualTick.value_or(GetTickCount());
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
