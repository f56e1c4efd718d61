#include "plasma/model_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "doubles/test_scene.h"
#include "state/app_state.h"
#include "state/rng.h"

namespace {

class ModelSelection : public ::testing::Test {
 protected:
  void SetUp() override { doubles::PrepareTestScene(); }
};

TEST_F(ModelSelection, RandomChoiceTakesTheModelThenSixAddOnsFromRng) {
  app.rngState = 1;
  SelectModel(-1);
  EXPECT_EQ(app.currentModel, 13);
  EXPECT_EQ(app.smallOffsetX, 17);
  EXPECT_EQ(app.smallOffsetY, -16);
  EXPECT_EQ(app.wideOffsetX, -200);
  EXPECT_EQ(app.wideOffsetY, 269);
  EXPECT_EQ(app.halfScreenOffsetX, -276);
  EXPECT_EQ(app.halfScreenOffsetY, -222);
  EXPECT_EQ(app.fixedOffsetX, 500);
  EXPECT_EQ(app.fixedOffsetY, -150);
  EXPECT_EQ(app.centreX, 400);
  EXPECT_EQ(app.centreY, 300);
  EXPECT_EQ(app.rngState, doubles::RngStateAfter(1, 7));
}

// One Rng value r picks place r mod n of the set's n models in increasing order; with all 14
// that is the classic r mod 14.
TEST_F(ModelSelection, ARandomChoiceDrawsOneValueWithinTheSet) {
  struct Case {
    ModelSet models;
    std::vector<std::int32_t> inOrder;
  };
  const Case cases[] = {
      {kAllModels, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
      {0b1'1111'0000'1001, {0, 3, 8, 9, 10, 11, 12}},
      {1u << 13, {13}},
      {0b101, {0, 2}},
  };
  for (const Case& c : cases) {
    for (std::uint32_t seed = 1; seed <= 64; ++seed) {
      app.rngState = seed;
      const auto expected = c.inOrder[Rng() % c.inOrder.size()];
      app.rngState = seed;
      EXPECT_EQ(DrawModel(c.models), expected) << c.models << " " << seed;
      EXPECT_EQ(app.rngState, doubles::RngStateAfter(seed, 1));
    }
  }
  app.rngState = 1;
  app.settings.models = 1u << 5;
  SelectModel(-1);
  EXPECT_EQ(app.currentModel, 5);
  EXPECT_EQ(app.rngState, doubles::RngStateAfter(1, 7));
}

TEST_F(ModelSelection, RequestedModelDrawsOnlyTheAddOns) {
  app.rngState = 1;
  SelectModel(5);
  EXPECT_EQ(app.currentModel, 5);
  EXPECT_EQ(app.smallOffsetX, -9);
  EXPECT_EQ(app.smallOffsetY, 17);
  EXPECT_EQ(app.wideOffsetX, 34);
  EXPECT_EQ(app.wideOffsetY, -200);
  EXPECT_EQ(app.halfScreenOffsetX, -31);
  EXPECT_EQ(app.halfScreenOffsetY, -176);
  EXPECT_EQ(app.rngState, doubles::RngStateAfter(1, 6));
}

TEST_F(ModelSelection, AddOnsStayInTheirRanges) {
  app.centreX = 400;
  app.centreY = 300;
  for (std::int32_t draw = 0; draw < 20000; ++draw) {
    DrawAddOns();
    ASSERT_TRUE(app.smallOffsetX >= -50 && app.smallOffsetX <= 49);
    ASSERT_TRUE(app.smallOffsetY >= -50 && app.smallOffsetY <= 49);
    ASSERT_TRUE(app.wideOffsetX >= -300 && app.wideOffsetX <= 299);
    ASSERT_TRUE(app.wideOffsetY >= -300 && app.wideOffsetY <= 299);
    ASSERT_TRUE(app.halfScreenOffsetX >= -400 && app.halfScreenOffsetX <= -1);
    ASSERT_TRUE(app.halfScreenOffsetY >= -300 && app.halfScreenOffsetY <= -1);
  }
}

TEST_F(ModelSelection, CosineTablesHoldTheKnownSamples) {
  struct Sample {
    std::int32_t model;
    std::int32_t values[6];
  };
  const std::int32_t indices[6] = {0, 1, 10, 100, 400, 2030};
  const Sample samples[] = {{1, {300, 299, 253, 109, 220, 149}},
                            {8, {300, 299, 272, 298, 281, 265}},
                            {12, {140, 139, 139, 108, 21, 98}}};
  for (const Sample& s : samples) {
    SelectModel(s.model);
    for (std::int32_t k = 0; k < 6; ++k) {
      EXPECT_EQ(app.CosineTable[indices[k]], s.values[k]) << "model " << s.model;
    }
  }
  for (std::int32_t model : {0, 3, 4, 5, 7, 10}) {
    SelectModel(model);
    EXPECT_TRUE(std::all_of(app.CosineTable, app.CosineTable + ringSize,
                            [](std::int32_t c) { return c == 0; }))
        << "model " << model;
  }
}

TEST_F(ModelSelection, SameModelTwiceGivesTheSameCosineTableAndNewAddOns) {
  SelectModel(9);
  const std::vector<std::int32_t> first(app.CosineTable, app.CosineTable + ringSize);
  const std::int32_t offsets[] = {app.smallOffsetX, app.wideOffsetX, app.halfScreenOffsetY};
  SelectModel(9);
  EXPECT_EQ(std::vector<std::int32_t>(app.CosineTable, app.CosineTable + ringSize), first);
  const std::int32_t again[] = {app.smallOffsetX, app.wideOffsetX, app.halfScreenOffsetY};
  EXPECT_FALSE(std::equal(offsets, offsets + 3, again));
}

}  // namespace
