#include "plasma/drifting_term.h"

#include <cassert>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kDriftRateX = static_cast<double>(0.002f);         // radians per ms
constexpr double kDriftRateY = static_cast<double>(0.0014285714f);  // radians per ms, ~1/700

}  // namespace

// The extra terms, per model:
//   0        v + ANGLE + WAVE
//   10, 11   v + 0.1f WAVE, truncated. 0.1f is 1.5e-9 above a tenth: for WAVE values 0 ... 100
//            the product lies at most 1.5e-7 above w / 10, so its fraction stays below 0.91, and
//            adding a whole index below 2^10 (models 10 and 11 store at most 230) never rounds
//            across an integer. Hence v + w div 10.
//   12       v + the model's cosine wave at the drifted column + 100
//   others   v
ExtraTerm ExtraTermOf(std::int32_t model) {
  assert(model >= 0 && model < kModelCount);
  switch (model) {
    case 0:
      return ExtraTerm::AngleAndWave;
    case 10:
    case 11:
      return ExtraTerm::TenthOfWave;
    case kCosineTermModel:
      return ExtraTerm::Cosine;
    default:
      return ExtraTerm::None;
  }
}

FrameDrift ComputeScaledDrift(std::int32_t modelClockMs, std::int32_t restX, std::int32_t restY,
                              double scale) {
  const double t = modelClockMs;
  const double x = kDriftSwingX * std::cos(t * kDriftRateX) + (static_cast<double>(restX) + 0.5);
  const double y = kDriftSwingY * std::sin(t * kDriftRateY) + (static_cast<double>(restY) + 0.5);
  return {static_cast<std::int32_t>(x * scale), static_cast<std::int32_t>(y * scale)};
}
