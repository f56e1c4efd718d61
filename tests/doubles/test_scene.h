// Program state for tests, built through the program's own start-up.
#pragma once

#include <cstdint>
#include <vector>

#include "state/app_state.h"

namespace doubles {

// Resets `app` to its load-time values but keeps the buffers of the scene (ForEachSceneBuffer) and
// of the pictures: rebuilding the geometry tables for every test would only cost time.
void ResetApp();

// ResetApp() and the doubles, then the scene as start-up prepares it for the classic frame, with
// Rng seeded by `seed`: the geometry tables, a random first model and the colour rings, drawn in
// start-up's order. Frames are drawn by the software renderer on the display double.
void PrepareTestScene(std::uint32_t seed = 1);

// The Rng state `draws` draws after `state`, found with Rng itself; app.rngState is left as it was.
std::uint32_t RngStateAfter(std::uint32_t state, std::int32_t draws);

// Every vector path that this build and processor offer, Portable first: tests force each in turn
// through app.simdLevel and compare it with the plain loops.
std::vector<SimdLevel> EverySimdLevel();

}  // namespace doubles
