#include "plasma/geometry_tables.h"

#include <gtest/gtest.h>

#include <vector>

#include "doubles/test_scene.h"
#include "reference/plasma_reference.h"
#include "state/app_state.h"

namespace {

class GeometryTables : public ::testing::Test {
 protected:
  void SetUp() override { doubles::PrepareTestScene(); }

  static std::int32_t At(const std::int32_t* table, std::int32_t x, std::int32_t y) {
    return table[GridIndex(x, y)];
  }
};

TEST_F(GeometryTables, EqualThePlainFormulaAtEveryGridPoint) {
  std::vector<std::int32_t> radius(kGridEntries);
  std::vector<std::int32_t> wave(kGridEntries);
  std::vector<std::int32_t> angle(kGridEntries);
  reference::BuildGeometryTablesPlain(radius.data(), wave.data(), angle.data());

  std::int32_t mismatches = 0;
  for (std::int32_t i = 0; i < kGridEntries; ++i) {
    if (app.RADIUS[i] != radius[i] || app.WAVE[i] != wave[i] || app.ANGLE[i] != angle[i]) {
      if (++mismatches <= 5) {
        ADD_FAILURE() << "entry " << i << ": " << app.RADIUS[i] << "/" << radius[i] << " "
                      << app.WAVE[i] << "/" << wave[i] << " " << app.ANGLE[i] << "/" << angle[i];
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(GeometryTables, HoldTheKnownValuesAtSamplePoints) {
  struct Point {
    std::int32_t x, y, radius, wave, angle;
  };
  const Point points[] = {
      {0, 0, 1, 50, 2030},
      {1, 0, 100, 53, 2030},
      {-1, 0, 100, 53, 3305},
      {3, 4, 500, 69, 2406},
      {100, 0, 10000, 99, 2030},
      {-1000, 0, 100000, 70, 3305},
      {-1000, -1000, 141421, 24, 1073},
      {999, 999, 141279, 29, 2348},
  };
  for (const Point& p : points) {
    EXPECT_EQ(At(app.RADIUS, p.x, p.y), p.radius) << p.x << "," << p.y;
    EXPECT_EQ(At(app.WAVE, p.x, p.y), p.wave) << p.x << "," << p.y;
    EXPECT_EQ(At(app.ANGLE, p.x, p.y), p.angle) << p.x << "," << p.y;
  }
  EXPECT_EQ(At(app.ANGLE, 0, 1), 2667);
  EXPECT_EQ(At(app.ANGLE, 0, -1), 1392);
  EXPECT_EQ(GridIndex(0, 0), 2001000);
  EXPECT_EQ(GridIndex(999, 999), 3999999);
}

TEST_F(GeometryTables, StayInsideTheirRanges) {
  std::int32_t waveMax = 0;
  for (std::int32_t i = 0; i < kGridEntries; ++i) {
    const std::int32_t r = app.RADIUS[i];
    ASSERT_TRUE(r == 1 ? i == GridIndex(0, 0) : r >= 100 && r <= 141421) << i;
    ASSERT_TRUE(app.WAVE[i] >= 0 && app.WAVE[i] <= 99) << i;
    ASSERT_TRUE(app.ANGLE[i] >= 754 && app.ANGLE[i] <= 3305) << i;
    waveMax = std::max(waveMax, app.WAVE[i]);
  }
  EXPECT_EQ(waveMax, 99);
}

}  // namespace
