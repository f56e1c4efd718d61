// The 14 model formulas, each a row loop chosen once per evaluation.
//
// Pixel (col, row) sits at x = col - centreX, y = row - centreY; a term shifted by the pair
// (dx, dy) reads grid point (x + dx, y + dy). Within a screen row every term therefore reads
// screenWidth consecutive table entries, so each loop steps plain pointers set up per row.
//
// Models marked "double, whole terms" multiply and add whole numbers far below 2^53 (table values
// are at most 141421); in double precision those operations are exact, so the integer
// expression below gives the very same value. The other double models convert the table values
// as unsigned 32-bit integers and keep the order of operations of their formulas.
#include "plasma/model_evaluation.h"

#include <cassert>
#include <cstdint>
#include <vector>

#include "plasma/geometry_tables.h"
#include "plasma/model_evaluation_simd.h"
#include "plasma/unsigned_value.h"
#include "state/app_state.h"

namespace {

constexpr double kSixTenths = static_cast<double>(0.6f);  // 0.60000002384185791015625
constexpr double kModel8Dividend = 3500.0;
constexpr double kModel9Dividend = 2500.0;

// First of the screenWidth entries that a term shifted by (dx, dy) reads in screen `row`. The
// add-on ranges keep the whole run inside one grid row.
const std::int32_t* TermRow(const std::int32_t* table, std::int32_t dx, std::int32_t dy,
                            std::int32_t row) {
  const std::int32_t x = dx - app.centreX;
  const std::int32_t y = row - app.centreY + dy;
  assert(x >= -kGridHalf && x + screenWidth <= kGridHalf);
  assert(y >= -kGridHalf && y < kGridHalf);
  return table + GridIndex(x, y);
}

// Runs formula(row, out, cosine) for every screen row; out is the row's IndexBuffer entries and
// cosine the CosineTable, which Cc reads by column and Cr by row.
template <typename RowFormula>
void ForEachRow(RowFormula formula) {
  for (std::int32_t row = 0; row < screenHeight; ++row) {
    formula(row, app.IndexBuffer + row * screenWidth, app.CosineTable);
  }
}

// dividend / R0 for every RADIUS value in the screen window. RADIUS grows with the distance
// from the origin, so the window corner farthest from the centre holds its largest value; one
// division per value (about 50,000) replaces one per pixel and gives the same quotients.
std::vector<double> QuotientTable(double dividend) {
  const std::int32_t largest = app.RADIUS[GridIndex(-app.centreX, -app.centreY)];
  std::vector<double> quotient(static_cast<std::size_t>(largest) + 1);
  for (std::int32_t r = 1; r <= largest; ++r) {  // RADIUS is never 0
    quotient[r] = dividend / static_cast<double>(r);
  }
  return quotient;
}

// The CosineTable entries as doubles, converted once instead of once per pixel.
std::vector<double> CosineValues() {
  std::vector<double> values(ringSize);
  for (std::int32_t i = 0; i < ringSize; ++i) {
    values[i] = FromUnsigned(app.CosineTable[i]);
  }
  return values;
}

// CA, CosineTable[A0], for a whole row into `out`, on the vector path chosen at start-up where
// this build has one: models 11, 12 and 13 gather it first and add their other terms after.
void GatherPortable(const std::int32_t* angle, const std::int32_t* cosine, std::int32_t* out) {
  for (std::int32_t col = 0; col < screenWidth; ++col) {
    out[col] = cosine[angle[col]];
  }
}

CosineGather ChosenCosineGather() {
  const CosineGather vector = VectorCosineGather(app.simdLevel);
  return vector != nullptr ? vector : GatherPortable;
}

// Entries of the row that reach the ring's size; the remainder leaves the others unchanged.
void WrapRowToRing(std::int32_t* out) {
  std::int32_t beyond = 0;  // a count rather than a flag, so that the scan vectorises
  for (std::int32_t col = 0; col < screenWidth; ++col) {
    beyond += out[col] >= ringSize ? 1 : 0;
  }
  if (beyond == 0) {
    return;
  }
  for (std::int32_t col = 0; col < screenWidth; ++col) {
    out[col] = static_cast<std::int32_t>(static_cast<std::uint32_t>(out[col]) %
                                         static_cast<std::uint32_t>(ringSize));
  }
}

// dividend / R0 along one screen row. RADIUS depends on x * x + y * y only, so it is the same at
// x and -x: the quotients are gathered for x = 0 ... 399 and x = -400 and mirrored for the rest.
void GatherRowQuotients(const std::vector<double>& quotient, std::int32_t row, double* out) {
  const std::int32_t* r0 = TermRow(app.RADIUS, 0, 0, row);
  const std::int32_t centre = app.centreX;
  for (std::int32_t col = centre; col < screenWidth; ++col) {
    out[col] = quotient[r0[col]];
  }
  for (std::int32_t col = 1; col < centre; ++col) {
    assert(r0[col] == r0[2 * centre - col]);
    out[col] = out[2 * centre - col];
  }
  out[0] = quotient[r0[0]];
}

// Models 8 and 9: ((dividend / R0) x CA + 2 Wrow) mod ringSize, with Wrow taken as 0 for model 8
// (adding 0.0 to a non-negative double changes nothing). RADIUS is also the same at y and -y, so
// rows centreY + d and centreY - d share one row of quotients. The raw value is at most
// 3500 x 300 + 198, so truncating to 32 bits equals truncating to 64 and keeping the low 32; the
// remainder is only taken in rows that reach the ring size, which happens only where R0 = 1.
void EvaluateQuotientModel(double dividend, bool withRowWave) {
  const std::vector<double> quotient = QuotientTable(dividend);
  const std::vector<double> cosineValue = CosineValues();
  double rowQuotient[screenWidth];
  const auto evaluateRow = [&](std::int32_t row) {
    const std::int32_t* a0 = TermRow(app.ANGLE, 0, 0, row);
    const std::int32_t* rowWave = TermRow(app.WAVE, app.smallOffsetX, app.smallOffsetY, row);
    // Wrow: the grid column that Ws has at screen column 0, the same for the whole row.
    const double twiceWrow = withRowWave ? 2.0 * FromUnsigned(rowWave[0]) : 0.0;
    std::int32_t* out = app.IndexBuffer + row * screenWidth;
    for (std::int32_t col = 0; col < screenWidth; ++col) {
      out[col] = static_cast<std::int32_t>(rowQuotient[col] * cosineValue[a0[col]] + twiceWrow);
    }
    WrapRowToRing(out);
  };
  const std::int32_t centre = app.centreY;
  for (std::int32_t d = 0; d <= centre; ++d) {
    const std::int32_t below = centre + d;  // off the screen for d = centreY
    const std::int32_t above = centre - d;
    GatherRowQuotients(quotient, below < screenHeight ? below : above, rowQuotient);
    if (below < screenHeight) {
      evaluateRow(below);
    }
    if (d > 0) {
      evaluateRow(above);
    }
  }
}

// Models 10 and 11 add b = 0.6 W0 (a double, W0 = 0 ... 99) to a whole or half-whole number. The
// fraction of b is within 2.4e-6 above a multiple of 0.2 (0.6 is a single-precision value), so
// adding a whole number a below 2^10 never rounds across an integer and
//   trunc(a + b) = a + trunc(b),   trunc(h / 2 + b) = (h + trunc(2 b)) >> 1 for whole h >= 0
// (doubling b is exact; trunc(2 b) = 2 trunc(b) + [fraction >= 0.5]). The tests compare both
// models with the plain formulas over every pixel.
//
// trunc(b) and trunc(2 b) come from a multiply and a shift, which vectorise where the double
// products and conversions cost several instructions per value: 77 / 128 exceeds 0.6 by 0.0016 and
// 615 / 512 exceeds 1.2 by 0.0012, which adds at most 0.16 and 0.12 for W0 <= 99, while the
// fractions of 0.6 W0 and 1.2 W0 are whole fifths up to 0.8: no product is carried across an
// integer. The static_assert below checks all 100 values against the double formulas.
constexpr std::int32_t SixTenthsOf(std::int32_t wave) {
  return (wave * 77) >> 7;
}
constexpr std::int32_t TwelveTenthsOf(std::int32_t wave) {
  return (wave * 615) >> 9;
}
constexpr bool TenthsEqualTheDoubleFormulas() {
  constexpr std::int32_t kWaveValues = 100;  // WAVE holds 0 ... 99
  for (std::int32_t w = 0; w < kWaveValues; ++w) {
    const double b = kSixTenths * static_cast<double>(w);
    if (SixTenthsOf(w) != static_cast<std::int32_t>(b) ||
        TwelveTenthsOf(w) != static_cast<std::int32_t>(2.0 * b)) {
      return false;
    }
  }
  return true;
}
static_assert(TenthsEqualTheDoubleFormulas(), "trunc(0.6f W0) and trunc(2 x 0.6f W0) for 0 ... 99");

}  // namespace

void EvaluateModel() {
  const std::int32_t* wave = app.WAVE;
  const std::int32_t* angle = app.ANGLE;
  switch (app.currentModel) {
    case 0:  // Wwx + W0 + A0
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t*) {
        const std::int32_t* wwx = TermRow(wave, app.wideOffsetX, 0, row);
        const std::int32_t* w0 = TermRow(wave, 0, 0, row);
        const std::int32_t* a0 = TermRow(angle, 0, 0, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = wwx[col] + w0[col] + a0[col];
        }
      });
      break;
    case 1:  // 2 (A0 + Cc + Cr) + 3 Wsx, double, whole terms
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t* cosine) {
        const std::int32_t* a0 = TermRow(angle, 0, 0, row);
        const std::int32_t* wsx = TermRow(wave, app.smallOffsetX, 0, row);
        const std::int32_t cr = cosine[row];
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = 2 * (a0[col] + cosine[col] + cr) + 3 * wsx[col];
        }
      });
      break;
    case 2:  // A0 + Cc + Cr
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t* cosine) {
        const std::int32_t* a0 = TermRow(angle, 0, 0, row);
        const std::int32_t cr = cosine[row];
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = a0[col] + cosine[col] + cr;
        }
      });
      break;
    case 3:  // 2 Wsx + W0, double, whole terms
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t*) {
        const std::int32_t* wsx = TermRow(wave, app.smallOffsetX, 0, row);
        const std::int32_t* w0 = TermRow(wave, 0, 0, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = 2 * wsx[col] + w0[col];
        }
      });
      break;
    case 4:  // 2 Wf + 4 Ww + 8 Ws + Wh, double, whole terms
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t*) {
        const std::int32_t* wf = TermRow(wave, app.fixedOffsetX, app.fixedOffsetY, row);
        const std::int32_t* ww = TermRow(wave, app.wideOffsetX, app.wideOffsetY, row);
        const std::int32_t* ws = TermRow(wave, app.smallOffsetX, app.smallOffsetY, row);
        const std::int32_t* wh = TermRow(wave, app.halfScreenOffsetX, app.halfScreenOffsetY, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = 2 * wf[col] + 4 * ww[col] + 8 * ws[col] + wh[col];
        }
      });
      break;
    case 5:  // Ah + Wf + Ww + Ws
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t*) {
        const std::int32_t* ah = TermRow(angle, app.halfScreenOffsetX, app.halfScreenOffsetY, row);
        const std::int32_t* wf = TermRow(wave, app.fixedOffsetX, app.fixedOffsetY, row);
        const std::int32_t* ww = TermRow(wave, app.wideOffsetX, app.wideOffsetY, row);
        const std::int32_t* ws = TermRow(wave, app.smallOffsetX, app.smallOffsetY, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = ah[col] + wf[col] + ww[col] + ws[col];
        }
      });
      break;
    case 6:  // Cc + Cr + W0 + A0
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t* cosine) {
        const std::int32_t* w0 = TermRow(wave, 0, 0, row);
        const std::int32_t* a0 = TermRow(angle, 0, 0, row);
        const std::int32_t cr = cosine[row];
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = cosine[col] + cr + w0[col] + a0[col];
        }
      });
      break;
    case 7:  // 2 Wf + 4 Ww + 3 Ws, double, whole terms
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t*) {
        const std::int32_t* wf = TermRow(wave, app.fixedOffsetX, app.fixedOffsetY, row);
        const std::int32_t* ww = TermRow(wave, app.wideOffsetX, app.wideOffsetY, row);
        const std::int32_t* ws = TermRow(wave, app.smallOffsetX, app.smallOffsetY, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = 2 * wf[col] + 4 * ww[col] + 3 * ws[col];
        }
      });
      break;
    case 8:  // ((3500 / R0) CA, truncated) mod ringSize
      EvaluateQuotientModel(kModel8Dividend, false);
      break;
    case 9:  // ((2500 / R0) CA + 2 Wrow, truncated) mod ringSize
      EvaluateQuotientModel(kModel9Dividend, true);
      break;
    case 10:  // Wsx + 0.6 W0, truncated
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t*) {
        const std::int32_t* wsx = TermRow(wave, app.smallOffsetX, 0, row);
        const std::int32_t* w0 = TermRow(wave, 0, 0, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = wsx[col] + SixTenthsOf(w0[col]);
        }
      });
      break;
    case 11: {  // (Wsx + 0.5 CA) + 0.6 W0, truncated: the bracket is h / 2 with h = 2 Wsx + CA
      const CosineGather gather = ChosenCosineGather();
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t* cosine) {
        const std::int32_t* wsx = TermRow(wave, app.smallOffsetX, 0, row);
        const std::int32_t* w0 = TermRow(wave, 0, 0, row);
        gather(TermRow(angle, 0, 0, row), cosine, out);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = (2 * wsx[col] + out[col] + TwelveTenthsOf(w0[col])) >> 1;
        }
      });
      break;
    }
    case 12: {  // CA + Cr
      const CosineGather gather = ChosenCosineGather();
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t* cosine) {
        const std::int32_t cr = cosine[row];
        gather(TermRow(angle, 0, 0, row), cosine, out);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] += cr;
        }
      });
      break;
    }
    case 13: {  // (CA + Cc + Cr) + Wsx, double, whole terms
      const CosineGather gather = ChosenCosineGather();
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t* cosine) {
        const std::int32_t* wsx = TermRow(wave, app.smallOffsetX, 0, row);
        const std::int32_t cr = cosine[row];
        gather(TermRow(angle, 0, 0, row), cosine, out);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = (out[col] + cosine[col] + cr) + wsx[col];
        }
      });
      break;
    }
    default:
      assert(false && "currentModel is 0 ... 13");
      break;
  }
}
