// The geometry tables' terms RADIUS, WAVE and ANGLE at model-space points that need not be whole,
// one output row at a time: the same formulas as the tables (plasma/geometry_tables.h), defined
// beyond their 2000 x 2000 grid, and equal to its entries at whole points.
//
// A term read at add-on pair (X, Y) for output row y reads the points (x + X, y + Y) for the
// row's model-space column coordinates x; those move by the add-on once per evaluation
// (ShiftedColumns), and each row then costs a sum, a square root and a look-up per pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "plasma/fast_angle.h"
#include "state/app_state.h"

// The model-space x of every output column moved by one add-on, and its square.
struct ShiftedColumns {
  std::vector<double> x;
  std::vector<double> xSquared;
};

ShiftedColumns ShiftColumns(const std::vector<double>& columnX, double shift);

// RADIUS at (px, py): trunc(sqrt(px px + py py) 100), 0 stored as 1.
std::int32_t RadiusAt(double px, double py);
// WAVE of a RADIUS value r: trunc((sin(r k) + 1) 50), k = 0.00078125f, r read as unsigned.
std::int32_t WaveOfRadius(std::int32_t radius);

// Fills app.WaveOfRadius with WaveOfRadius(r) for r < entries (allocated by the caller): the
// look-up that replaces the sine wherever a row's RADIUS values fall inside it.
void BuildWaveOfRadius(std::int32_t entries);

// out[i] for i < count: RADIUS at (x[i], y) given xSquared[i] = x[i] x[i] and ySquared = y y.
using RadiusRow = void (*)(const double* xSquared, double ySquared, std::int32_t count,
                           std::int32_t* out);
// out[i] for i < count: ANGLE at (x[i], y).
using AngleRow = void (*)(const double* x, double y, std::int32_t count, const AtanSteps& steps,
                          std::int32_t* out);

// The row functions of `level`: its vector versions where this build has them, else the portable
// loops. All give the same values.
struct TermRows {
  RadiusRow radius;
  AngleRow angle;
};
TermRows ChosenTermRows(SimdLevel level);

// WAVE along a row: its RADIUS values through app.WaveOfRadius, the sine past its end.
void WaveRowOf(const TermRows& rows, const ShiftedColumns& columns, double y, std::int32_t* out);
