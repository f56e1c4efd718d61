// The geometry tables RADIUS, WAVE and ANGLE over the 2000 x 2000 grid x, y = -1000 ... 999.
//
// Entry GridIndex(x, y) holds grid point (x, y), row-major with y growing downwards. The model
// evaluation and the frame composition read the tables at shifted positions instead of computing
// square roots, arctangents and sines per pixel; the screen size and the add-on ranges keep every
// such read inside the grid.
#pragma once

#include <cstdint>

constexpr std::int32_t kGridSize = 2000;  // grid points per row and per column
constexpr std::int32_t kGridHalf = 1000;  // the grid runs from -kGridHalf to kGridHalf - 1
constexpr std::int32_t kGridEntries = kGridSize * kGridSize;
// RADIUS and WAVE are allocated one row's half longer than the grid; those entries are never used.
constexpr std::int32_t kRadiusWaveEntries = kGridEntries + 1000;

constexpr std::int32_t GridIndex(std::int32_t x, std::int32_t y) {
  return (y + kGridHalf) * kGridSize + (x + kGridHalf);
}

// Fills all grid entries of app.RADIUS, app.WAVE and app.ANGLE, which must be allocated.
void BuildGeometryTables();
