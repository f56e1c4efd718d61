// The 14 model formulas, each written once as a row loop and chosen once per evaluation, over a
// sample of the model space: the classic screen, whose terms are runs of the geometry tables
// (model_evaluation.cpp), or an output of any size, whose terms are computed along each row
// (scaled_evaluation.cpp). Both samples give a formula the same integers at the same points.
//
// A sample s makes the terms a formula reads, once per evaluation, and runs its rows:
//   s.Width()            entries per row
//   s.Wave(dx, dy)       WAVE at every point of a row moved by the add-on pair (dx, dy)
//   s.Angle(dx, dy)      ANGLE likewise
//   s.Quotient(d)        d / RADIUS at every point of a row, as doubles
//   s.ColumnCosines()    Cc, the model's cosine wave at x + 400, for every column
//   s.ForEachRow(f)      f(row, out) for each of its rows, out the row's Width() entries
// and each row reads them:
//   row.Read(term)       the term along the row
//   row.Read(term, out)  the same, which a sample that computes its terms may compute into the
//                        row's output entries, so that their stores overlap the computing: for
//                        one term of the row, where each out[col] is then written from the
//                        entries at col alone
//   row.Cosine()         Cr, the cosine wave at y + 300
//   row.WaveAtColumnZero(dx, dy)  WAVE at (dx - 400, y + dy), where the pair's term meets column 0
//
// Term names: W WAVE, A ANGLE, R RADIUS, C the cosine wave; the suffix names the add-on pair (0
// none, s small, w wide, f fixed, h half-screen), and a trailing x takes the pair's x only. CA is
// CosineTable[A0].
//
// Models marked "double, whole terms" multiply and add whole numbers far below 2^53 (no term
// exceeds 3306); in double precision those operations are exact, so the integer expression gives
// the very same value. Models 8 to 11 keep their double formulas' values; see each.
#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

#include "plasma/model_evaluation_simd.h"
#include "plasma/unsigned_value.h"
#include "state/app_state.h"

constexpr double kSixTenths = static_cast<double>(0.6f);  // 0.60000002384185791015625
constexpr double kModel8Dividend = 3500.0;
constexpr double kModel9Dividend = 2500.0;

// Models 10 and 11 add b = 0.6 W0 (a double, W0 = 0 ... 100; the tables hold up to 99, a computed
// sine can reach 1) to a whole or half-whole number. The fraction of b is within 2.4e-6 above a
// multiple of 0.2 (0.6 is a single-precision value), so adding a whole number a below 2^10 never
// rounds across an integer and
//   trunc(a + b) = a + trunc(b),   trunc(h / 2 + b) = (h + trunc(2 b)) >> 1 for whole h >= 0
// (doubling b is exact; trunc(2 b) = 2 trunc(b) + [fraction >= 0.5]).
//
// trunc(b) and trunc(2 b) come from a multiply and a shift, which vectorise where the double
// products and conversions cost several instructions per value: 77 / 128 exceeds 0.6 by 0.0016 and
// 615 / 512 exceeds 1.2 by 0.0012, which adds at most 0.16 and 0.12 for W0 <= 100, while the
// fractions of 0.6 W0 and 1.2 W0 are whole fifths up to 0.8: no product is carried across an
// integer. The static_assert below checks all 101 values against the double formulas.
constexpr std::int32_t SixTenthsOf(std::int32_t wave) {
  return (wave * 77) >> 7;
}
constexpr std::int32_t TwelveTenthsOf(std::int32_t wave) {
  return (wave * 615) >> 9;
}
constexpr bool TenthsEqualTheDoubleFormulas() {
  constexpr std::int32_t kWaveValues = 101;  // WAVE is 0 ... 100
  for (std::int32_t w = 0; w < kWaveValues; ++w) {
    const double b = kSixTenths * static_cast<double>(w);
    if (SixTenthsOf(w) != static_cast<std::int32_t>(b) ||
        TwelveTenthsOf(w) != static_cast<std::int32_t>(2.0 * b)) {
      return false;
    }
  }
  return true;
}
static_assert(TenthsEqualTheDoubleFormulas(),
              "trunc(0.6f W0) and trunc(2 x 0.6f W0) for 0 ... 100");

// The CA gather of app.simdLevel: its vector version where this build has one, else the portable
// loop.
CosineGather ChosenCosineGather();

// The CosineTable entries as doubles, converted once per evaluation instead of once per pixel.
std::vector<double> CosineValues();

// The entries of a row that reach the ring's size taken modulo it, as unsigned numbers.
void WrapRowToRing(std::int32_t* out, std::int32_t count);

// Models 8 and 9: ((dividend / R0) x CA + 2 Wrow) mod ringSize, with Wrow taken as 0 for model 8
// (adding 0.0 to a non-negative double changes nothing). Wrow is WAVE where Ws meets column 0, one
// value per row. The raw value is at most 3500 x 300 + 200, so truncating to 32 bits equals
// truncating to 64 and keeping the low 32.
template <typename Sample>
void EvaluateQuotientModel(Sample& s, double dividend, bool withRowWave) {
  auto quotientTerm = s.Quotient(dividend);
  auto a0Term = s.Angle(0, 0);
  const std::vector<double> cosineValue = CosineValues();
  const std::int32_t width = s.Width();
  s.ForEachRow([&](auto& row, std::int32_t* out) {
    const double* quotient = row.Read(quotientTerm);
    const std::int32_t* a0 = row.Read(a0Term, out);
    const double twiceWrow =
        withRowWave ? 2.0 * FromUnsigned(row.WaveAtColumnZero(app.smallOffsetX, app.smallOffsetY))
                    : 0.0;
    for (std::int32_t col = 0; col < width; ++col) {
      out[col] = static_cast<std::int32_t>(quotient[col] * cosineValue[a0[col]] + twiceWrow);
    }
    WrapRowToRing(out, width);
  });
}

// Writes every row of the sample with app.currentModel's formula over its cosine table and
// add-ons. Every value stored is below ringSize.
template <typename Sample>
void EvaluateFormula(Sample& s) {
  const std::int32_t* cosine = app.CosineTable;
  const std::int32_t width = s.Width();
  switch (app.currentModel) {
    case 0: {  // Wwx + W0 + A0
      auto wwxTerm = s.Wave(app.wideOffsetX, 0);
      auto w0Term = s.Wave(0, 0);
      auto a0Term = s.Angle(0, 0);
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* wwx = row.Read(wwxTerm, out);
        const std::int32_t* w0 = row.Read(w0Term);
        const std::int32_t* a0 = row.Read(a0Term);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = wwx[col] + w0[col] + a0[col];
        }
      });
      break;
    }
    case 1: {  // 2 (A0 + Cc + Cr) + 3 Wsx, double, whole terms
      auto a0Term = s.Angle(0, 0);
      auto wsxTerm = s.Wave(app.smallOffsetX, 0);
      const std::int32_t* cc = s.ColumnCosines();
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* a0 = row.Read(a0Term, out);
        const std::int32_t* wsx = row.Read(wsxTerm);
        const std::int32_t cr = row.Cosine();
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = 2 * (a0[col] + cc[col] + cr) + 3 * wsx[col];
        }
      });
      break;
    }
    case 2: {  // A0 + Cc + Cr
      auto a0Term = s.Angle(0, 0);
      const std::int32_t* cc = s.ColumnCosines();
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* a0 = row.Read(a0Term, out);
        const std::int32_t cr = row.Cosine();
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = a0[col] + cc[col] + cr;
        }
      });
      break;
    }
    case 3: {  // 2 Wsx + W0, double, whole terms
      auto wsxTerm = s.Wave(app.smallOffsetX, 0);
      auto w0Term = s.Wave(0, 0);
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* wsx = row.Read(wsxTerm, out);
        const std::int32_t* w0 = row.Read(w0Term);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = 2 * wsx[col] + w0[col];
        }
      });
      break;
    }
    case 4: {  // 2 Wf + 4 Ww + 8 Ws + Wh, double, whole terms
      auto wfTerm = s.Wave(app.fixedOffsetX, app.fixedOffsetY);
      auto wwTerm = s.Wave(app.wideOffsetX, app.wideOffsetY);
      auto wsTerm = s.Wave(app.smallOffsetX, app.smallOffsetY);
      auto whTerm = s.Wave(app.halfScreenOffsetX, app.halfScreenOffsetY);
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* wf = row.Read(wfTerm, out);
        const std::int32_t* ww = row.Read(wwTerm);
        const std::int32_t* ws = row.Read(wsTerm);
        const std::int32_t* wh = row.Read(whTerm);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = 2 * wf[col] + 4 * ww[col] + 8 * ws[col] + wh[col];
        }
      });
      break;
    }
    case 5: {  // Ah + Wf + Ww + Ws
      auto ahTerm = s.Angle(app.halfScreenOffsetX, app.halfScreenOffsetY);
      auto wfTerm = s.Wave(app.fixedOffsetX, app.fixedOffsetY);
      auto wwTerm = s.Wave(app.wideOffsetX, app.wideOffsetY);
      auto wsTerm = s.Wave(app.smallOffsetX, app.smallOffsetY);
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* ah = row.Read(ahTerm, out);
        const std::int32_t* wf = row.Read(wfTerm);
        const std::int32_t* ww = row.Read(wwTerm);
        const std::int32_t* ws = row.Read(wsTerm);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = ah[col] + wf[col] + ww[col] + ws[col];
        }
      });
      break;
    }
    case 6: {  // Cc + Cr + W0 + A0
      auto w0Term = s.Wave(0, 0);
      auto a0Term = s.Angle(0, 0);
      const std::int32_t* cc = s.ColumnCosines();
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* w0 = row.Read(w0Term, out);
        const std::int32_t* a0 = row.Read(a0Term);
        const std::int32_t cr = row.Cosine();
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = cc[col] + cr + w0[col] + a0[col];
        }
      });
      break;
    }
    case 7: {  // 2 Wf + 4 Ww + 3 Ws, double, whole terms
      auto wfTerm = s.Wave(app.fixedOffsetX, app.fixedOffsetY);
      auto wwTerm = s.Wave(app.wideOffsetX, app.wideOffsetY);
      auto wsTerm = s.Wave(app.smallOffsetX, app.smallOffsetY);
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* wf = row.Read(wfTerm, out);
        const std::int32_t* ww = row.Read(wwTerm);
        const std::int32_t* ws = row.Read(wsTerm);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = 2 * wf[col] + 4 * ww[col] + 3 * ws[col];
        }
      });
      break;
    }
    case 8:  // ((3500 / R0) CA, truncated) mod ringSize
      EvaluateQuotientModel(s, kModel8Dividend, false);
      break;
    case 9:  // ((2500 / R0) CA + 2 Wrow, truncated) mod ringSize
      EvaluateQuotientModel(s, kModel9Dividend, true);
      break;
    case 10: {  // Wsx + 0.6 W0, truncated
      auto wsxTerm = s.Wave(app.smallOffsetX, 0);
      auto w0Term = s.Wave(0, 0);
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* wsx = row.Read(wsxTerm, out);
        const std::int32_t* w0 = row.Read(w0Term);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = wsx[col] + SixTenthsOf(w0[col]);
        }
      });
      break;
    }
    case 11: {  // (Wsx + 0.5 CA) + 0.6 W0, truncated: the bracket is h / 2 with h = 2 Wsx + CA
      auto wsxTerm = s.Wave(app.smallOffsetX, 0);
      auto w0Term = s.Wave(0, 0);
      auto a0Term = s.Angle(0, 0);
      const CosineGather gather = ChosenCosineGather();
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* wsx = row.Read(wsxTerm);
        const std::int32_t* w0 = row.Read(w0Term);
        gather(row.Read(a0Term, out), cosine, width, out);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = (2 * wsx[col] + out[col] + TwelveTenthsOf(w0[col])) >> 1;
        }
      });
      break;
    }
    case 12: {  // CA + Cr
      auto a0Term = s.Angle(0, 0);
      const CosineGather gather = ChosenCosineGather();
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t cr = row.Cosine();
        gather(row.Read(a0Term, out), cosine, width, out);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] += cr;
        }
      });
      break;
    }
    case 13: {  // (CA + Cc + Cr) + Wsx, double, whole terms
      auto wsxTerm = s.Wave(app.smallOffsetX, 0);
      auto a0Term = s.Angle(0, 0);
      const std::int32_t* cc = s.ColumnCosines();
      const CosineGather gather = ChosenCosineGather();
      s.ForEachRow([&](auto& row, std::int32_t* out) {
        const std::int32_t* wsx = row.Read(wsxTerm);
        const std::int32_t cr = row.Cosine();
        gather(row.Read(a0Term, out), cosine, width, out);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = (out[col] + cc[col] + cr) + wsx[col];
        }
      });
      break;
    }
    default:
      assert(false && "currentModel is 0 ... 13");
      break;
  }
}
