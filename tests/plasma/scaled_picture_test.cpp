#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "doubles/test_scene.h"
#include "plasma/fast_angle.h"
#include "plasma/frame_composition.h"
#include "plasma/model_evaluation.h"
#include "plasma/model_selection.h"
#include "plasma/scaled_composition.h"
#include "plasma/scaled_evaluation.h"
#include "plasma/scaled_picture.h"
#include "plasma/scaled_terms.h"
#include "reference/scaled_reference.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kUntouched = 0xDEADBEEF;
constexpr std::int32_t kPadding = 5;  // pitch minus width of every test frame

struct Size {
  std::int32_t width, height;
};
// Wider and taller than 4:3, an odd size, one pixel, and just above 800 x 600, where most
// coordinates lie a hair off whole values.
constexpr Size kSizes[] = {{64, 48}, {48, 64}, {333, 177}, {1, 1}, {801, 601}};
// Clocks at which the drift swings to its ends (see FrameComposition.DriftedModels...).
constexpr std::int32_t kClocks[] = {0, 1100, 1571, 3299};

class ScaledPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    doubles::PrepareTestScene();
    keptRing_ = app.currentRing;
    identityRing_.resize(ringSize);  // each pixel shows its index; ASan catches one past the ring
    std::iota(identityRing_.begin(), identityRing_.end(), 0u);
    app.currentRing = identityRing_.data();
  }
  void TearDown() override { app.currentRing = keptRing_; }

  static std::vector<std::int32_t> Field(Size size, std::int32_t firstRow, std::int32_t endRow) {
    std::vector<std::int32_t> field(static_cast<std::size_t>(size.width) * size.height, -1);
    EvaluateModelInto(field.data(), size.width, size.height, firstRow, endRow);
    return field;
  }
  static std::vector<std::int32_t> PlainField(Size size) {
    std::vector<std::int32_t> field(static_cast<std::size_t>(size.width) * size.height);
    reference::EvaluateModelScaledPlain(field.data(), size.width, size.height);
    return field;
  }
  // A frame of the size, padded, every word kUntouched, and a view of it.
  struct Frame {
    std::vector<std::uint32_t> pixels;
    FrameView view;
  };
  static Frame BlankFrame(Size size) {
    Frame frame{std::vector<std::uint32_t>(
                    static_cast<std::size_t>(size.width + kPadding) * size.height, kUntouched),
                {}};
    frame.view = {frame.pixels.data(), size.width + kPadding, size.width, size.height};
    return frame;
  }

  std::uint32_t* keptRing_ = nullptr;
  std::vector<std::uint32_t> identityRing_;
};

TEST_F(ScaledPicture, At800x600EqualsTheClassicIndexBufferAndFrame) {
  const Size classic{screenWidth, screenHeight};
  ASSERT_TRUE(PrepareScaledPicture(app.fields[0], classic.width, classic.height));
  for (std::int32_t model = 0; model < kModelCount; ++model) {
    SelectModel(model);
    if (model == 0 || model == 10 || model == 12) {
      app.smallOffsetX = app.smallOffsetY = model == 10 ? 49 : -50;  // the drift's far ends
    }
    EvaluateModel();
    const std::vector<std::int32_t> field = Field(classic, 0, classic.height);
    ASSERT_EQ(field, std::vector<std::int32_t>(app.IndexBuffer, app.IndexBuffer + field.size()))
        << "model " << model;
    for (std::int32_t t : kClocks) {
      app.modelClockMs = t;
      for (std::int32_t top : {600, 520}) {
        Frame classicFrame = BlankFrame(classic);
        ComposeFrame(classicFrame.view, top);
        Frame frame = BlankFrame(classic);
        ComposeFrameInto(frame.view, app.fields[0], field.data(), top, 0, classic.height);
        ASSERT_EQ(frame.pixels, classicFrame.pixels) << "model " << model << " t " << t;
      }
    }
  }
}

TEST_F(ScaledPicture, EqualsThePlainDefinitionAtEveryPixelOfEveryModelAndPath) {
  for (const Size size : kSizes) {
    ASSERT_TRUE(PrepareScaledPicture(app.fields[0], size.width, size.height));
    for (std::int32_t model = 0; model < kModelCount; ++model) {
      SelectModel(model);
      const std::vector<std::int32_t> plain = PlainField(size);
      for (SimdLevel level : doubles::EverySimdLevel()) {
        app.simdLevel = level;
        ASSERT_EQ(Field(size, 0, size.height), plain)
            << size.width << "x" << size.height << " model " << model << " path "
            << static_cast<std::int32_t>(level);
      }
      for (std::int32_t t : kClocks) {
        app.modelClockMs = t;
        const std::int32_t top = size.height - size.height / 7;
        Frame expected = BlankFrame(size);
        reference::ComposeFrameScaledPlain(expected.view, plain.data(), top);
        Frame frame = BlankFrame(size);
        ComposeFrameInto(frame.view, app.fields[0], plain.data(), top, 0, size.height);
        ASSERT_EQ(frame.pixels, expected.pixels)
            << size.width << "x" << size.height << " model " << model << " t " << t;
      }
    }
  }
}

// Any split of the rows among callers, with the console top anywhere (read as unsigned: -1 is
// past the bottom, 0 draws nothing).
TEST_F(ScaledPicture, SplitRowsGiveTheSameFieldAndFrame) {
  const Size size{333, 177};
  ASSERT_TRUE(PrepareScaledPicture(app.fields[0], size.width, size.height));
  for (std::int32_t model : {0, 5, 9, 11, 12}) {
    SelectModel(model);
    app.modelClockMs = 1571;
    const std::vector<std::int32_t> whole = Field(size, 0, size.height);
    std::vector<std::int32_t> split(whole.size(), -1);
    for (const auto& [first, end] : {std::pair{0, 1}, {1, 88}, {88, 88}, {88, 177}}) {
      EvaluateModelInto(split.data(), size.width, size.height, first, end);
    }
    ASSERT_EQ(split, whole) << "model " << model;
    for (std::int32_t top : {-1, 0, 100}) {
      Frame expected = BlankFrame(size);
      reference::ComposeFrameScaledPlain(expected.view, whole.data(), top);
      Frame splitFrame = BlankFrame(size);
      for (const auto& [first, end] : {std::pair{0, 99}, {99, 101}, {101, 177}}) {
        ComposeFrameInto(splitFrame.view, app.fields[0], whole.data(), top, first, end);
      }
      EXPECT_EQ(splitFrame.pixels, expected.pixels) << "model " << model << " top " << top;
    }
  }
}

// The WAVE look-up only replaces sines: with none of it, every value is the same.
TEST_F(ScaledPicture, TheWaveLookUpNeverChangesAValue) {
  const Size size{64, 48};
  ASSERT_TRUE(PrepareScaledPicture(app.fields[0], size.width, size.height));
  SelectModel(4);
  const std::vector<std::int32_t> covered = Field(size, 0, size.height);
  const std::int32_t kept = app.waveRadii;
  app.waveRadii = 0;
  EXPECT_EQ(Field(size, 0, size.height), covered);
  app.waveRadii = kept;
}

// The cheap arctangent against std::atan2 on every path, over points on and off the axes and
// diagonals, where its reflections meet, and on a dense spread of rows.
TEST(ScaledTerms, AngleRowsEqualTheStandardLevelOnEveryPath) {
  const AtanSteps steps = MakeAtanSteps();
  std::vector<double> x;
  for (std::int32_t i = -2000; i <= 2000; ++i) {
    x.push_back(i * 0.37);
  }
  for (double edge : {0.0, -0.0, 1e-300, 1e9, -1e9, 3.0, -3.0}) {
    x.push_back(edge);
  }
  std::vector<std::int32_t> out(x.size());
  for (SimdLevel level : doubles::EverySimdLevel()) {
    const TermRows rows = ChosenTermRows(level);
    for (double y = -700.0; y <= 700.0; y += 1.13) {
      for (double row : {y, 0.0, -0.0, 3.0, -3.0}) {
        rows.angle(x.data(), row, static_cast<std::int32_t>(x.size()), steps, out.data());
        for (std::size_t i = 0; i < x.size(); ++i) {
          ASSERT_EQ(out[i], PlainAngle(x[i], row)) << x[i] << "," << row;
        }
      }
    }
  }
}

TEST(ScaledDrift, AtScaleOneIsTheClassicDriftAndGrowsWithTheScale) {
  for (std::int32_t t : kClocks) {
    const FrameDrift classic = ComputeFrameDrift(t, -50, 49);
    const FrameDrift scaled = ComputeScaledDrift(t, -50, 49, 1.0);
    EXPECT_EQ(scaled.x, classic.x);
    EXPECT_EQ(scaled.y, classic.y);
  }
  EXPECT_EQ(ComputeScaledDrift(0, 49, 0, 3.6).x, 322);  // 89.5 x 3.6: the reach must cover it
  EXPECT_LE(322, DriftReachX(3.6));
}

}  // namespace
