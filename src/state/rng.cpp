#include "state/rng.h"

#include "state/app_state.h"

void SeedRng(std::uint32_t seed) {
  app.rngState = seed;
}

std::int32_t Rng() {
  app.rngState = app.rngState * 214013u + 2531011u;
  return static_cast<std::int32_t>((app.rngState >> 16) & 0x7FFFu);
}
