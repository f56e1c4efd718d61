#include "plasma/scaled_picture.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "plasma/model_selection.h"
#include "plasma/model_space.h"
#include "plasma/scaled_terms.h"
#include "state/app_state.h"

namespace {

constexpr double kDriftMostX = 89.5;   // model units: 40 of swing and the small add-on's 49.5
constexpr double kDriftMostY = 109.5;  // 60 of swing and 49.5
// The add-ons move a term's point by at most 500 model units across (the fixed pair; Wrow's
// column lies within 450) and 300 down (the wide and half-screen pairs).
constexpr double kAddOnMostX = 500.0;
constexpr double kAddOnMostY = 300.0;
// The WAVE look-up covers at most this many RADIUS values (4 MB); farther points, reached only at
// extreme aspect ratios, compute the sine.
constexpr std::int32_t kMostWaveRadii = 1 << 22;
constexpr std::int32_t kCosineModel = 12;     // the model whose drifted term is a cosine
constexpr double kCosineColumnShift = 500.0;  // it reads C(x + 500), the classic col + 100

template <typename T>
T* Allocate(std::size_t entries) {
  return new (std::nothrow) T[entries];
}

template <typename T>
void GiveBack(T*& buffer) {
  delete[] buffer;
  buffer = nullptr;
}

void GiveBackPicture() {
  GiveBack(app.ScaledIndex);
  GiveBack(app.WaveOfRadius);
  GiveBack(app.ScaledAngleWave);
  GiveBack(app.ScaledTenths);
  GiveBack(app.ScaledCosine);
  app.scaledWidth = 0;
  app.scaledHeight = 0;
  app.waveRadii = 0;
  app.scaledIndexReady = false;
}

// One more than the largest RADIUS any term of any model, drifted or not, reads at this size, or
// kMostWaveRadii if that is smaller. Model-space coordinates grow with the output index, so the
// widened output's edge columns and rows bound them (and one unit more covers their rounding).
std::int32_t WaveRadiiFor(std::int32_t width, std::int32_t height, double scale) {
  const double x = std::fabs(ModelCoordinate(-app.scaledReachX - 1, width, scale)) + 1.0;
  const double y = std::fabs(ModelCoordinate(-app.scaledReachY - 1, height, scale)) + 1.0;
  const double radius = std::hypot(x + kAddOnMostX, y + kAddOnMostY) * 100.0 + 2.0;
  return radius < kMostWaveRadii ? static_cast<std::int32_t>(radius) : kMostWaveRadii;
}

// ANGLE + WAVE and WAVE div 10 at every point of the output widened by the drift's reach, row by
// row, and model 12's drifted cosine for every widened column.
void FillDriftedTerms(std::int32_t width, std::int32_t height, double scale) {
  const std::int32_t reachX = app.scaledReachX;
  const std::int32_t reachY = app.scaledReachY;
  const std::int32_t wideWidth = width + 2 * reachX;
  std::vector<double> columnX(wideWidth);
  for (std::int32_t i = 0; i < wideWidth; ++i) {
    columnX[i] = ModelCoordinate(i - reachX, width, scale);
    app.ScaledCosine[i] = CosineWave(kCosineModel, columnX[i] + kCosineColumnShift);
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
    std::uint16_t* sum = app.ScaledAngleWave + first;
    std::uint8_t* tenths = app.ScaledTenths + first;
    for (std::int32_t col = 0; col < wideWidth; ++col) {
      sum[col] = static_cast<std::uint16_t>(angle[col] + wave[col]);  // 754 ... 3404
      tenths[col] = static_cast<std::uint8_t>(wave[col] / 10);
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

bool PrepareScaledPicture(std::int32_t width, std::int32_t height) {
  assert(width >= 1 && width <= kLargestOutputSide && height >= 1 && height <= kLargestOutputSide);
  if (app.scaledWidth == width && app.scaledHeight == height) {
    return true;
  }
  GiveBackPicture();
  const double scale = ModelScale(width, height);
  app.scaledReachX = DriftReachX(scale);
  app.scaledReachY = DriftReachY(scale);
  const std::size_t wideWidth = static_cast<std::size_t>(width) + 2 * app.scaledReachX;
  const std::size_t wideEntries =
      wideWidth * (static_cast<std::size_t>(height) + 2 * app.scaledReachY);
  const std::int32_t waveRadii = WaveRadiiFor(width, height, scale);
  app.ScaledIndex = Allocate<std::int32_t>(static_cast<std::size_t>(width) * height);
  app.WaveOfRadius = Allocate<std::uint8_t>(static_cast<std::size_t>(waveRadii));
  app.ScaledAngleWave = Allocate<std::uint16_t>(wideEntries);
  app.ScaledTenths = Allocate<std::uint8_t>(wideEntries);
  app.ScaledCosine = Allocate<std::int32_t>(wideWidth);
  if (app.ScaledIndex == nullptr || app.WaveOfRadius == nullptr || app.ScaledAngleWave == nullptr ||
      app.ScaledTenths == nullptr || app.ScaledCosine == nullptr) {
    GiveBackPicture();
    return false;
  }
  BuildWaveOfRadius(waveRadii);
  FillDriftedTerms(width, height, scale);
  app.scaledWidth = width;
  app.scaledHeight = height;
  return true;
}
