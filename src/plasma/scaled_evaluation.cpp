// The 14 model formulas at any output size, each a row loop chosen once per evaluation.
//
// Each term is computed along the whole output row first (plasma/scaled_terms.h), into its own
// row of scratch entries; the formula then combines the rows as the classic evaluation combines
// table rows. Cc depends on the column only and Cr on the row only, so each is computed once per
// column or row. The arithmetic of every formula is the classic one: integer sums, whole terms
// in place of exact double sums, and the double formulas of models 8 to 11 written out.
#include "plasma/scaled_evaluation.h"

#include <cassert>
#include <cstdint>
#include <vector>

#include "plasma/model_selection.h"
#include "plasma/model_space.h"
#include "plasma/scaled_terms.h"
#include "plasma/unsigned_value.h"
#include "state/app_state.h"

namespace {

constexpr double kSixTenths = static_cast<double>(0.6f);  // 0.60000002384185791015625
constexpr double kModel8Dividend = 3500.0;
constexpr double kModel9Dividend = 2500.0;
constexpr std::int32_t kScratchRows = 4;  // the most terms a formula reads beside its cosines

// What the rows of one evaluation share.
struct Evaluation {
  std::int32_t* field;
  std::int32_t width;
  std::int32_t height;
  double scale;
  std::vector<double> columnX;  // model-space x of each output column
  TermRows rows;
  AtanSteps steps;
  std::vector<std::int32_t> scratch;  // kScratchRows rows of width entries
};

// Runs formula(y, out, term) for rows firstRow ... endRow - 1: y is the row's model-space y,
// out its field entries and term(k) the k-th scratch row.
template <typename RowFormula>
void ForEachRow(Evaluation& e, std::int32_t firstRow, std::int32_t endRow, RowFormula formula) {
  std::int32_t* scratch = e.scratch.data();
  const auto term = [scratch, width = e.width](std::int32_t k) { return scratch + k * width; };
  for (std::int32_t row = firstRow; row < endRow; ++row) {
    const double y = ModelCoordinate(row, e.height, e.scale);
    formula(y, e.field + static_cast<std::ptrdiff_t>(row) * e.width, term);
  }
}

// Cc, C(x + 400), for every output column.
std::vector<std::int32_t> ColumnCosines(const Evaluation& e) {
  std::vector<std::int32_t> cosine(e.columnX.size());
  for (std::size_t i = 0; i < cosine.size(); ++i) {
    cosine[i] = CosineWave(app.currentModel, e.columnX[i] + kModelCentreX);
  }
  return cosine;
}

// Cr, C(y + 300).
std::int32_t RowCosine(double y) {
  return CosineWave(app.currentModel, y + kModelCentreY);
}

// WAVE and ANGLE rows read at add-on pair (X, Y) from output row y.
struct TermAt {
  const Evaluation& e;
  ShiftedColumns columns;
  double dy;
  TermAt(const Evaluation& evaluation, std::int32_t dx, std::int32_t dyPair)
      : e(evaluation), columns(ShiftColumns(evaluation.columnX, dx)), dy(dyPair) {}
  void Wave(double y, std::int32_t* out) const { WaveRowOf(e.rows, columns, y + dy, out); }
  void Angle(double y, std::int32_t* out) const {
    e.rows.angle(columns.x.data(), y + dy, e.width, e.steps, out);
  }
  void Radius(double y, std::int32_t* out) const {
    const double py = y + dy;
    e.rows.radius(columns.xSquared.data(), py * py, e.width, out);
  }
};

std::int32_t WrapToRing(std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) %
                                   static_cast<std::uint32_t>(ringSize));
}

// Models 8 and 9: ((dividend / R0) x CA + 2 Wrow) mod ringSize, with Wrow taken as 0 for model 8
// (adding 0.0 to a non-negative double changes nothing). Wrow is WAVE at the fixed model-space
// column smallOffsetX - 400, so it is one value per row.
void EvaluateQuotientModel(Evaluation& e, std::int32_t firstRow, std::int32_t endRow,
                           double dividend, bool withRowWave) {
  const TermAt own(e, 0, 0);
  const std::int32_t* cosine = app.CosineTable;
  const double rowWaveX = app.smallOffsetX - kModelCentreX;
  const double rowWaveDy = app.smallOffsetY;
  ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
    std::int32_t* r0 = term(0);
    std::int32_t* a0 = term(1);
    own.Radius(y, r0);
    own.Angle(y, a0);
    const double twiceWrow =
        withRowWave ? 2.0 * FromUnsigned(WaveOfRadius(RadiusAt(rowWaveX, y + rowWaveDy))) : 0.0;
    for (std::int32_t col = 0; col < e.width; ++col) {
      const double value =
          (dividend / FromUnsigned(r0[col])) * FromUnsigned(cosine[a0[col]]) + twiceWrow;
      out[col] = WrapToRing(static_cast<std::int32_t>(value));
    }
  });
}

void EvaluateRows(Evaluation& e, std::int32_t firstRow, std::int32_t endRow) {
  const std::int32_t* cosine = app.CosineTable;
  const std::int32_t width = e.width;
  switch (app.currentModel) {
    case 0: {  // Wwx + W0 + A0
      const TermAt wwx(e, app.wideOffsetX, 0);
      const TermAt own(e, 0, 0);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        wwx.Wave(y, term(0));
        own.Wave(y, term(1));
        own.Angle(y, term(2));
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = term(0)[col] + term(1)[col] + term(2)[col];
        }
      });
      break;
    }
    case 1: {  // 2 (A0 + Cc + Cr) + 3 Wsx, double, whole terms
      const TermAt own(e, 0, 0);
      const TermAt wsx(e, app.smallOffsetX, 0);
      const std::vector<std::int32_t> cc = ColumnCosines(e);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        own.Angle(y, term(0));
        wsx.Wave(y, term(1));
        const std::int32_t cr = RowCosine(y);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = 2 * (term(0)[col] + cc[col] + cr) + 3 * term(1)[col];
        }
      });
      break;
    }
    case 2: {  // A0 + Cc + Cr
      const TermAt own(e, 0, 0);
      const std::vector<std::int32_t> cc = ColumnCosines(e);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto) {
        own.Angle(y, out);
        const std::int32_t cr = RowCosine(y);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] += cc[col] + cr;
        }
      });
      break;
    }
    case 3: {  // 2 Wsx + W0, double, whole terms
      const TermAt wsx(e, app.smallOffsetX, 0);
      const TermAt own(e, 0, 0);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        wsx.Wave(y, term(0));
        own.Wave(y, term(1));
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = 2 * term(0)[col] + term(1)[col];
        }
      });
      break;
    }
    case 4: {  // 2 Wf + 4 Ww + 8 Ws + Wh, double, whole terms
      const TermAt wf(e, app.fixedOffsetX, app.fixedOffsetY);
      const TermAt ww(e, app.wideOffsetX, app.wideOffsetY);
      const TermAt ws(e, app.smallOffsetX, app.smallOffsetY);
      const TermAt wh(e, app.halfScreenOffsetX, app.halfScreenOffsetY);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        wf.Wave(y, term(0));
        ww.Wave(y, term(1));
        ws.Wave(y, term(2));
        wh.Wave(y, term(3));
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = 2 * term(0)[col] + 4 * term(1)[col] + 8 * term(2)[col] + term(3)[col];
        }
      });
      break;
    }
    case 5: {  // Ah + Wf + Ww + Ws
      const TermAt h(e, app.halfScreenOffsetX, app.halfScreenOffsetY);
      const TermAt wf(e, app.fixedOffsetX, app.fixedOffsetY);
      const TermAt ww(e, app.wideOffsetX, app.wideOffsetY);
      const TermAt ws(e, app.smallOffsetX, app.smallOffsetY);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        h.Angle(y, term(0));
        wf.Wave(y, term(1));
        ww.Wave(y, term(2));
        ws.Wave(y, term(3));
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = term(0)[col] + term(1)[col] + term(2)[col] + term(3)[col];
        }
      });
      break;
    }
    case 6: {  // Cc + Cr + W0 + A0
      const TermAt own(e, 0, 0);
      const std::vector<std::int32_t> cc = ColumnCosines(e);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        own.Wave(y, term(0));
        own.Angle(y, term(1));
        const std::int32_t cr = RowCosine(y);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = cc[col] + cr + term(0)[col] + term(1)[col];
        }
      });
      break;
    }
    case 7: {  // 2 Wf + 4 Ww + 3 Ws, double, whole terms
      const TermAt wf(e, app.fixedOffsetX, app.fixedOffsetY);
      const TermAt ww(e, app.wideOffsetX, app.wideOffsetY);
      const TermAt ws(e, app.smallOffsetX, app.smallOffsetY);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        wf.Wave(y, term(0));
        ww.Wave(y, term(1));
        ws.Wave(y, term(2));
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = 2 * term(0)[col] + 4 * term(1)[col] + 3 * term(2)[col];
        }
      });
      break;
    }
    case 8:  // ((3500 / R0) CA, truncated) mod ringSize
      EvaluateQuotientModel(e, firstRow, endRow, kModel8Dividend, false);
      break;
    case 9:  // ((2500 / R0) CA + 2 Wrow, truncated) mod ringSize
      EvaluateQuotientModel(e, firstRow, endRow, kModel9Dividend, true);
      break;
    case 10: {  // Wsx + 0.6 W0, truncated
      const TermAt wsx(e, app.smallOffsetX, 0);
      const TermAt own(e, 0, 0);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        wsx.Wave(y, term(0));
        own.Wave(y, term(1));
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = static_cast<std::int32_t>(FromUnsigned(term(0)[col]) +
                                               kSixTenths * FromUnsigned(term(1)[col]));
        }
      });
      break;
    }
    case 11: {  // (Wsx + 0.5 CA) + 0.6 W0, truncated
      const TermAt wsx(e, app.smallOffsetX, 0);
      const TermAt own(e, 0, 0);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        wsx.Wave(y, term(0));
        own.Wave(y, term(1));
        own.Angle(y, term(2));
        for (std::int32_t col = 0; col < width; ++col) {
          const double bracket =
              FromUnsigned(term(0)[col]) + 0.5 * FromUnsigned(cosine[term(2)[col]]);
          out[col] = static_cast<std::int32_t>(bracket + kSixTenths * FromUnsigned(term(1)[col]));
        }
      });
      break;
    }
    case 12: {  // CA + Cr
      const TermAt own(e, 0, 0);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto) {
        own.Angle(y, out);
        const std::int32_t cr = RowCosine(y);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = cosine[out[col]] + cr;
        }
      });
      break;
    }
    case 13: {  // (CA + Cc + Cr) + Wsx, double, whole terms
      const TermAt own(e, 0, 0);
      const TermAt wsx(e, app.smallOffsetX, 0);
      const std::vector<std::int32_t> cc = ColumnCosines(e);
      ForEachRow(e, firstRow, endRow, [&](double y, std::int32_t* out, auto term) {
        own.Angle(y, term(0));
        wsx.Wave(y, term(1));
        const std::int32_t cr = RowCosine(y);
        for (std::int32_t col = 0; col < width; ++col) {
          out[col] = (cosine[term(0)[col]] + cc[col] + cr) + term(1)[col];
        }
      });
      break;
    }
    default:
      assert(false && "currentModel is 0 ... 13");
      break;
  }
}

}  // namespace

void EvaluateModelInto(std::int32_t* field, std::int32_t width, std::int32_t height,
                       std::int32_t firstRow, std::int32_t endRow) {
  assert(width >= 1 && width <= kLargestOutputSide && height >= 1 && height <= kLargestOutputSide);
  assert(firstRow >= 0 && firstRow <= endRow && endRow <= height);
  Evaluation e{field,
               width,
               height,
               ModelScale(width, height),
               std::vector<double>(width),
               ChosenTermRows(app.simdLevel),
               MakeAtanSteps(),
               std::vector<std::int32_t>(static_cast<std::size_t>(kScratchRows) * width)};
  for (std::int32_t col = 0; col < width; ++col) {
    e.columnX[col] = ModelCoordinate(col, width, e.scale);
  }
  EvaluateRows(e, firstRow, endRow);
}
