// Comparison and printing of the doubles' records, so that tests can compare whole call lists.
#pragma once

#include <ostream>

#include "doubles/doubles.h"

namespace doubles {

inline bool operator==(const TextCall& a, const TextCall& b) {
  return a.x == b.x && a.y == b.y && a.text == b.text && a.ink == b.ink && a.anchor == b.anchor;
}

inline bool operator==(const LogoBlit& a, const LogoBlit& b) {
  return a.logo == b.logo && a.x == b.x && a.y == b.y;
}

inline void PrintTo(const TextCall& call, std::ostream* out) {
  *out << "\"" << call.text << "\" at (" << call.x << ", " << call.y << ") ink 0x" << std::hex
       << call.ink << std::dec << " anchor " << static_cast<int>(call.anchor);
}

inline void PrintTo(const LogoBlit& blit, std::ostream* out) {
  *out << (blit.logo == Logo::Large ? "large" : "small") << " logo at (" << blit.x << ", " << blit.y
       << ")";
}

}  // namespace doubles
