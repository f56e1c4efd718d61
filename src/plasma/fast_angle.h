// ANGLE at a model-space point, trunc(atan2(py, px) 406 + 2030), from a cheap arctangent of proven
// accuracy, and the test that tells when that cheap value is sure to give the standard atan2's
// level. The scalar path and the vector paths (scaled_terms_simd.cpp) compute the same steps.
//
// With n = min(|px|, |py|), d = max(|px|, |py|) and c = j / 64 the table point nearest to n / d,
//   atan(n / d) = atan(c) + atan(u),  u = (n - c d) / (d + c n),  |u| <= |n / d - c| <= 1/128,
// where the roundings of n / d (which only picks j), c d, the difference, the sum and the quotient
// move u by below 4e-16. atan(u) = u - u^3/3 + u^5/5 - ... alternates with falling terms, so
// cutting after u^3 errs by at most |u|^5 / 5 < 5.9e-12 rad. The table (std::atan, within an ulp),
// the octant and quadrant reflections (pi/2 - a, pi - a, -a, with the doubles nearest to pi/2 and
// pi) and the product and sum with 406 and 2030 add below 1e-12 levels: the cheap level is within
// 2.5e-9 of the true 406 atan2 + 2030. The standard atan2's level is within 1.1e-12 of it (4 ulp
// of atan2 times 406, plus the two roundings). Both truncate to the same integer whenever the
// cheap level is farther than their sum from an integer; kAngleMargin is four times that, and the
// points closer to a level boundary (about 2 in 10^8), and those on an axis, take std::atan2.
#pragma once

#include <cmath>
#include <cstdint>

constexpr std::int32_t kAtanSteps = 64;              // table points per unit of n / d
constexpr double kAtanStep = 1.0 / kAtanSteps;       // exact in binary
constexpr double kAngleScale = 406.0;                // ANGLE units per radian
constexpr double kAngleOffset = 2030.0;              // ANGLE of the positive x axis
constexpr double kAngleMargin = 1e-8;                // ANGLE units, see above
constexpr double kAnglePi = 3.141592653589793;       // the double nearest to pi
constexpr double kAngleHalfPi = 1.5707963267948966;  // the double nearest to pi / 2

// atan(j / 64) for j = 0 ... 64.
struct AtanSteps {
  double at[kAtanSteps + 1];
};

inline AtanSteps MakeAtanSteps() {
  AtanSteps steps{};
  for (std::int32_t j = 0; j <= kAtanSteps; ++j) {
    steps.at[j] = std::atan(j * kAtanStep);
  }
  return steps;
}

// The standard level, trunc(atan2(py, px) 406 + 2030): the definition itself.
inline std::int32_t PlainAngle(double px, double py) {
  return static_cast<std::int32_t>(std::atan2(py, px) * kAngleScale + kAngleOffset);
}

// The level at (px, py): the cheap one where it is clear of a level boundary, else the standard.
inline std::int32_t FastAngle(double px, double py, const AtanSteps& steps) {
  if (px == 0.0 || py == 0.0) {
    return PlainAngle(px, py);
  }
  const double ax = std::fabs(px);
  const double ay = std::fabs(py);
  const double n = ax < ay ? ax : ay;
  const double d = ax < ay ? ay : ax;
  const auto j = static_cast<std::int32_t>(n / d * kAtanSteps + 0.5);
  const double c = j * kAtanStep;
  const double u = (n - c * d) / (d + c * n);
  double a = steps.at[j] + (u - u * u * u * (1.0 / 3.0));
  a = ay > ax ? kAngleHalfPi - a : a;
  a = px < 0.0 ? kAnglePi - a : a;
  a = py < 0.0 ? -a : a;
  const double levels = a * kAngleScale + kAngleOffset;
  const auto whole = static_cast<std::int32_t>(levels);
  const double fraction = levels - whole;
  if (fraction > kAngleMargin && fraction < 1.0 - kAngleMargin) {
    return whole;
  }
  return PlainAngle(px, py);
}
