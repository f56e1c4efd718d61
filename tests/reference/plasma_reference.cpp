#include "reference/plasma_reference.h"

#include <cmath>
#include <cstdint>

#include "plasma/geometry_tables.h"
#include "state/app_state.h"

namespace reference {
namespace {

double U(std::int32_t value) {
  return static_cast<double>(static_cast<std::uint32_t>(value));
}

// Truncation toward zero; the low 32 bits are kept.
std::int32_t Truncate(double value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(value)));
}

std::int32_t ModRing(std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) %
                                   static_cast<std::uint32_t>(ringSize));
}

std::int32_t Read(const std::int32_t* table, std::int32_t x, std::int32_t y) {
  return table[GridIndex(x, y)];
}

}  // namespace

void BuildGeometryTablesLiteral(std::int32_t* radius, std::int32_t* wave, std::int32_t* angle) {
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

void EvaluateModelLiteral(std::int32_t* indexBuffer) {
  const double sixTenths = static_cast<double>(0.6f);
  for (std::int32_t row = 0; row < screenHeight; ++row) {
    for (std::int32_t col = 0; col < screenWidth; ++col) {
      const std::int32_t x = col - app.centreX;
      const std::int32_t y = row - app.centreY;
      const std::int32_t* C = app.CosineTable;
      std::int32_t value = 0;
      switch (app.currentModel) {
        case 0:
          value =
              Read(app.WAVE, x + app.wideOffsetX, y) + Read(app.WAVE, x, y) + Read(app.ANGLE, x, y);
          break;
        case 1:
          value = Truncate(2.0 * (U(Read(app.ANGLE, x, y)) + U(C[col]) + U(C[row])) +
                           3.0 * U(Read(app.WAVE, x + app.smallOffsetX, y)));
          break;
        case 2:
          value = Read(app.ANGLE, x, y) + C[col] + C[row];
          break;
        case 3:
          value =
              Truncate(2.0 * U(Read(app.WAVE, x + app.smallOffsetX, y)) + U(Read(app.WAVE, x, y)));
          break;
        case 4:
          value = Truncate(2.0 * U(Read(app.WAVE, x + app.fixedOffsetX, y + app.fixedOffsetY)) +
                           4.0 * U(Read(app.WAVE, x + app.wideOffsetX, y + app.wideOffsetY)) +
                           8.0 * U(Read(app.WAVE, x + app.smallOffsetX, y + app.smallOffsetY)) +
                           U(Read(app.WAVE, x + app.halfScreenOffsetX, y + app.halfScreenOffsetY)));
          break;
        case 5:
          value = Read(app.ANGLE, x + app.halfScreenOffsetX, y + app.halfScreenOffsetY) +
                  Read(app.WAVE, x + app.fixedOffsetX, y + app.fixedOffsetY) +
                  Read(app.WAVE, x + app.wideOffsetX, y + app.wideOffsetY) +
                  Read(app.WAVE, x + app.smallOffsetX, y + app.smallOffsetY);
          break;
        case 6:
          value = C[col] + C[row] + Read(app.WAVE, x, y) + Read(app.ANGLE, x, y);
          break;
        case 7:
          value = Truncate(2.0 * U(Read(app.WAVE, x + app.fixedOffsetX, y + app.fixedOffsetY)) +
                           4.0 * U(Read(app.WAVE, x + app.wideOffsetX, y + app.wideOffsetY)) +
                           3.0 * U(Read(app.WAVE, x + app.smallOffsetX, y + app.smallOffsetY)));
          break;
        case 8:
          value =
              ModRing(Truncate((3500.0 / U(Read(app.RADIUS, x, y))) * U(C[Read(app.ANGLE, x, y)])));
          break;
        case 9: {
          const std::int32_t wrow =
              Read(app.WAVE, app.smallOffsetX - app.centreX, y + app.smallOffsetY);
          value = ModRing(Truncate(
              (2500.0 / U(Read(app.RADIUS, x, y))) * U(C[Read(app.ANGLE, x, y)]) + 2.0 * U(wrow)));
          break;
        }
        case 10:
          value = Truncate(U(Read(app.WAVE, x + app.smallOffsetX, y)) +
                           sixTenths * U(Read(app.WAVE, x, y)));
          break;
        case 11:
          value = Truncate(
              (U(Read(app.WAVE, x + app.smallOffsetX, y)) + 0.5 * U(C[Read(app.ANGLE, x, y)])) +
              sixTenths * U(Read(app.WAVE, x, y)));
          break;
        case 12:
          value = C[Read(app.ANGLE, x, y)] + C[row];
          break;
        case 13:
          value = Truncate(U(C[Read(app.ANGLE, x, y)] + C[col] + C[row]) +
                           U(Read(app.WAVE, x + app.smallOffsetX, y)));
          break;
        default:
          break;
      }
      indexBuffer[row * screenWidth + col] = value;
    }
  }
}

void ComposeFrameLiteral() {
  const double t = app.modelClockMs;
  const std::int32_t driftX =
      Truncate(40.0 * std::cos(t * static_cast<double>(0.002f)) + (app.smallOffsetX + 0.5));
  const std::int32_t driftY =
      Truncate(60.0 * std::sin(t * static_cast<double>(0.0014285714f)) + (app.smallOffsetY + 0.5));
  std::uint32_t rows = static_cast<std::uint32_t>(app.consoleTop);
  if (rows > static_cast<std::uint32_t>(screenHeight)) {
    rows = screenHeight;
  }
  std::int32_t entry = 0;
  for (std::uint32_t row = 0; row < rows; ++row) {
    for (std::int32_t col = 0; col < screenWidth; ++col) {
      std::int32_t v = app.IndexBuffer[entry];
      ++entry;
      const std::int32_t gx = col - app.centreX + driftX;
      const std::int32_t gy = static_cast<std::int32_t>(row) - app.centreY + driftY;
      switch (app.currentModel) {
        case 0:
          v = v + Read(app.ANGLE, gx, gy) + Read(app.WAVE, gx, gy);
          break;
        case 10:
        case 11:
          v = Truncate(U(v) + static_cast<double>(0.1f) * U(Read(app.WAVE, gx, gy)));
          break;
        case 12:
          v = v + app.CosineTable[col + driftX + 100];
          break;
        default:
          break;
      }
      app.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(app.pitchPixels) +
                 static_cast<std::size_t>(col)] = app.currentRing[v];
    }
  }
}

}  // namespace reference
