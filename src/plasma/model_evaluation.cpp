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

#include "app/app_state.h"
#include "plasma/geometry_tables.h"
#include "plasma/unsigned_value.h"

namespace {

constexpr double kSixTenths = static_cast<double>(0.6f);  // 0.60000002384185791015625
constexpr double kHalf = 0.5;
constexpr double kModel8Dividend = 3500.0;
constexpr double kModel9Dividend = 2500.0;
constexpr std::int32_t kWaveValues = 100;  // WAVE holds 0 ... 99

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

// Entries of the row that reach the ring's size; the remainder leaves the others unchanged.
void WrapRowToRing(std::int32_t* out) {
  bool beyond = false;
  for (std::int32_t col = 0; col < screenWidth; ++col) {
    beyond |= out[col] >= ringSize;
  }
  if (!beyond) {
    return;
  }
  for (std::int32_t col = 0; col < screenWidth; ++col) {
    out[col] = static_cast<std::int32_t>(static_cast<std::uint32_t>(out[col]) %
                                         static_cast<std::uint32_t>(ringSize));
  }
}

// Models 8 and 9: ((dividend / R0) x CA + 2 Wrow) mod ringSize, with Wrow taken as 0 for model 8
// (adding 0.0 to a non-negative double changes nothing). The remainder is only taken in rows that
// reach the ring size, which happens only where R0 = 1.
void EvaluateQuotientModel(double dividend, bool withRowWave) {
  const std::vector<double> quotient = QuotientTable(dividend);
  const std::vector<double> cosineValue = CosineValues();
  ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t*) {
    const std::int32_t* r0 = TermRow(app.RADIUS, 0, 0, row);
    const std::int32_t* a0 = TermRow(app.ANGLE, 0, 0, row);
    const std::int32_t* rowWave = TermRow(app.WAVE, app.smallOffsetX, app.smallOffsetY, row);
    // Wrow: the grid column that Ws has at screen column 0, the same for the whole row.
    const double twiceWrow = withRowWave ? 2.0 * FromUnsigned(rowWave[0]) : 0.0;
    for (std::int32_t col = 0; col < screenWidth; ++col) {
      const double raw = quotient[r0[col]] * cosineValue[a0[col]] + twiceWrow;
      out[col] =
          static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(raw)));
    }
    WrapRowToRing(out);
  });
}

// Model 10, Wsx + 0.6 W0: both terms are WAVE values 0 ... 99, so the formula is taken once for
// each of the 10,000 pairs and looked up per pixel.
std::vector<std::uint8_t> SixTenthsPairTable() {
  std::vector<std::uint8_t> value(kWaveValues * kWaveValues);
  for (std::int32_t shifted = 0; shifted < kWaveValues; ++shifted) {
    for (std::int32_t own = 0; own < kWaveValues; ++own) {
      value[shifted * kWaveValues + own] = static_cast<std::uint8_t>(
          static_cast<std::int32_t>(FromUnsigned(shifted) + kSixTenths * FromUnsigned(own)));
    }
  }
  return value;
}

// Model 11, (Wsx + 0.5 CA) + 0.6 W0: the bracket is exactly h / 2 with h = 2 Wsx + CA, a whole
// number 0 ... 338 (CA <= 140), so the formula is taken once per pair (h, W0) and looked up.
constexpr std::int32_t kHalfSums = 2 * (kWaveValues - 1) + 140 + 1;
std::vector<std::uint8_t> HalfSumPairTable() {
  std::vector<std::uint8_t> value(kHalfSums * kWaveValues);
  for (std::int32_t h = 0; h < kHalfSums; ++h) {
    for (std::int32_t own = 0; own < kWaveValues; ++own) {
      value[h * kWaveValues + own] = static_cast<std::uint8_t>(
          static_cast<std::int32_t>(kHalf * h + kSixTenths * FromUnsigned(own)));
    }
  }
  return value;
}

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
    case 10: {  // Wsx + 0.6 W0, truncated
      const std::vector<std::uint8_t> sum = SixTenthsPairTable();
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t*) {
        const std::int32_t* wsx = TermRow(wave, app.smallOffsetX, 0, row);
        const std::int32_t* w0 = TermRow(wave, 0, 0, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = sum[wsx[col] * kWaveValues + w0[col]];
        }
      });
      break;
    }
    case 11: {  // (Wsx + 0.5 CA) + 0.6 W0, truncated
      assert(app.CosineTable[0] < kHalfSums - 2 * (kWaveValues - 1));  // CA <= 140
      const std::vector<std::uint8_t> sum = HalfSumPairTable();
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t* cosine) {
        const std::int32_t* wsx = TermRow(wave, app.smallOffsetX, 0, row);
        const std::int32_t* w0 = TermRow(wave, 0, 0, row);
        const std::int32_t* a0 = TermRow(angle, 0, 0, row);
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = sum[(2 * wsx[col] + cosine[a0[col]]) * kWaveValues + w0[col]];
        }
      });
      break;
    }
    case 12:  // CA + Cr
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t* cosine) {
        const std::int32_t* a0 = TermRow(angle, 0, 0, row);
        const std::int32_t cr = cosine[row];
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = cosine[a0[col]] + cr;
        }
      });
      break;
    case 13:  // (CA + Cc + Cr) + Wsx, double, whole terms
      ForEachRow([&](std::int32_t row, std::int32_t* out, const std::int32_t* cosine) {
        const std::int32_t* a0 = TermRow(angle, 0, 0, row);
        const std::int32_t* wsx = TermRow(wave, app.smallOffsetX, 0, row);
        const std::int32_t cr = cosine[row];
        for (std::int32_t col = 0; col < screenWidth; ++col) {
          out[col] = (cosine[a0[col]] + cosine[col] + cr) + wsx[col];
        }
      });
      break;
    default:
      assert(false && "currentModel is 0 ... 13");
      break;
  }
}
