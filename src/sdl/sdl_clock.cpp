// The clock of the SDL program: SDL's milliseconds, wrapping at 2^32 like the Windows tick count,
// or the virtual clock of a rendered run or a self-check.
#include "platform/clock.h"

#include <optional>

#include <SDL2/SDL_timer.h>

namespace {

std::optional<std::uint32_t> virtualTick;  // set for a rendered run or a self-check

}  // namespace

void SetVirtualClock(std::uint32_t tick) {
  virtualTick = tick;
}

void EndVirtualClock() {
  virtualTick.reset();
}

std::uint32_t GetTicks() {
  return virtualTick.value_or(static_cast<std::uint32_t>(SDL_GetTicks64()));
}

// The performance counter, split so that no product can overflow.
std::uint64_t GetMicroseconds() {
  constexpr std::uint64_t kMicrosecondsPerSecond = 1000000;
  const std::uint64_t counter = SDL_GetPerformanceCounter();
  const std::uint64_t frequency = SDL_GetPerformanceFrequency();
  return counter / frequency * kMicrosecondsPerSecond +
         counter % frequency * kMicrosecondsPerSecond / frequency;
}
