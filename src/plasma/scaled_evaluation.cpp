// An output of any size as a sample of the model space (plasma/model_formulas.h).
//
// Each term is computed along the whole output row (plasma/scaled_terms.h) into its own row of
// entries, which the formula then reads as the classic one reads table rows. The add-on pair moves
// a term's columns once per evaluation; Cc depends on the column only and Cr on the row only, so
// each is computed once per column or row.
#include "plasma/scaled_evaluation.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "plasma/model_formulas.h"
#include "plasma/model_selection.h"
#include "plasma/model_space.h"
#include "plasma/scaled_terms.h"
#include "plasma/unsigned_value.h"
#include "state/app_state.h"

namespace {

// WAVE or ANGLE at the output row's points moved by an add-on pair, and the row last computed.
struct ShiftedTerm {
  enum class Kind { Wave, Angle } kind;
  ShiftedColumns columns;
  double dy;
  std::vector<std::int32_t> row;
};

// dividend / RADIUS at the output row's own points.
struct QuotientTerm {
  double dividend;
  ShiftedColumns columns;
  std::vector<std::int32_t> radius;
  std::vector<double> row;
};

struct ScaledSample {
  std::int32_t* field;
  std::int32_t width;
  std::int32_t height;
  std::int32_t firstRow;
  std::int32_t endRow;
  double scale;
  std::vector<double> columnX;  // model-space x of each output column
  TermRows rows;
  AtanSteps steps;
  std::vector<std::int32_t> columnCosines;  // Cc, once a formula asks for it

  std::int32_t Width() const { return width; }
  ShiftedTerm Wave(std::int32_t dx, std::int32_t dy) const {
    return {ShiftedTerm::Kind::Wave, ShiftColumns(columnX, dx), static_cast<double>(dy),
            std::vector<std::int32_t>(width)};
  }
  ShiftedTerm Angle(std::int32_t dx, std::int32_t dy) const {
    return {ShiftedTerm::Kind::Angle, ShiftColumns(columnX, dx), static_cast<double>(dy),
            std::vector<std::int32_t>(width)};
  }
  QuotientTerm Quotient(double dividend) const {
    return {dividend, ShiftColumns(columnX, 0.0), std::vector<std::int32_t>(width),
            std::vector<double>(width)};
  }
  // Cc, C(x + 400).
  const std::int32_t* ColumnCosines() {
    columnCosines.resize(width);
    for (std::int32_t col = 0; col < width; ++col) {
      columnCosines[col] = CosineWave(app.currentModel, columnX[col] + kModelCentreX);
    }
    return columnCosines.data();
  }

  struct Row {
    const ScaledSample& sample;
    double y;  // the row's model-space y

    const std::int32_t* Read(ShiftedTerm& term, std::int32_t* into) const {
      const double py = y + term.dy;
      if (term.kind == ShiftedTerm::Kind::Wave) {
        WaveRowOf(sample.rows, term.columns, py, into);
      } else {
        sample.rows.angle(term.columns.x.data(), py, sample.width, sample.steps, into);
      }
      return into;
    }
    const std::int32_t* Read(ShiftedTerm& term) const { return Read(term, term.row.data()); }
    const double* Read(QuotientTerm& term) const {
      sample.rows.radius(term.columns.xSquared.data(), y * y, sample.width, term.radius.data());
      for (std::int32_t col = 0; col < sample.width; ++col) {
        term.row[col] = term.dividend / FromUnsigned(term.radius[col]);
      }
      return term.row.data();
    }
    // Cr, C(y + 300).
    std::int32_t Cosine() const { return CosineWave(app.currentModel, y + kModelCentreY); }
    std::int32_t WaveAtColumnZero(std::int32_t dx, std::int32_t dy) const {
      return WaveOfRadius(RadiusAt(dx - kModelCentreX, y + dy));
    }
  };

  template <typename RowFormula>
  void ForEachRow(RowFormula formula) const {
    for (std::int32_t row = firstRow; row < endRow; ++row) {
      Row sampleRow{*this, ModelCoordinate(row, height, scale)};
      formula(sampleRow, field + static_cast<std::ptrdiff_t>(row) * width);
    }
  }
};

}  // namespace

void EvaluateModelInto(std::int32_t* field, std::int32_t width, std::int32_t height,
                       std::int32_t firstRow, std::int32_t endRow) {
  assert(width >= 1 && width <= kLargestOutputSide && height >= 1 && height <= kLargestOutputSide);
  assert(firstRow >= 0 && firstRow <= endRow && endRow <= height);
  ScaledSample sample{field,
                      width,
                      height,
                      firstRow,
                      endRow,
                      ModelScale(width, height),
                      std::vector<double>(width),
                      ChosenTermRows(app.simdLevel),
                      MakeAtanSteps(),
                      {}};
  for (std::int32_t col = 0; col < width; ++col) {
    sample.columnX[col] = ModelCoordinate(col, width, sample.scale);
  }
  EvaluateFormula(sample);
}
