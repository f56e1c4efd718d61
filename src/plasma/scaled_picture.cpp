#include "plasma/scaled_picture.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "plasma/drifting_term.h"
#include "plasma/model_selection.h"
#include "plasma/model_space.h"
#include "plasma/scaled_terms.h"
#include "state/app_state.h"

namespace {

// The add-ons move a term's point by at most 500 model units across (the fixed pair; Wrow's
// column lies within 450) and 300 down (the wide and half-screen pairs).
constexpr double kAddOnMostX = 500.0;
constexpr double kAddOnMostY = 300.0;
// The WAVE look-up covers at most this many RADIUS values (4 MB); farther points, reached only at
// extreme aspect ratios, compute the sine.
constexpr std::int32_t kMostWaveRadii = 1 << 22;

template <typename T>
T* Allocate(std::size_t entries) {
  return new (std::nothrow) T[entries];
}

template <typename T>
void GiveBack(T*& buffer) {
  delete[] buffer;
  buffer = nullptr;
}

// A WAVE look-up of at least `waveRadii` entries, the one there is or a larger one. False, with no
// look-up, when the heap cannot supply it.
bool CoverWaveRadii(std::int32_t waveRadii) {
  if (app.waveRadii >= waveRadii) {
    return true;
  }
  GiveBack(app.WaveOfRadius);
  app.waveRadii = 0;
  app.WaveOfRadius = Allocate<std::uint8_t>(static_cast<std::size_t>(waveRadii));
  if (app.WaveOfRadius == nullptr) {
    return false;
  }
  BuildWaveOfRadius(waveRadii);
  return true;
}

// One more than the largest RADIUS any term of any model, drifted or not, reads at this size, or
// kMostWaveRadii if that is smaller. Model-space coordinates grow with the output index, so the
// widened output's edge columns and rows bound them (and one unit more covers their rounding).
std::int32_t WaveRadiiFor(const ScaledPicture& picture, double scale) {
  const double x = std::fabs(ModelCoordinate(-picture.reachX - 1, picture.width, scale)) + 1.0;
  const double y = std::fabs(ModelCoordinate(-picture.reachY - 1, picture.height, scale)) + 1.0;
  const double radius = std::hypot(x + kAddOnMostX, y + kAddOnMostY) * 100.0 + 2.0;
  return radius < kMostWaveRadii ? static_cast<std::int32_t>(radius) : kMostWaveRadii;
}

// ANGLE + WAVE and WAVE div 10 at every point of the output widened by the drift's reach, row by
// row, and model 12's drifted cosine for every widened column.
void FillDriftedTerms(ScaledPicture& picture, double scale) {
  const std::int32_t width = picture.width;
  const std::int32_t height = picture.height;
  const std::int32_t reachX = picture.reachX;
  const std::int32_t reachY = picture.reachY;
  const std::int32_t wideWidth = width + 2 * reachX;
  std::vector<double> columnX(wideWidth);
  for (std::int32_t i = 0; i < wideWidth; ++i) {
    columnX[i] = ModelCoordinate(i - reachX, width, scale);
    picture.Cosine[i] =
        CosineWave(kCosineTermModel, columnX[i] + (kModelCentreX + kCosineTermShift));
  }
  const ShiftedColumns columns = ShiftColumns(columnX, 0.0);
  const TermRows rows = ChosenTermRows(app.simdLevel);
  const AtanSteps steps = MakeAtanSteps();
  std::vector<std::int32_t> wave(wideWidth);
  std::vector<std::int32_t> angle(wideWidth);
  for (std::int32_t i = 0; i < height + 2 * reachY; ++i) {
    const double y = ModelCoordinate(i - reachY, height, scale);
    WaveRowOf(rows, columns, y, wave.data());
    rows.angle(columns.x.data(), y, wideWidth, steps, angle.data());
    const std::size_t first = static_cast<std::size_t>(i) * wideWidth;
    std::uint16_t* sum = picture.AngleWave + first;
    std::uint8_t* tenths = picture.Tenths + first;
    for (std::int32_t col = 0; col < wideWidth; ++col) {
      sum[col] = static_cast<std::uint16_t>(angle[col] + wave[col]);  // 754 ... 3404
      tenths[col] = static_cast<std::uint8_t>(TenthOfWave(wave[col]));
    }
  }
}

}  // namespace

std::int32_t DriftReachX(double scale) {
  return static_cast<std::int32_t>(kDriftMostX * scale) + 1;
}

std::int32_t DriftReachY(double scale) {
  return static_cast<std::int32_t>(kDriftMostY * scale) + 1;
}

void GiveBackScaledPicture(ScaledPicture& picture) {
  GiveBack(picture.Index);
  GiveBack(picture.AngleWave);
  GiveBack(picture.Tenths);
  GiveBack(picture.Cosine);
  picture = ScaledPicture{};
}

bool PrepareScaledPicture(ScaledPicture& picture, std::int32_t width, std::int32_t height) {
  assert(width >= 1 && width <= kLargestOutputSide && height >= 1 && height <= kLargestOutputSide);
  if (picture.width == width && picture.height == height) {
    return true;
  }
  GiveBackScaledPicture(picture);
  const double scale = ModelScale(width, height);
  picture.width = width;
  picture.height = height;
  picture.reachX = DriftReachX(scale);
  picture.reachY = DriftReachY(scale);
  const std::size_t wideWidth = static_cast<std::size_t>(width) + 2 * picture.reachX;
  const std::size_t wideEntries =
      wideWidth * (static_cast<std::size_t>(height) + 2 * picture.reachY);
  picture.Index = Allocate<std::int32_t>(static_cast<std::size_t>(width) * height);
  picture.AngleWave = Allocate<std::uint16_t>(wideEntries);
  picture.Tenths = Allocate<std::uint8_t>(wideEntries);
  picture.Cosine = Allocate<std::int32_t>(wideWidth);
  if (picture.Index == nullptr || picture.AngleWave == nullptr || picture.Tenths == nullptr ||
      picture.Cosine == nullptr || !CoverWaveRadii(WaveRadiiFor(picture, scale))) {
    GiveBackScaledPicture(picture);
    return false;
  }
  FillDriftedTerms(picture, scale);
  return true;
}
