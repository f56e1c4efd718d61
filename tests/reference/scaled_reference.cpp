#include "reference/scaled_reference.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "plasma/model_selection.h"
#include "plasma/model_space.h"
#include "state/app_state.h"

namespace reference {
namespace {

double U(std::int32_t value) {
  return static_cast<double>(static_cast<std::uint32_t>(value));
}

std::int32_t RadiusAt(double px, double py) {
  const auto r = static_cast<std::int32_t>(std::sqrt(px * px + py * py) * 100.0);
  return r == 0 ? 1 : r;
}

std::int32_t WaveAt(double px, double py) {
  const double k = static_cast<double>(0.00078125f);
  return static_cast<std::int32_t>((std::sin(U(RadiusAt(px, py)) * k) + 1.0) * 50.0);
}

std::int32_t AngleAt(double px, double py) {
  return static_cast<std::int32_t>(std::atan2(py, px) * 406.0 + 2030.0);
}

std::int32_t ModRing(std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) %
                                   static_cast<std::uint32_t>(ringSize));
}

}  // namespace

void EvaluateModelScaledPlain(std::int32_t* field, std::int32_t width, std::int32_t height) {
  const std::int32_t* cosine = app.CosineTable;
  const std::int32_t model = app.currentModel;
  const double sx = app.smallOffsetX;
  const double sy = app.smallOffsetY;
  const double wx = app.wideOffsetX;
  const double wy = app.wideOffsetY;
  const double fx = app.fixedOffsetX;
  const double fy = app.fixedOffsetY;
  const double hx = app.halfScreenOffsetX;
  const double hy = app.halfScreenOffsetY;
  const double sixTenths = static_cast<double>(0.6f);
  const double scale = ModelScale(width, height);
  std::int32_t* out = field;
  for (std::int32_t row = 0; row < height; ++row) {
    const double y = ModelCoordinate(row, height, scale);
    for (std::int32_t col = 0; col < width; ++col) {
      const double x = ModelCoordinate(col, width, scale);
      const std::int32_t cc = CosineWave(model, x + 400);
      const std::int32_t cr = CosineWave(model, y + 300);
      const std::int32_t a0 = AngleAt(x, y);
      const std::int32_t ca = cosine[a0];
      std::int32_t value = 0;
      switch (model) {
        case 0:
          value = WaveAt(x + wx, y) + WaveAt(x, y) + a0;
          break;
        case 1:
          value = 2 * (a0 + cc + cr) + 3 * WaveAt(x + sx, y);
          break;
        case 2:
          value = a0 + cc + cr;
          break;
        case 3:
          value = 2 * WaveAt(x + sx, y) + WaveAt(x, y);
          break;
        case 4:
          value = 2 * WaveAt(x + fx, y + fy) + 4 * WaveAt(x + wx, y + wy) +
                  8 * WaveAt(x + sx, y + sy) + WaveAt(x + hx, y + hy);
          break;
        case 5:
          value = AngleAt(x + hx, y + hy) + WaveAt(x + fx, y + fy) + WaveAt(x + wx, y + wy) +
                  WaveAt(x + sx, y + sy);
          break;
        case 6:
          value = cc + cr + WaveAt(x, y) + a0;
          break;
        case 7:
          value =
              2 * WaveAt(x + fx, y + fy) + 4 * WaveAt(x + wx, y + wy) + 3 * WaveAt(x + sx, y + sy);
          break;
        case 8:
          value = ModRing(static_cast<std::int32_t>((3500.0 / U(RadiusAt(x, y))) * U(ca)));
          break;
        case 9:
          value = ModRing(static_cast<std::int32_t>((2500.0 / U(RadiusAt(x, y))) * U(ca) +
                                                    2.0 * U(WaveAt(sx - 400, y + sy))));
          break;
        case 10:
          value = static_cast<std::int32_t>(U(WaveAt(x + sx, y)) + sixTenths * U(WaveAt(x, y)));
          break;
        case 11:
          value = static_cast<std::int32_t>((U(WaveAt(x + sx, y)) + 0.5 * U(ca)) +
                                            sixTenths * U(WaveAt(x, y)));
          break;
        case 12:
          value = ca + cr;
          break;
        case 13:
          value = (ca + cc + cr) + WaveAt(x + sx, y);
          break;
        default:
          break;
      }
      *out++ = value;
    }
  }
}

void ComposeFrameScaledPlain(const FrameView& view, const std::int32_t* field,
                             std::int32_t consoleTop) {
  const double t = app.modelClockMs;
  const double scale = ModelScale(view.width, view.height);
  const double driftX = 40.0 * std::cos(t * static_cast<double>(0.002f)) + (app.smallOffsetX + 0.5);
  const double driftY =
      60.0 * std::sin(t * static_cast<double>(0.0014285714f)) + (app.smallOffsetY + 0.5);
  const auto dx = static_cast<std::int32_t>(driftX * scale);
  const auto dy = static_cast<std::int32_t>(driftY * scale);
  std::uint32_t rows = static_cast<std::uint32_t>(consoleTop);
  if (rows > static_cast<std::uint32_t>(view.height)) {
    rows = static_cast<std::uint32_t>(view.height);
  }
  const std::uint32_t* ring = app.currentRing;
  const std::int32_t model = app.currentModel;
  const double tenth = static_cast<double>(0.1f);
  for (std::uint32_t row = 0; row < rows; ++row) {
    const double gy = ModelCoordinate(static_cast<std::int32_t>(row) + dy, view.height, scale);
    const std::int32_t* index = field + static_cast<std::size_t>(row) * view.width;
    std::uint32_t* line = view.pixels + static_cast<std::size_t>(row) * view.pitch;
    for (std::int32_t col = 0; col < view.width; ++col) {
      std::int32_t v = index[col];
      const double gx = ModelCoordinate(col + dx, view.width, scale);
      switch (model) {
        case 0:
          v = v + AngleAt(gx, gy) + WaveAt(gx, gy);
          break;
        case 10:
        case 11:
          v = static_cast<std::int32_t>(U(v) + tenth * U(WaveAt(gx, gy)));
          break;
        case 12:
          v = v + CosineWave(model, gx + 500);
          break;
        default:
          break;
      }
      line[col] = ring[v];
    }
  }
}

}  // namespace reference
