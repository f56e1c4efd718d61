#include <cassert>

#include "doubles/doubles.h"

void CreateLogoSurfaces() {
  assert(doubles::display.dcHeld);
  ++doubles::logos.createCalls;
}

void BlitLogo(Logo logo, std::int32_t x, std::int32_t y) {
  assert(!doubles::display.locked && !doubles::display.dcHeld);
  doubles::logos.blits.push_back({logo, x, y});
}
