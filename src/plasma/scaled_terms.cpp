#include "plasma/scaled_terms.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "plasma/scaled_terms_simd.h"
#include "state/app_state.h"

namespace {

constexpr double kRadiusScale = 100.0;                          // RADIUS units per model unit
constexpr double kWaveRate = static_cast<double>(0.00078125f);  // radians per RADIUS unit
constexpr double kWaveScale = 50.0;                             // WAVE units per unit of (sin + 1)

void RadiusRowPortable(const double* xSquared, double ySquared, std::int32_t count,
                       std::int32_t* out) {
  for (std::int32_t i = 0; i < count; ++i) {
    const auto r = static_cast<std::int32_t>(std::sqrt(xSquared[i] + ySquared) * kRadiusScale);
    out[i] = r == 0 ? 1 : r;
  }
}

void AngleRowPortable(const double* x, double y, std::int32_t count, const AtanSteps& steps,
                      std::int32_t* out) {
  for (std::int32_t i = 0; i < count; ++i) {
    out[i] = FastAngle(x[i], y, steps);
  }
}

}  // namespace

ShiftedColumns ShiftColumns(const std::vector<double>& columnX, double shift) {
  ShiftedColumns columns;
  columns.x.resize(columnX.size());
  columns.xSquared.resize(columnX.size());
  for (std::size_t i = 0; i < columnX.size(); ++i) {
    const double x = columnX[i] + shift;
    columns.x[i] = x;
    columns.xSquared[i] = x * x;
  }
  return columns;
}

std::int32_t RadiusAt(double px, double py) {
  const auto r = static_cast<std::int32_t>(std::sqrt(px * px + py * py) * kRadiusScale);
  return r == 0 ? 1 : r;
}

std::int32_t WaveOfRadius(std::int32_t radius) {
  const double phase = static_cast<double>(static_cast<std::uint32_t>(radius)) * kWaveRate;
  return static_cast<std::int32_t>((std::sin(phase) + 1.0) * kWaveScale);
}

void BuildWaveOfRadius(std::int32_t entries) {
  for (std::int32_t r = 0; r < entries; ++r) {
    app.WaveOfRadius[r] = static_cast<std::uint8_t>(WaveOfRadius(r));
  }
  app.waveRadii = entries;
}

TermRows ChosenTermRows(SimdLevel level) {
  TermRows rows{VectorRadiusRow(level), VectorAngleRow(level)};
  if (rows.radius == nullptr) {
    rows.radius = RadiusRowPortable;
  }
  if (rows.angle == nullptr) {
    rows.angle = AngleRowPortable;
  }
  return rows;
}

void WaveRowOf(const TermRows& rows, const ShiftedColumns& columns, double y, std::int32_t* out) {
  const auto count = static_cast<std::int32_t>(columns.x.size());
  rows.radius(columns.xSquared.data(), y * y, count, out);
  const std::uint8_t* wave = app.WaveOfRadius;
  // RADIUS is positive, so the unsigned comparison also covers a table of zero entries.
  const auto covered = static_cast<std::uint32_t>(app.waveRadii);
  for (std::int32_t i = 0; i < count; ++i) {
    const auto r = static_cast<std::uint32_t>(out[i]);
    out[i] = r < covered ? wave[r] : WaveOfRadius(out[i]);
  }
}
