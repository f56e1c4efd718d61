// The colour rings and the three palette modes that fill them.
//
// A ring holds ringSize colours 0x00RRGGBB; every entry depends only on its phase i mod 510, so the
// ring holds 39 whole periods and a 40th that stops one entry short.
#pragma once

#include <cstdint>

constexpr std::int32_t kPalettePeriod = 510;

// Palette mode 0: a grey triangle wave, one unit per entry.
void FillGreyWave(std::uint32_t* ring);

// Palette mode 1: a grey pulse of slope 2, then black for the rest of the period.
void FillGreyPulse(std::uint32_t* ring);

// Palette mode 2: single-channel pulses in blue, green and red, then a shorter grey pulse.
void FillChannelPulses(std::uint32_t* ring);

// Fills `ring` with a palette mode drawn from Rng, then draws the three rotation flags:
// exactly four draws, in that order.
void GenerateRing(std::uint32_t* ring);

// Allocates both rings, clears the visible one and generates the target. False if out of memory,
// and then nothing is allocated.
bool CreateColorRings();

// fromBlack non-zero: clear the visible ring and generate a new target (a model switch).
// fromBlack zero: generate a new palette into the visible ring at once (the Z key).
void NewColorRing(std::int32_t fromBlack);
