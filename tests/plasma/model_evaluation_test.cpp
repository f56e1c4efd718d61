#include "plasma/model_evaluation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "doubles/test_scene.h"
#include "plasma/model_selection.h"
#include "reference/plasma_reference.h"
#include "state/app_state.h"

namespace {

constexpr std::int32_t kPixels = screenWidth * screenHeight;
constexpr std::int32_t kCentre = 300 * screenWidth + 400;

// The largest value each model can store with any add-ons the selection draws.
constexpr std::int32_t kNeverExceeds[kModelCount] = {3503, 8107,  3905,  297, 1485, 3602, 4004,
                                                     891,  20398, 20398, 158, 227,  279,  518};

class ModelEvaluation : public ::testing::Test {
 protected:
  void SetUp() override { doubles::PrepareTestScene(); }

  static std::vector<std::int32_t> IndexField() {
    return std::vector<std::int32_t>(app.IndexBuffer, app.IndexBuffer + kPixels);
  }

  static std::vector<std::int32_t> PlainField() {
    std::vector<std::int32_t> field(kPixels);
    reference::EvaluateModelPlain(field.data());
    return field;
  }

  // Selects `model` and then sets the small add-ons, re-evaluating.
  static void SelectWithSmallOffsets(std::int32_t model, std::int32_t x, std::int32_t y) {
    SelectModel(model);
    app.smallOffsetX = x;
    app.smallOffsetY = y;
    EvaluateModel();
  }
};

TEST_F(ModelEvaluation, EqualsThePlainFormulaAtEveryPixelOfEveryModelOnEveryPath) {
  for (std::int32_t model = 0; model < kModelCount; ++model) {
    for (std::int32_t set = 0; set < 3; ++set) {
      SelectModel(model);
      const std::vector<std::int32_t> plain = PlainField();
      for (SimdLevel level : doubles::EverySimdLevel()) {
        app.simdLevel = level;
        EvaluateModel();
        ASSERT_EQ(IndexField(), plain)
            << "model " << model << " set " << set << " path " << static_cast<std::int32_t>(level);
      }
    }
  }
}

TEST_F(ModelEvaluation, ExtremeAddOnsStillEqualThePlainFormula) {
  struct Extremes {
    std::int32_t small, wide, halfX, halfY;
  };
  const Extremes sets[] = {{-50, -300, -400, -300}, {49, 299, -1, -1}};
  for (std::int32_t model = 0; model < kModelCount; ++model) {
    for (const Extremes& e : sets) {
      SelectModel(model);
      app.smallOffsetX = app.smallOffsetY = e.small;
      app.wideOffsetX = app.wideOffsetY = e.wide;
      app.halfScreenOffsetX = e.halfX;
      app.halfScreenOffsetY = e.halfY;
      EvaluateModel();
      ASSERT_EQ(IndexField(), PlainField()) << "model " << model;
    }
  }
}

TEST_F(ModelEvaluation, CentrePixelValues) {
  for (std::int32_t set = 0; set < 5; ++set) {
    SelectModel(8);
    EXPECT_EQ(app.IndexBuffer[kCentre], 9545);  // (3500 / 1) x 265 = 927500, mod 20399
  }
  SelectWithSmallOffsets(9, 0, 0);
  EXPECT_EQ(app.IndexBuffer[kCentre], 11890);  // (2500 x 70 + 2 x 41) mod 20399
  SelectWithSmallOffsets(3, 0, 0);
  EXPECT_EQ(app.IndexBuffer[kCentre], 150);
  SelectModel(2);
  EXPECT_EQ(app.IndexBuffer[kCentre], 2255);  // 2030 + 24 + 201
}

TEST_F(ModelEvaluation, RowShiftedTermsIgnoreTheVerticalAddOn) {
  struct Case {
    std::int32_t model;
    std::int32_t* offset;
  };
  const Case cases[] = {{0, &app.wideOffsetY},   {1, &app.smallOffsetY},  {3, &app.smallOffsetY},
                        {10, &app.smallOffsetY}, {11, &app.smallOffsetY}, {13, &app.smallOffsetY}};
  for (const Case& c : cases) {
    SelectModel(c.model);
    const std::vector<std::int32_t> before = IndexField();
    *c.offset = *c.offset >= 0 ? -37 : 41;
    EvaluateModel();
    EXPECT_EQ(IndexField(), before) << "model " << c.model;
  }
}

TEST_F(ModelEvaluation, RewritesEveryEntryIncludingTheRowsUnderTheConsole) {
  SelectModel(4);
  std::fill(app.IndexBuffer, app.IndexBuffer + kPixels, -1);
  EvaluateModel();
  EXPECT_EQ(std::count(app.IndexBuffer, app.IndexBuffer + kPixels, -1), 0);
  EXPECT_EQ(IndexField(), PlainField());
}

// Models 10 and 11 split off the whole part of 0.6 W0; that must agree with the double formulas for
// every WAVE value and every whole or half-whole term the models can add to it. The tables hold
// 0 ... 99; a computed sine reaches 100 (at RADIUS 12146151, in a picture of extreme aspect).
TEST(SixTenthsSplit, AgreesWithTheDoubleFormulaForEveryWaveValue) {
  const double sixTenths = static_cast<double>(0.6f);
  for (std::int32_t w = 0; w <= 100; ++w) {
    const double b = sixTenths * w;
    for (std::int32_t a = 0; a < 1024; ++a) {
      ASSERT_EQ(static_cast<std::int32_t>(a + b), a + static_cast<std::int32_t>(b))
          << a << " " << w;
      ASSERT_EQ(static_cast<std::int32_t>(0.5 * a + b),
                (a + static_cast<std::int32_t>(2.0 * b)) >> 1)
          << a << " " << w;
    }
  }
}

// Random add-on sets for every model: every stored value within the model's bound and the ring.
// In debug builds the evaluation also asserts that every table read stays inside the grid.
TEST_F(ModelEvaluation, StoredIndicesNeverExceedTheirBounds) {
  constexpr std::int32_t kSetsPerModel = 150;
  for (std::int32_t model = 0; model < kModelCount; ++model) {
    std::int32_t lowest = 0;
    std::int32_t highest = 0;
    for (std::int32_t set = 0; set < kSetsPerModel; ++set) {
      SelectModel(model);
      const auto [low, high] = std::minmax_element(app.IndexBuffer, app.IndexBuffer + kPixels);
      lowest = std::min(lowest, *low);
      highest = std::max(highest, *high);
    }
    EXPECT_GE(lowest, 0) << "model " << model;
    EXPECT_LE(highest, kNeverExceeds[model]) << "model " << model;
    EXPECT_LT(highest, ringSize) << "model " << model;
  }
}

}  // namespace
