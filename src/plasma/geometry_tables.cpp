// Building RADIUS, WAVE and ANGLE.
//
// Every stored value must equal the truncation of the standard double-precision expression
//   RADIUS = sqrt(x*x + y*y) * 100 (0 stored as 1),
//   WAVE   = (sin(RADIUS * k) + 1) * 50, k = 0.00078125f,
//   ANGLE  = atan2(y, x) * 406 + 2030.
// The build does not evaluate them point by point; it relies on three exact facts:
// - RADIUS and WAVE depend on x*x + y*y only, so the quarter x, y = 0 ... 1000 gives all four
//   mirror images (same integer, same operations, same double result).
// - WAVE depends on RADIUS only, which takes at most 141422 values: one sine per value.
// - ANGLE has 2552 levels. The true angles of (x, y), (-x, y), (x, -y), (-x, -y) are t, pi - t,
//   -t and t - pi for t = atan2(|y|, |x|); so the four levels follow from two numbers, 406 t and
//   406 pi - 406 t, whenever both are safely away from an integer. A cheap arctangent of proven
//   accuracy decides that (see QuadrantAngle and kAngleMargin); the few points too close to a
//   level boundary take the standard atan2, exactly as the plain formula does.
#include "plasma/geometry_tables.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "state/app_state.h"

namespace {

constexpr double kRadiusScale = 100.0;                          // RADIUS units per grid unit
constexpr double kWaveRate = static_cast<double>(0.00078125f);  // radians per RADIUS unit
constexpr double kWaveScale = 50.0;                             // WAVE units per unit of (sin + 1)
constexpr double kAngleScale = 406.0;                           // ANGLE units per radian
constexpr double kAngleOffset = 2030.0;                         // ANGLE of the positive x axis
constexpr std::int32_t kAngleAxis = 2030;                       // the same, as an integer
constexpr std::int32_t kMaxRadius = 141421;     // RADIUS at (-1000, -1000), the farthest point
constexpr double kPi = 3.141592653589793;       // the double nearest to pi
constexpr double kHalfPi = 1.5707963267948966;  // the double nearest to pi / 2
constexpr double kHalfTurnLevels = kAngleScale * kPi;  // 406 pi, about 1275.49 levels

// The arctangent table: atan(j / 64) for j = 0 ... 64, so that any ratio in [0, 1] lies within
// 1/128 of a table point.
constexpr std::int32_t kAtanSteps = 64;
constexpr double kAtanStep = 1.0 / kAtanSteps;  // exact in binary

// Error bound of QuadrantAngle, in radians. With c the table point nearest to n / d,
//   atan(n / d) = atan(c) + atan(u),  u = (n - c d) / (d + c n),  |u| <= |n / d - c| <= 1/128,
// and n - c d, d + c n are exact (c d is a multiple of 1/64 below 2^53), so u carries one rounding.
// atan(u) = u - u^3/3 + u^5/5 - ... alternates with falling terms: cutting after u^3 errs by at
// most |u|^5 / 5 < 5.9e-12. The table (std::atan, within an ulp), the quotient and the few
// additions add below 1e-15; pi/2 - atan for the upper octant adds one more rounding.
// Total: below 6e-12 rad, i.e. below 2.5e-9 ANGLE units after the factor 406.
//
// The plain formula's own value, trunc(atan2(y, x) * 406 + 2030), lies within 1.1e-12 of the
// true 406 t + 2030 even if atan2 errs by 4 ulp (the product and the sum round once each). So a
// level computed here equals the plain formula's whenever the fast value is farther than
// 2.5e-9 + 1.1e-12 + (roundings of the mirror sums, below 1e-12) from an integer. The margin
// below is four times that; closer points are left to std::atan2.
constexpr double kAngleMargin = 1e-8;

std::int32_t RadiusOf(std::int32_t squaredDistance) {
  const auto r =
      static_cast<std::int32_t>(std::sqrt(static_cast<double>(squaredDistance)) * kRadiusScale);
  return r == 0 ? 1 : r;
}

std::int32_t WaveOf(std::int32_t radius) {
  const double phase = static_cast<double>(static_cast<std::uint32_t>(radius)) * kWaveRate;
  return static_cast<std::int32_t>((std::sin(phase) + 1.0) * kWaveScale);
}

std::int32_t AngleOf(std::int32_t x, std::int32_t y) {
  return static_cast<std::int32_t>(
      std::atan2(static_cast<double>(y), static_cast<double>(x)) * kAngleScale + kAngleOffset);
}

// What the quarter rows need that does not depend on the row.
struct QuarterTables {
  std::vector<std::uint8_t> waveOfRadius;  // WAVE for each RADIUS value 0 ... kMaxRadius
  std::vector<double> atanAt;              // atan(j / 64), j = 0 ... 64
  std::vector<double> reciprocal;          // 1 / d for d = 1 ... kGridHalf (entry 0 unused)
};

QuarterTables MakeQuarterTables() {
  QuarterTables tables;
  // Values 2 ... 99 never occur as RADIUS; computing them too keeps the loop plain.
  tables.waveOfRadius.resize(kMaxRadius + 1);
  for (std::int32_t r = 0; r <= kMaxRadius; ++r) {
    tables.waveOfRadius[r] = static_cast<std::uint8_t>(WaveOf(r));
  }
  tables.atanAt.resize(kAtanSteps + 1);
  for (std::int32_t j = 0; j <= kAtanSteps; ++j) {
    tables.atanAt[j] = std::atan(j * kAtanStep);
  }
  tables.reciprocal.resize(kGridHalf + 1);
  for (std::int32_t d = 1; d <= kGridHalf; ++d) {
    tables.reciprocal[d] = 1.0 / d;
  }
  return tables;
}

// atan(n / d) for 0 <= n <= d, 1 <= d <= kGridHalf, within the bound above.
double OctantAngle(std::int32_t n, std::int32_t d, const QuarterTables& tables) {
  const double num = n;
  const double den = d;
  // Any nearby table point works; the reciprocal only picks it.
  const auto j = static_cast<std::int32_t>(num * tables.reciprocal[d] * kAtanSteps + 0.5);
  const double c = j * kAtanStep;
  const double u = (num - c * den) / (den + c * num);
  return tables.atanAt[j] + (u - u * u * u * (1.0 / 3.0));
}

// One quarter row: the values at (ax, ay) for ax = 0 ... kGridHalf, and ANGLE at its mirrors.
struct QuarterRow {
  std::vector<std::int32_t> radius;
  std::vector<std::int32_t> wave;
  std::vector<std::int32_t> anglePosPos;  // ANGLE at (+ax, +ay)
  std::vector<std::int32_t> angleNegPos;  // ANGLE at (-ax, +ay)
  std::vector<std::int32_t> anglePosNeg;  // ANGLE at (+ax, -ay)
  std::vector<std::int32_t> angleNegNeg;  // ANGLE at (-ax, -ay)
};

void FillQuarterRadiusWave(std::int32_t ay, const QuarterTables& tables, QuarterRow& quarter) {
  for (std::int32_t ax = 0; ax <= kGridHalf; ++ax) {
    const std::int32_t r = RadiusOf(ax * ax + ay * ay);
    quarter.radius[ax] = r;
    quarter.wave[ax] = tables.waveOfRadius[r];
  }
  assert(quarter.radius[kGridHalf] <= kMaxRadius);  // the row's farthest point
}

bool ClearOfLevelBoundary(double levels, std::int32_t whole) {
  const double fraction = levels - whole;
  return fraction > kAngleMargin && fraction < 1.0 - kAngleMargin;
}

// Levels of the four mirrors of (ax, ay), ay >= 1, from levels = 406 atan2(ay, ax) in (0, 203 pi].
void StoreAngleMirrors(std::int32_t ax, std::int32_t ay, double levels, QuarterRow& quarter) {
  const double mirrored = kHalfTurnLevels - levels;  // 406 (pi - t)
  const auto whole = static_cast<std::int32_t>(levels);
  const auto wholeMirrored = static_cast<std::int32_t>(mirrored);
  if (ClearOfLevelBoundary(levels, whole) && ClearOfLevelBoundary(mirrored, wholeMirrored)) {
    // floor(2030 - v) = 2029 - floor(v) for v not an integer.
    quarter.anglePosPos[ax] = kAngleAxis + whole;
    quarter.angleNegPos[ax] = kAngleAxis + wholeMirrored;
    quarter.anglePosNeg[ax] = kAngleAxis - 1 - whole;
    quarter.angleNegNeg[ax] = kAngleAxis - 1 - wholeMirrored;
    return;
  }
  quarter.anglePosPos[ax] = AngleOf(ax, ay);
  quarter.angleNegPos[ax] = AngleOf(-ax, ay);
  quarter.anglePosNeg[ax] = AngleOf(ax, -ay);
  quarter.angleNegNeg[ax] = AngleOf(-ax, -ay);
}

void FillQuarterAngles(std::int32_t ay, const QuarterTables& tables, QuarterRow& quarter) {
  // Above the diagonal (ax < ay) the octant is mirrored: atan(ay / ax) = pi/2 - atan(ax / ay).
  for (std::int32_t ax = 0; ax < ay; ++ax) {
    const double t = kHalfPi - OctantAngle(ax, ay, tables);
    StoreAngleMirrors(ax, ay, kAngleScale * t, quarter);
  }
  for (std::int32_t ax = ay; ax <= kGridHalf; ++ax) {
    StoreAngleMirrors(ax, ay, kAngleScale * OctantAngle(ay, ax, tables), quarter);
  }
}

// Writes grid row `gridY` from its right half (x = 0 ... 999) and its left half (x = -1 ...
// -1000), both given by |x| = 0 ... kGridHalf.
void StoreGridRow(std::int32_t* table, std::int32_t gridY, const std::vector<std::int32_t>& right,
                  const std::vector<std::int32_t>& left) {
  std::int32_t* centre = table + GridIndex(0, gridY);
  for (std::int32_t ax = 0; ax < kGridHalf; ++ax) {
    centre[ax] = right[ax];
  }
  for (std::int32_t ax = 1; ax <= kGridHalf; ++ax) {
    centre[-ax] = left[ax];
  }
}

// The x axis, where the angle is exactly 0 or pi: too few points to be worth a fast path.
void StoreAxisAngles() {
  std::int32_t* row = app.ANGLE + GridIndex(-kGridHalf, 0);
  for (std::int32_t x = -kGridHalf; x < kGridHalf; ++x) {
    row[x + kGridHalf] = AngleOf(x, 0);
  }
}

}  // namespace

void BuildGeometryTables() {
  assert(app.RADIUS != nullptr && app.WAVE != nullptr && app.ANGLE != nullptr);
  const QuarterTables tables = MakeQuarterTables();
  QuarterRow quarter;
  for (std::vector<std::int32_t>* half :
       {&quarter.radius, &quarter.wave, &quarter.anglePosPos, &quarter.angleNegPos,
        &quarter.anglePosNeg, &quarter.angleNegNeg}) {
    half->resize(kGridHalf + 1);
  }
  for (std::int32_t ay = 0; ay <= kGridHalf; ++ay) {
    FillQuarterRadiusWave(ay, tables, quarter);
    StoreGridRow(app.RADIUS, -ay, quarter.radius, quarter.radius);
    StoreGridRow(app.WAVE, -ay, quarter.wave, quarter.wave);
    if (ay == 0) {
      StoreAxisAngles();
      continue;
    }
    FillQuarterAngles(ay, tables, quarter);
    StoreGridRow(app.ANGLE, -ay, quarter.anglePosNeg, quarter.angleNegNeg);
    if (ay < kGridHalf) {  // the grid has row -1000 but no row +1000
      constexpr std::size_t kRowBytes = kGridSize * sizeof(std::int32_t);
      std::memcpy(app.RADIUS + GridIndex(-kGridHalf, ay), app.RADIUS + GridIndex(-kGridHalf, -ay),
                  kRowBytes);
      std::memcpy(app.WAVE + GridIndex(-kGridHalf, ay), app.WAVE + GridIndex(-kGridHalf, -ay),
                  kRowBytes);
      StoreGridRow(app.ANGLE, ay, quarter.anglePosPos, quarter.angleNegPos);
    }
  }
}
