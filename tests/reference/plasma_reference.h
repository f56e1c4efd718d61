// Plain, point-by-point transcriptions of the plasma formulas: every value computed the obvious
// way, the model chosen inside the pixel loop. Tests compare the program's fast paths with them
// entry by entry, and the benchmarks time them as the baseline.
#pragma once

#include <cstdint>

namespace reference {

// RADIUS, WAVE and ANGLE for every grid point, in row-major order, into the given 4,000,000-entry
// tables.
void BuildGeometryTablesLiteral(std::int32_t* radius, std::int32_t* wave, std::int32_t* angle);

// app.currentModel's formula for every pixel into `indexBuffer` (screenWidth x screenHeight),
// from app's tables, cosine table, centre and add-ons.
void EvaluateModelLiteral(std::int32_t* indexBuffer);

// The frame of app's state into app.pixels (rows min(consoleTop as unsigned, screenHeight)).
void ComposeFrameLiteral();

}  // namespace reference
