// The drifting extra term of the composition: which models add which term, and the drift that
// moves the point it is read at. The classic composition (frame_composition.cpp) and the one at
// any output size (scaled_composition.cpp) both take them from here.
#pragma once

#include <cstdint>
#include <type_traits>

#include "state/run_settings.h"

// The extra term that a model adds to each index before the ring look-up, read at the pixel's
// point moved by the drift.
enum class ExtraTerm : std::int32_t {
  None,          // models 1 ... 9 and 13: the index as it stands
  AngleAndWave,  // model 0: + ANGLE + WAVE
  TenthOfWave,   // models 10 and 11: + WAVE div 10
  Cosine,        // model 12: + the cosine wave at the drifted column + 100
};

// The extra term of `model`, 0 ... 13.
ExtraTerm ExtraTermOf(std::int32_t model);

// Calls compose(term) with `term` as a compile-time constant (std::integral_constant), so that
// each term gets its own loop and no pixel asks which term it adds.
template <typename Compose>
void WithTerm(ExtraTerm term, Compose compose) {
  switch (term) {
    case ExtraTerm::None:
      compose(std::integral_constant<ExtraTerm, ExtraTerm::None>{});
      break;
    case ExtraTerm::AngleAndWave:
      compose(std::integral_constant<ExtraTerm, ExtraTerm::AngleAndWave>{});
      break;
    case ExtraTerm::TenthOfWave:
      compose(std::integral_constant<ExtraTerm, ExtraTerm::TenthOfWave>{});
      break;
    case ExtraTerm::Cosine:
      compose(std::integral_constant<ExtraTerm, ExtraTerm::Cosine>{});
      break;
  }
}

// The model whose extra term is its own cosine wave, and the model-space columns it reads it
// ahead of the drifted column (the classic CosineTable[col + driftX + 100]).
constexpr std::int32_t kCosineTermModel = 12;
constexpr std::int32_t kCosineTermShift = 100;

// The tenth that models 10 and 11 add: trunc(v + 0.1f w) = v + w div 10 for their indices v
// (see ExtraTermOf).
constexpr std::int32_t TenthOfWave(std::int32_t wave) {
  return wave / 10;
}

// The drift swings around the rest point (the small add-ons plus 0.5) by these many model units.
// With the add-ons -50 ... 49 the drifted point lies at most kDriftMostX across and kDriftMostY
// down from the pixel's own point.
constexpr double kDriftSwingX = 40.0;
constexpr double kDriftSwingY = 60.0;
constexpr double kDriftMostX = kDriftSwingX + 49.5;  // 89.5
constexpr double kDriftMostY = kDriftSwingY + 49.5;  // 109.5

// Grid shift of the extra term in one frame.
struct FrameDrift {
  std::int32_t x;  // -89 ... 89 in the classic frame; output pixels at other sizes
  std::int32_t y;  // -109 ... 109 likewise
};

// The drift at `modelClockMs` (milliseconds since the model was selected) around (restX, restY),
// in output pixels at `scale`: the drift point in model units times the scale, truncated.
FrameDrift ComputeScaledDrift(std::int32_t modelClockMs, std::int32_t restX, std::int32_t restY,
                              double scale);

// The classic drift: at scale 1 the product is the drift point itself.
inline FrameDrift ComputeFrameDrift(std::int32_t modelClockMs, std::int32_t restX,
                                    std::int32_t restY) {
  return ComputeScaledDrift(modelClockMs, restX, restY, 1.0);
}
