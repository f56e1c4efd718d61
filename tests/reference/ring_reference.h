// The colour-ring steps as plain loops, written as directly as they are described: entry by
// entry, channel by channel, with the ring behind a plain pointer and no other optimisation. The
// fast steps must equal them bit for bit, and the benchmarks time them, with the same compiler and
// flags, as the baseline of every ratio.
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
