#include "reference/plasma_reference.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "plasma/geometry_tables.h"
#include "state/app_state.h"

namespace reference {
namespace {

// A table value entering a double expression: its unsigned 32-bit value.
double U(std::int32_t value) {
  return static_cast<double>(static_cast<std::uint32_t>(value));
}

// The table entry at grid point (x, y).
std::int32_t Read(const std::int32_t* table, std::int32_t x, std::int32_t y) {
  return table[GridIndex(x, y)];
}

// The remainder of a truncated value by the ring size, taken as unsigned.
std::int32_t ModRing(std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) %
                                   static_cast<std::uint32_t>(ringSize));
}

}  // namespace

void BuildGeometryTablesPlain(std::int32_t* radius, std::int32_t* wave, std::int32_t* angle) {
  const double k = static_cast<double>(0.00078125f);
  std::int32_t entry = 0;
  for (std::int32_t y = -1000; y <= 999; ++y) {
    for (std::int32_t x = -1000; x <= 999; ++x) {
      const std::int32_t s = x * x + y * y;
      std::int32_t r = static_cast<std::int32_t>(std::sqrt(static_cast<double>(s)) * 100.0);
      const std::int32_t a = static_cast<std::int32_t>(
          std::atan2(static_cast<double>(y), static_cast<double>(x)) * 406.0 + 2030.0);
      if (r == 0) {
        r = 1;
      }
      radius[entry] = r;
      angle[entry] = a;
      wave[entry] = static_cast<std::int32_t>((std::sin(U(r) * k) + 1.0) * 50.0);
      ++entry;
    }
  }
}

// Models of "double, whole terms" add whole numbers far below 2^53, exactly the integer sums, so
// they are written in integers; models 8 to 11 compute in double precision as their formulas say.
void EvaluateModelPlain(std::int32_t* indexBuffer) {
  const std::int32_t* radius = app.RADIUS;
  const std::int32_t* wave = app.WAVE;
  const std::int32_t* angle = app.ANGLE;
  const std::int32_t* cosine = app.CosineTable;
  const std::int32_t model = app.currentModel;
  const std::int32_t centreX = app.centreX;
  const std::int32_t centreY = app.centreY;
  const std::int32_t sx = app.smallOffsetX;
  const std::int32_t sy = app.smallOffsetY;
  const std::int32_t wx = app.wideOffsetX;
  const std::int32_t wy = app.wideOffsetY;
  const std::int32_t fx = app.fixedOffsetX;
  const std::int32_t fy = app.fixedOffsetY;
  const std::int32_t hx = app.halfScreenOffsetX;
  const std::int32_t hy = app.halfScreenOffsetY;
  const double sixTenths = static_cast<double>(0.6f);
  std::int32_t* out = indexBuffer;
  for (std::int32_t row = 0; row < screenHeight; ++row) {
    const std::int32_t y = row - centreY;
    for (std::int32_t col = 0; col < screenWidth; ++col) {
      const std::int32_t x = col - centreX;
      std::int32_t value = 0;
      switch (model) {
        case 0:
          value = Read(wave, x + wx, y) + Read(wave, x, y) + Read(angle, x, y);
          break;
        case 1:
          value = 2 * (Read(angle, x, y) + cosine[col] + cosine[row]) + 3 * Read(wave, x + sx, y);
          break;
        case 2:
          value = Read(angle, x, y) + cosine[col] + cosine[row];
          break;
        case 3:
          value = 2 * Read(wave, x + sx, y) + Read(wave, x, y);
          break;
        case 4:
          value = 2 * Read(wave, x + fx, y + fy) + 4 * Read(wave, x + wx, y + wy) +
                  8 * Read(wave, x + sx, y + sy) + Read(wave, x + hx, y + hy);
          break;
        case 5:
          value = Read(angle, x + hx, y + hy) + Read(wave, x + fx, y + fy) +
                  Read(wave, x + wx, y + wy) + Read(wave, x + sx, y + sy);
          break;
        case 6:
          value = cosine[col] + cosine[row] + Read(wave, x, y) + Read(angle, x, y);
          break;
        case 7:
          value = 2 * Read(wave, x + fx, y + fy) + 4 * Read(wave, x + wx, y + wy) +
                  3 * Read(wave, x + sx, y + sy);
          break;
        case 8:
          value = ModRing(static_cast<std::int32_t>((3500.0 / U(Read(radius, x, y))) *
                                                    U(cosine[Read(angle, x, y)])));
          break;
        case 9:
          value = ModRing(static_cast<std::int32_t>((2500.0 / U(Read(radius, x, y))) *
                                                        U(cosine[Read(angle, x, y)]) +
                                                    2.0 * U(Read(wave, sx - centreX, y + sy))));
          break;
        case 10:
          value =
              static_cast<std::int32_t>(U(Read(wave, x + sx, y)) + sixTenths * U(Read(wave, x, y)));
          break;
        case 11:
          value = static_cast<std::int32_t>(
              (U(Read(wave, x + sx, y)) + 0.5 * U(cosine[Read(angle, x, y)])) +
              sixTenths * U(Read(wave, x, y)));
          break;
        case 12:
          value = cosine[Read(angle, x, y)] + cosine[row];
          break;
        case 13:
          value = (cosine[Read(angle, x, y)] + cosine[col] + cosine[row]) + Read(wave, x + sx, y);
          break;
        default:
          break;
      }
      *out++ = value;
    }
  }
}

void ComposeFramePlain(const FrameView& frame) {
  const double t = app.modelClockMs;
  const std::int32_t driftX = static_cast<std::int32_t>(
      40.0 * std::cos(t * static_cast<double>(0.002f)) + (app.smallOffsetX + 0.5));
  const std::int32_t driftY = static_cast<std::int32_t>(
      60.0 * std::sin(t * static_cast<double>(0.0014285714f)) + (app.smallOffsetY + 0.5));
  std::uint32_t rows = static_cast<std::uint32_t>(app.consoleTop);
  if (rows > static_cast<std::uint32_t>(screenHeight)) {
    rows = screenHeight;
  }
  const std::int32_t* index = app.IndexBuffer;
  const std::int32_t* wave = app.WAVE;
  const std::int32_t* angle = app.ANGLE;
  const std::int32_t* cosine = app.CosineTable;
  const std::uint32_t* ring = app.currentRing;
  std::uint32_t* pixels = frame.pixels;
  const std::size_t pitch = static_cast<std::size_t>(frame.pitch);
  const std::int32_t model = app.currentModel;
  const std::int32_t centreX = app.centreX;
  const std::int32_t centreY = app.centreY;
  const double tenth = static_cast<double>(0.1f);
  for (std::uint32_t row = 0; row < rows; ++row) {
    const std::int32_t gy = static_cast<std::int32_t>(row) - centreY + driftY;
    std::uint32_t* line = pixels + row * pitch;
    for (std::int32_t col = 0; col < screenWidth; ++col) {
      std::int32_t v = *index++;
      const std::int32_t gx = col - centreX + driftX;
      switch (model) {
        case 0:
          v = v + Read(angle, gx, gy) + Read(wave, gx, gy);
          break;
        case 10:
        case 11:
          v = static_cast<std::int32_t>(U(v) + tenth * U(Read(wave, gx, gy)));
          break;
        case 12:
          v = v + cosine[col + driftX + 100];
          break;
        default:
          break;
      }
      line[col] = ring[v];
    }
  }
}

}  // namespace reference
