// The clock of the SDL program: SDL's milliseconds, wrapping at 2^32 like the Windows tick count.
#include <SDL2/SDL_timer.h>

#include "platform/clock.h"

std::uint32_t GetTicks() {
  return static_cast<std::uint32_t>(SDL_GetTicks64());
}
