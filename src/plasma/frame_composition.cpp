#include "plasma/frame_composition.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "plasma/geometry_tables.h"
#include "state/app_state.h"

namespace {

constexpr double kDriftSwingX = 40.0;  // grid units either side of smallOffsetX
constexpr double kDriftSwingY = 60.0;  // grid units either side of smallOffsetY
constexpr double kDriftRateX = static_cast<double>(0.002f);         // radians per ms
constexpr double kDriftRateY = static_cast<double>(0.0014285714f);  // radians per ms, ~1/700
constexpr std::int32_t kTenths = 10;  // models 10 and 11 add 0.1f x WAVE, i.e. WAVE div 10
constexpr std::int32_t kCosineColumnShift = 100;  // model 12 reads column + drift + 100

// First of the screenWidth entries that the drifted term reads in screen `row`.
const std::int32_t* DriftRow(const std::int32_t* table, FrameDrift drift, std::int32_t row) {
  const std::int32_t x = drift.x - app.centreX;
  const std::int32_t y = row - app.centreY + drift.y;
  assert(x >= -kGridHalf && x + screenWidth <= kGridHalf);
  assert(y >= -kGridHalf && y < kGridHalf);
  return table + GridIndex(x, y);
}

// Runs compose(row, index, pixels) for the rows above the console: index is the row's
// IndexBuffer entries, pixels its first back-buffer pixel. A console top beyond the screen
// (or negative, hence huge as unsigned) draws the whole screen and nothing more.
template <typename RowComposer>
void ForEachDrawnRow(RowComposer compose) {
  assert(app.pitchPixels >= screenWidth);
  const std::uint32_t rows = std::min(static_cast<std::uint32_t>(app.consoleTop),
                                      static_cast<std::uint32_t>(screenHeight));
  const auto pitch = static_cast<std::size_t>(app.pitchPixels);
  for (std::int32_t row = 0; row < static_cast<std::int32_t>(rows); ++row) {
    compose(row, app.IndexBuffer + row * screenWidth,
            app.pixels + static_cast<std::size_t>(row) * pitch);
  }
}

}  // namespace

FrameDrift ComputeFrameDrift(std::int32_t modelClockMs, std::int32_t restX, std::int32_t restY) {
  const double t = modelClockMs;
  const double x = kDriftSwingX * std::cos(t * kDriftRateX) + (static_cast<double>(restX) + 0.5);
  const double y = kDriftSwingY * std::sin(t * kDriftRateY) + (static_cast<double>(restY) + 0.5);
  return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

void ComposeFrame() {
  const FrameDrift drift = ComputeFrameDrift(app.modelClockMs, app.smallOffsetX, app.smallOffsetY);
  const std::uint32_t* ring = app.currentRing;
  switch (app.currentModel) {
    case 0:  // v + ANGLE(g) + WAVE(g)
      ForEachDrawnRow([&](std::int32_t row, const std::int32_t* index, std::uint32_t* pixels) {
        const std::int32_t* angle = DriftRow(app.ANGLE, drift, row);
        const std::int32_t* wave = DriftRow(app.WAVE, drift, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          pixels[col] = ring[index[col] + angle[col] + wave[col]];
        }
      });
      break;
    case 10:
    case 11: {  // v + 0.1 WAVE(g), truncated
      // 0.1 is a single-precision value, 1.5e-9 above a tenth: for WAVE values 0 ... 99 the
      // product lies at most 1.5e-7 above w / 10, so its fraction stays below 0.91 and adding a
      // whole index below 2^10 (models 10 and 11 store at most 227) never rounds across an
      // integer. Hence trunc(v + 0.1 w) = v + w div 10, taken from a 100-entry table.
      constexpr std::int32_t kWaveValues = 100;  // WAVE holds 0 ... 99
      std::array<std::int32_t, kWaveValues> tenth;
      for (std::int32_t w = 0; w < kWaveValues; ++w) {
        tenth[w] = w / kTenths;
      }
      ForEachDrawnRow([&](std::int32_t row, const std::int32_t* index, std::uint32_t* pixels) {
        const std::int32_t* wave = DriftRow(app.WAVE, drift, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          pixels[col] = ring[index[col] + tenth[wave[col]]];
        }
      });
      break;
    }
    case 12: {  // v + CosineTable[col + driftX + 100]
      const std::int32_t first = drift.x + kCosineColumnShift;
      assert(first >= 0 && first + screenWidth <= ringSize);
      const std::int32_t* cosine = app.CosineTable + first;
      ForEachDrawnRow([&](std::int32_t, const std::int32_t* index, std::uint32_t* pixels) {
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          pixels[col] = ring[index[col] + cosine[col]];
        }
      });
      break;
    }
    default:  // the index field as it stands
      ForEachDrawnRow([&](std::int32_t, const std::int32_t* index, std::uint32_t* pixels) {
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          pixels[col] = ring[index[col]];
        }
      });
      break;
  }
}
