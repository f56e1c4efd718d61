// The program's one random generator: a linear congruential generator with a 32-bit state.
//
// Every draw sets state = state * 214013 + 2531011 (modulo 2^32) and returns bits 16 ... 30 of
// the new state, a value 0 ... 32767. Several operations depend on the exact order of their draws,
// so nothing but the operations that document a draw may call Rng().
#pragma once

#include <cstdint>

// Sets the state to `seed` (the start tick).
void SeedRng(std::uint32_t seed);

// Advances the state and returns the next value, 0 ... 32767.
std::int32_t Rng();
