// The plasma formulas as plain loops: what a careful programmer writes for the algorithm without
// the program's optimisations. Tables, add-ons and buffers are copied into locals and plain
// pointers before the loops (so the compiler keeps them in registers), every table is read at the
// pixel's own grid point, and the model's formula is chosen by a switch inside the pixel loop.
// Tests compare the program's fast paths with them entry by entry; the benchmarks time them, with
// the same compiler and flags, as the baseline of every ratio.
#pragma once

#include <cstdint>

#include "state/frame_view.h"

namespace reference {

// RADIUS, WAVE and ANGLE for every grid point, in row-major order, into the given 4,000,000-entry
// tables.
void BuildGeometryTablesPlain(std::int32_t* radius, std::int32_t* wave, std::int32_t* angle);

// app.currentModel's formula for every pixel into `indexBuffer` (screenWidth x screenHeight),
// from app's tables, cosine table, centre and add-ons.
void EvaluateModelPlain(std::int32_t* indexBuffer);

// The frame of app's state into `frame` (rows min(consoleTop as unsigned, screenHeight)).
void ComposeFramePlain(const FrameView& frame);

}  // namespace reference
