// Vector versions of the colour ring's rotation step (ring_rotation_simd.cpp); they must equal the
// portable two-pass step of ring_animation.cpp.
#pragma once

#include <cstdint>

#include "state/app_state.h"

// Turns a ring of ringSize entries 0x00RRGGBB (top byte 0) by one entry per channel: the channels
// set in `down` move toward lower indices, the other channels toward higher ones.
using RingRotator = void (*)(std::uint32_t* ring, std::uint32_t down);

// The vector rotation of `level`; null for Portable and for levels this build has no vector code
// for (builds for processors other than x86), where the portable step runs instead.
RingRotator VectorRingRotator(SimdLevel level);
