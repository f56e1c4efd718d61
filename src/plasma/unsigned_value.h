// Table entries enter floating-point expressions as unsigned 32-bit numbers.
#pragma once

#include <cstdint>
#include <limits>

// The unsigned value of `entry`, exactly, as a double. Flipping the sign bit gives the unsigned
// value minus 2^31 as a signed number; converting it and adding 2^31 back is exact (integers below
// 2^53). Unlike a zero-extending conversion this maps onto SSE2's packed signed conversion, so
// loops over rows of entries vectorise.
inline double FromUnsigned(std::int32_t entry) {
  constexpr double kTwoTo31 = 2147483648.0;
  return static_cast<double>(entry ^ std::numeric_limits<std::int32_t>::min()) + kTwoTo31;
}
