#include "plasma/scaled_composition.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "plasma/frame_composition_simd.h"
#include "plasma/model_space.h"
#include "plasma/scaled_picture.h"
#include "state/app_state.h"

namespace {

// The classic drift (plasma/frame_composition.cpp), in model units.
constexpr double kDriftSwingX = 40.0;
constexpr double kDriftSwingY = 60.0;
constexpr double kDriftRateX = static_cast<double>(0.002f);         // radians per ms
constexpr double kDriftRateY = static_cast<double>(0.0014285714f);  // radians per ms, ~1/700

// Where each row's extra term starts: the drifted point of output pixel (c, r) is the point of
// pixel (c + drift.x, r + drift.y), entry (r + drift.y + reachY, c + drift.x + reachX) of the
// widened fields, which the drift's reach keeps inside them.
struct TermSource {
  ExtraTerm term;
  const std::uint16_t* angleWave;  // AngleAndWave: ScaledAngleWave at row 0's drifted point
  const std::uint8_t* tenths;      // TenthOfWave: ScaledTenths likewise
  const std::int32_t* cosine;      // Cosine: ScaledCosine at column 0's drifted column
  std::ptrdiff_t pitch;            // entries from one row's term to the next
};

// One loop per term, chosen at compile time; per pixel an index, at most one term, a ring look-up.
template <ExtraTerm kTerm>
void ComposeRows(const FrameView& view, const std::int32_t* field, const TermSource& source,
                 std::int32_t firstRow, std::int32_t endRow) {
  const std::uint32_t* ring = app.currentRing;
  const std::int32_t width = view.width;
  for (std::int32_t row = firstRow; row < endRow; ++row) {
    const std::int32_t* index = field + static_cast<std::ptrdiff_t>(row) * width;
    const std::ptrdiff_t termRow = static_cast<std::ptrdiff_t>(row) * source.pitch;
    std::uint32_t* pixels = view.pixels + static_cast<std::ptrdiff_t>(row) * view.pitch;
    for (std::int32_t col = 0; col < width; ++col) {
      std::int32_t v = index[col];
      if constexpr (kTerm == ExtraTerm::AngleAndWave) {
        v += source.angleWave[termRow + col];
      } else if constexpr (kTerm == ExtraTerm::TenthOfWave) {
        v += source.tenths[termRow + col];
      } else if constexpr (kTerm == ExtraTerm::Cosine) {
        v += source.cosine[col];
      }
      pixels[col] = ring[v];
    }
  }
}

}  // namespace

FrameDrift ComputeScaledDrift(std::int32_t modelClockMs, std::int32_t restX, std::int32_t restY,
                              double scale) {
  const double t = modelClockMs;
  const double x = kDriftSwingX * std::cos(t * kDriftRateX) + (static_cast<double>(restX) + 0.5);
  const double y = kDriftSwingY * std::sin(t * kDriftRateY) + (static_cast<double>(restY) + 0.5);
  return {static_cast<std::int32_t>(x * scale), static_cast<std::int32_t>(y * scale)};
}

// The extra terms, per model, as the classic composition adds them: ANGLE + WAVE for model 0;
// for models 10 and 11 trunc(v + 0.1f WAVE) = v + WAVE div 10, since v stays below 2^10 (see
// ComposeFrame); model 12's cosine of the drifted column.
void ComposeFrameInto(const FrameView& view, const ScaledPicture& picture,
                      const std::int32_t* field, std::int32_t consoleTop, std::int32_t firstRow,
                      std::int32_t endRow) {
  assert(view.width == picture.width && view.height == picture.height);
  assert(view.pitch >= view.width);
  assert(firstRow >= 0 && firstRow <= endRow && endRow <= view.height);
  const double scale = ModelScale(view.width, view.height);
  const FrameDrift drift =
      ComputeScaledDrift(app.modelClockMs, app.smallOffsetX, app.smallOffsetY, scale);
  assert(std::abs(drift.x) <= picture.reachX && std::abs(drift.y) <= picture.reachY);
  const std::uint32_t rows =
      std::min(static_cast<std::uint32_t>(consoleTop), static_cast<std::uint32_t>(view.height));
  const std::int32_t last = std::min(endRow, static_cast<std::int32_t>(rows));
  if (firstRow >= last) {
    return;
  }
  const std::ptrdiff_t pitch = view.width + 2 * picture.reachX;
  const std::ptrdiff_t origin = (drift.y + picture.reachY) * pitch + drift.x + picture.reachX;
  TermSource source{ExtraTerm::None, nullptr, nullptr, nullptr, pitch};
  switch (app.currentModel) {
    case 0:
      source.term = ExtraTerm::AngleAndWave;
      source.angleWave = picture.AngleWave + origin;
      break;
    case 10:
    case 11:
      source.term = ExtraTerm::TenthOfWave;
      source.tenths = picture.Tenths + origin;
      break;
    case 12:
      source.term = ExtraTerm::Cosine;
      source.cosine = picture.Cosine + drift.x + picture.reachX;
      break;
    default:
      break;
  }
  switch (source.term) {
    case ExtraTerm::None:
      ComposeRows<ExtraTerm::None>(view, field, source, firstRow, last);
      break;
    case ExtraTerm::AngleAndWave:
      ComposeRows<ExtraTerm::AngleAndWave>(view, field, source, firstRow, last);
      break;
    case ExtraTerm::TenthOfWave:
      ComposeRows<ExtraTerm::TenthOfWave>(view, field, source, firstRow, last);
      break;
    case ExtraTerm::Cosine:
      ComposeRows<ExtraTerm::Cosine>(view, field, source, firstRow, last);
      break;
  }
}
