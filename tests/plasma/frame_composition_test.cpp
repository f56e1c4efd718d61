#include "plasma/frame_composition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "doubles/test_scene.h"
#include "plasma/model_selection.h"
#include "reference/plasma_reference.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kUntouched = 0xDEADBEEF;
constexpr std::int32_t kPaddedPitch = 832;

class FrameComposition : public ::testing::Test {
 protected:
  void SetUp() override {
    doubles::PrepareTestScene();
    keptRing_ = app.currentRing;  // the program's ring stays owned by `app`
    // An identity ring shows the composed index itself in every pixel; its exact size lets ASan
    // catch any index past the ring.
    identityRing_.resize(ringSize);
    std::iota(identityRing_.begin(), identityRing_.end(), 0u);
    app.currentRing = identityRing_.data();
    UsePitch(kPaddedPitch);
  }

  void TearDown() override { app.currentRing = keptRing_; }

  void UsePitch(std::int32_t pitch) {
    frame_.assign(static_cast<std::size_t>(pitch) * screenHeight, kUntouched);
    view_ = {frame_.data(), pitch, screenWidth, screenHeight};
  }

  std::vector<std::uint32_t> ComposePlain() {
    std::vector<std::uint32_t> composed = frame_;
    reference::ComposeFramePlain({composed.data(), view_.pitch, screenWidth, screenHeight});
    return composed;
  }

  std::uint32_t* keptRing_ = nullptr;
  std::vector<std::uint32_t> identityRing_;
  std::vector<std::uint32_t> frame_;
  FrameView view_;
};

TEST(FrameDrift, AtTheStartAndAfterOneSecond) {
  EXPECT_EQ(ComputeFrameDrift(0, 17, -16).x, 57);
  EXPECT_EQ(ComputeFrameDrift(0, 17, -16).y, -15);  // -15.5 truncates toward zero
  EXPECT_EQ(ComputeFrameDrift(0, -50, -50).x, -9);  // -9.5 likewise
  EXPECT_EQ(ComputeFrameDrift(0, -50, -50).y, -49);
  EXPECT_EQ(ComputeFrameDrift(1000, 0, 0).x, -16);
  EXPECT_EQ(ComputeFrameDrift(1000, 0, 0).y, 59);
}

TEST(FrameDrift, StaysWithinItsSwing) {
  for (std::int32_t t = 0; t < 30000; t += 7) {
    const FrameDrift low = ComputeFrameDrift(t, -50, -50);
    const FrameDrift high = ComputeFrameDrift(t, 49, 49);
    ASSERT_GE(low.x, -89);
    ASSERT_GE(low.y, -109);
    ASSERT_LE(high.x, 89);
    ASSERT_LE(high.y, 109);
  }
}

// Models 10 and 11 add WAVE div 10 in place of 0.1 x WAVE in double precision.
TEST(TenthOfWave, AgreesWithTheDoubleFormulaForEveryIndexAndWaveValue) {
  const double tenth = static_cast<double>(0.1f);
  for (std::int32_t v = 0; v < 1024; ++v) {
    for (std::int32_t w = 0; w < 100; ++w) {
      ASSERT_EQ(static_cast<std::int32_t>(v + tenth * w), v + w / 10) << v << " " << w;
    }
  }
}

TEST_F(FrameComposition, EqualsThePlainLoopForEveryModelConsoleTopAndPath) {
  for (std::int32_t model = 0; model < kModelCount; ++model) {
    SelectModel(model);
    app.modelClockMs = 1234 + 977 * model;
    for (std::int32_t top : {600, 520, 1, 0}) {
      app.consoleTop = top;
      UsePitch(kPaddedPitch);
      const std::vector<std::uint32_t> expected = ComposePlain();
      for (SimdLevel level : doubles::EverySimdLevel()) {
        app.simdLevel = level;
        UsePitch(kPaddedPitch);
        ComposeFrame(view_, app.consoleTop);
        ASSERT_EQ(frame_, expected)
            << "model " << model << " top " << top << " path " << static_cast<std::int32_t>(level);
      }
    }
  }
}

// Both small add-ons at either end of their range, at clocks where the drift swings to its ends:
// the drifted terms reach the corners of the window the program reads them from.
TEST_F(FrameComposition, DriftedModelsEqualThePlainLoopAtTheEndsOfTheirReach) {
  EXPECT_EQ(ComputeFrameDrift(1571, -50, -50).x, -89);
  EXPECT_EQ(ComputeFrameDrift(3299, -50, -50).y, -109);
  EXPECT_EQ(ComputeFrameDrift(0, 49, 49).x, 89);
  EXPECT_EQ(ComputeFrameDrift(1100, 49, 49).y, 109);
  for (std::int32_t model : {0, 10, 12}) {
    for (std::int32_t rest : {-50, 49}) {
      SelectModel(model);
      app.smallOffsetX = app.smallOffsetY = rest;
      app.consoleTop = screenHeight;
      for (std::int32_t t : {0, 1100, 1571, 3299}) {
        app.modelClockMs = t;
        const std::vector<std::uint32_t> expected = ComposePlain();
        for (SimdLevel level : doubles::EverySimdLevel()) {
          app.simdLevel = level;
          ComposeFrame(view_, app.consoleTop);
          ASSERT_EQ(frame_, expected) << "model " << model << " rest " << rest << " t " << t
                                      << " path " << static_cast<std::int32_t>(level);
        }
      }
    }
  }
}

TEST_F(FrameComposition, WritesOnlyTheRowsAboveTheConsoleAndOnlyTheScreenWidth) {
  SelectModel(0);
  app.consoleTop = 520;
  ComposeFrame(view_, app.consoleTop);
  for (std::int32_t row = 0; row < screenHeight; ++row) {
    for (std::int32_t col = 0; col < kPaddedPitch; ++col) {
      const bool drawn = row < 520 && col < screenWidth;
      ASSERT_EQ(frame_[row * kPaddedPitch + col] != kUntouched, drawn) << row << "," << col;
    }
  }
}

TEST_F(FrameComposition, ConsoleTopOutsideTheScreenDrawsTheScreenAndNoMore) {
  SelectModel(11);
  for (std::int32_t top : {601, -1}) {
    app.consoleTop = top;
    UsePitch(screenWidth);  // exactly the screen: ASan reports any row past it
    ComposeFrame(view_, app.consoleTop);
    EXPECT_EQ(std::count(frame_.begin(), frame_.end(), kUntouched), 0);
  }
}

TEST_F(FrameComposition, ComposedIndicesStayInsideTheRing) {
  for (std::int32_t model : {0, 10, 11, 12}) {
    for (std::int32_t set = 0; set < 8; ++set) {
      SelectModel(model);
      for (std::int32_t t = 0; t < 9000; t += 1571) {
        app.modelClockMs = t;
        app.consoleTop = screenHeight;
        ComposeFrame(view_, app.consoleTop);  // the identity ring is exactly ringSize long
        const std::uint32_t highest = *std::max_element(
            frame_.begin(), frame_.end(),
            [](auto a, auto b) { return (a == kUntouched ? 0 : a) < (b == kUntouched ? 0 : b); });
        ASSERT_LT(highest, static_cast<std::uint32_t>(ringSize));
      }
    }
  }
}

TEST_F(FrameComposition, ModelsWithoutDriftGiveTheSameFrameWhateverTheClock) {
  for (std::int32_t model : {1, 2, 3, 4, 5, 6, 7, 8, 9, 13}) {
    SelectModel(model);
    app.consoleTop = screenHeight;
    app.modelClockMs = 0;
    ComposeFrame(view_, app.consoleTop);
    const std::vector<std::uint32_t> first = frame_;
    app.modelClockMs = 2345;
    ComposeFrame(view_, app.consoleTop);
    EXPECT_EQ(frame_, first) << "model " << model;
  }
}

}  // namespace
