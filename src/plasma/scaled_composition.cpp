#include "plasma/scaled_composition.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "plasma/drifting_term.h"
#include "plasma/model_space.h"
#include "plasma/scaled_picture.h"
#include "state/app_state.h"

namespace {

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

// The extra terms (ExtraTermOf) come from the picture's drifted terms (PrepareScaledPicture).
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
  TermSource source{ExtraTermOf(app.currentModel), nullptr, nullptr, nullptr, pitch};
  switch (source.term) {
    case ExtraTerm::AngleAndWave:
      source.angleWave = picture.AngleWave + origin;
      break;
    case ExtraTerm::TenthOfWave:
      source.tenths = picture.Tenths + origin;
      break;
    case ExtraTerm::Cosine:
      source.cosine = picture.Cosine + drift.x + picture.reachX;
      break;
    case ExtraTerm::None:
      break;
  }
  // A switch, not WithTerm: with its lambda this inlined loop ran 5 to 8 % slower for models 10
  // and 11 (scaled_picture_bench; the same instructions in other registers).
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
