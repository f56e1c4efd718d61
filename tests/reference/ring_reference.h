// Plain per-channel versions of the colour-ring steps, written as directly as they are described:
// the fast steps must equal them bit for bit, and the benchmarks measure against them.
#pragma once

#include <cstdint>

namespace reference {

// Each channel of each entry moves one unit toward the same channel of `target`.
void StepFadeToTarget(std::uint32_t* ring, const std::uint32_t* target);

// Each non-zero channel of each entry drops by one.
void StepFadeToBlack(std::uint32_t* ring);

// The three direction draws (red, green, blue), then each channel turned by one entry on its own.
void StepRotate(std::uint32_t* ring);

}  // namespace reference
