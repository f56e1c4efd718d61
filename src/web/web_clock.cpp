// The clock on the web: performance.now(), the milliseconds since the page loaded.
#include <emscripten/emscripten.h>

#include <cstdint>

#include "platform/clock.h"

// Whole milliseconds, modulo 2^32 like the Windows tick count (the double holds them exactly for
// far longer than any page stays open).
std::uint32_t GetTicks() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}

std::uint64_t GetMicroseconds() {
  constexpr double kMicrosecondsPerMillisecond = 1000.0;
  return static_cast<std::uint64_t>(emscripten_get_now() * kMicrosecondsPerMillisecond);
}
