// The clock on the web: performance.now(), the milliseconds since the page loaded, or the virtual
// one of a self-check.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <optional>

#include "platform/clock.h"

namespace {

std::optional<std::uint32_t> virtualTick;  // set while a self-check draws

}  // namespace

void SetVirtualClock(std::uint32_t tick) {
  virtualTick = tick;
}

void EndVirtualClock() {
  virtualTick.reset();
}

// Whole milliseconds, modulo 2^32 like the Windows tick count (the double holds them exactly for
// far longer than any page stays open).
std::uint32_t GetTicks() {
  return virtualTick.value_or(
      static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now())));
}

std::uint64_t GetMicroseconds() {
  constexpr double kMicrosecondsPerMillisecond = 1000.0;
  return static_cast<std::uint64_t>(emscripten_get_now() * kMicrosecondsPerMillisecond);
}
