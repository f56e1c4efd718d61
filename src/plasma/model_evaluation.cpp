// The classic screen as a sample of the model space (plasma/model_formulas.h).
//
// Pixel (col, row) sits at x = col - centreX, y = row - centreY; a term shifted by the pair
// (dx, dy) reads grid point (x + dx, y + dy). Within a screen row every term is therefore
// screenWidth consecutive table entries, which a row reads as a plain pointer into the table.
#include "plasma/model_evaluation.h"

#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "plasma/geometry_tables.h"
#include "plasma/model_formulas.h"
#include "state/app_state.h"

namespace {

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

// A table term: its table and add-on pair.
struct TableTerm {
  const std::int32_t* table;
  std::int32_t dx;
  std::int32_t dy;
};

// dividend / R0: the quotient of every RADIUS value, and the row of quotients last gathered,
// kept for the row as far from the centre on its other side (RADIUS is the same at y and -y).
struct QuotientTerm {
  std::vector<double> ofRadius;
  std::vector<double> row;
  std::int32_t distance;  // rows from the centre of the row gathered, -1 before the first
};

struct ClassicRow {
  std::int32_t row;

  const std::int32_t* Read(const TableTerm& term) const {
    return TermRow(term.table, term.dx, term.dy, row);
  }
  const std::int32_t* Read(const TableTerm& term, std::int32_t*) const { return Read(term); }
  const double* Read(QuotientTerm& term) const {
    const std::int32_t distance = std::abs(row - app.centreY);
    if (term.distance != distance) {
      GatherRowQuotients(term.ofRadius, row, term.row.data());
      term.distance = distance;
    }
    return term.row.data();
  }
  // The classic Cr: at a whole y + 300, the cosine wave is CosineTable[row].
  std::int32_t Cosine() const { return app.CosineTable[row]; }
  std::int32_t WaveAtColumnZero(std::int32_t dx, std::int32_t dy) const {
    return TermRow(app.WAVE, dx, dy, row)[0];
  }
};

// Rows run top down, which suits the streams of table reads, unless a quotient term is made: then
// they go out from the centre in pairs, centreY + d and centreY - d, which share their RADIUS
// values, so that the term gathers each pair's quotients once.
struct ClassicSample {
  enum class RowOrder { TopDown, OutFromCentre };
  RowOrder order = RowOrder::TopDown;

  static constexpr std::int32_t Width() { return screenWidth; }
  static TableTerm Wave(std::int32_t dx, std::int32_t dy) { return {app.WAVE, dx, dy}; }
  static TableTerm Angle(std::int32_t dx, std::int32_t dy) { return {app.ANGLE, dx, dy}; }
  QuotientTerm Quotient(double dividend) {
    order = RowOrder::OutFromCentre;
    return {QuotientTable(dividend), std::vector<double>(screenWidth), -1};
  }
  // The classic Cc: at a whole x + 400, the cosine wave is CosineTable[col].
  static const std::int32_t* ColumnCosines() { return app.CosineTable; }

  template <typename RowFormula>
  void ForEachRow(RowFormula formula) const {
    const auto evaluate = [&formula](std::int32_t row) {
      ClassicRow classicRow{row};
      formula(classicRow, app.IndexBuffer + row * screenWidth);
    };
    if (order == RowOrder::TopDown) {
      for (std::int32_t row = 0; row < screenHeight; ++row) {
        evaluate(row);
      }
      return;
    }
    const std::int32_t centre = app.centreY;
    for (std::int32_t d = 0; d <= centre; ++d) {
      if (centre + d < screenHeight) {  // off the screen for d = centreY
        evaluate(centre + d);
      }
      if (d > 0) {
        evaluate(centre - d);
      }
    }
  }
};

}  // namespace

void EvaluateModel() {
  ClassicSample sample;
  EvaluateFormula(sample);
}
