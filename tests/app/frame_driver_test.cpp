#include "app/frame_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/frame_pacing.h"
#include "doubles/doubles.h"
#include "doubles/test_scene.h"
#include "reference/scaled_reference.h"
#include "state/app_state.h"

namespace {

using Calls = std::vector<std::string>;

class FrameDriver : public ::testing::Test {
 protected:
  void SetUp() override { doubles::PrepareTestScene(); }

  // Starts a frame from a known clock: the previous frame ended at `lastTick`, this one reads
  // `now`.
  static void SetClock(std::uint32_t lastTick, std::uint32_t now) {
    app.lastFrameTick = lastTick;
    doubles::clockTicks = now;
  }

  static std::int32_t Count(const std::string& call) {
    const Calls& calls = doubles::display.calls;
    return static_cast<std::int32_t>(std::count(calls.begin(), calls.end(), call));
  }
};

TEST_F(FrameDriver, NotExclusiveSkipsTheFrameWithoutReadingTheClock) {
  SetClock(1000, 5000);
  app.frameMs = 16;
  doubles::display.checks = {DisplayCheck::NotExclusive};

  EXPECT_EQ(RunFrame(), 0);
  EXPECT_EQ(doubles::display.calls, Calls{"BeginFrame"});
  EXPECT_EQ(app.lastFrameTick, 1000u);
  EXPECT_EQ(app.frameMs, 16u);
  EXPECT_EQ(app.modelClockMs, 0);
}

TEST_F(FrameDriver, FailedEndsTheLoopAfterOneMoreSlideStep) {
  app.frameMs = 12;  // left from the last drawn frame
  app.slideState = SlideState::Opening;
  doubles::display.checks = {DisplayCheck::Failed};

  EXPECT_EQ(RunIdlePass(), 1);
  EXPECT_EQ(doubles::display.calls, Calls{"BeginFrame"});
  EXPECT_EQ(app.consoleOffset, 2u);  // 12 ms pay for two 5 ms rows
}

// The loop's pass: the idle pass, due again one period after it began (the doubles' pacing clock
// stands at 0 and their display paces nothing); a display lost for good ends the loop.
TEST_F(FrameDriver, LoopPassSaysWhetherToGoOnAndWhenTheNextIsDue) {
  const LoopPass drawn = RunLoopPass();
  EXPECT_TRUE(drawn.goOn);
  EXPECT_EQ(drawn.dueUs, kFramePeriodUs);
  doubles::display.checks = {DisplayCheck::Failed};
  EXPECT_FALSE(RunLoopPass().goOn);
}

TEST_F(FrameDriver, SkippedFramesStillAdvanceTheSlideByTheLastFrameTime) {
  app.frameMs = 10;
  app.slideState = SlideState::Opening;
  doubles::display.checks = {DisplayCheck::NotExclusive, DisplayCheck::NotExclusive};

  EXPECT_EQ(RunIdlePass(), 0);
  EXPECT_EQ(RunIdlePass(), 0);
  EXPECT_EQ(app.consoleOffset, 3u);  // 20 ms: three steps, 5 ms carried
  EXPECT_EQ(app.slideAccumMs, 5u);
}

TEST_F(FrameDriver, FirstFrameAfterAnAbsenceCountsTheWholeAbsence) {
  app.started = 1;
  app.playPeriodMs = kManualPeriodMs;
  app.modelClockMs = 700;
  SetClock(1000, 1016);
  doubles::display.checks = {DisplayCheck::NotExclusive, DisplayCheck::NotExclusive};
  RunFrame();
  RunFrame();
  doubles::clockTicks = 9000;

  RunFrame();
  EXPECT_EQ(app.frameMs, 8000u);
  EXPECT_EQ(app.modelClockMs, 8700);
  EXPECT_EQ(app.lastFrameTick, 9000u);
}

TEST_F(FrameDriver, RandomModeSwitchesOnlyOnceTheClockExceedsThePeriod) {
  app.started = 1;
  app.modelClockMs = 19990;
  SetClock(1000, 1010);
  const std::uint32_t rngBefore = app.rngState;

  RunFrame();  // exactly 20000 ms: the model stays
  EXPECT_EQ(app.modelClockMs, 20000);
  EXPECT_EQ(Count("GetTicks"), 1);
  EXPECT_EQ(app.rngState, rngBefore);

  doubles::display.calls.clear();
  doubles::clockTicks = 1011;
  RunFrame();  // 20001 ms: a new model, its clock from 0
  EXPECT_EQ(app.modelClockMs, 0);
  EXPECT_EQ(Count("GetTicks"), 2);  // the switch reads the tick again
  EXPECT_NE(app.rngState, rngBefore);
  EXPECT_EQ(app.lastFrameTick, 1011u);
}

TEST_F(FrameDriver, ManualModeNeverSwitchesOnTheClock) {
  app.started = 1;
  app.playPeriodMs = kManualPeriodMs;
  app.modelClockMs = 2000000000;
  const std::int32_t model = app.currentModel;
  const std::int32_t offset = app.wideOffsetX;
  SetClock(0, 100000);

  RunFrame();
  EXPECT_EQ(app.modelClockMs, 2000100000);
  EXPECT_EQ(app.currentModel, model);
  EXPECT_EQ(app.wideOffsetX, offset);
}

TEST_F(FrameDriver, SwitchModelTakesAFreshTickAndLeavesTheLastFrameTick) {
  app.modelClockMs = 5000;
  SetClock(100, 250);

  SwitchModel(3);
  EXPECT_EQ(app.currentModel, 3);
  EXPECT_EQ(app.frameTick, 250u);
  EXPECT_EQ(app.frameMs, 150u);
  EXPECT_EQ(app.modelClockMs, 0);
  EXPECT_EQ(app.lastFrameTick, 100u);
  EXPECT_TRUE(std::all_of(app.currentRing, app.currentRing + ringSize,
                          [](std::uint32_t entry) { return entry == 0; }));
}

TEST_F(FrameDriver, IntroFrameHoldsTheModelClockAtZero) {
  SetClock(0, 15000);
  RunFrame();
  EXPECT_EQ(app.frameMs, 15000u);
  EXPECT_EQ(app.modelClockMs, 0);
}

TEST_F(FrameDriver, IntroFrameLongerThanThePeriodSwitchesAtOnce) {
  const std::uint32_t rngBefore = app.rngState;
  SetClock(0, 20001);
  RunFrame();
  EXPECT_NE(app.rngState, rngBefore);
  EXPECT_EQ(app.modelClockMs, 0);
}

// The update reads the clock (the intro page's blink too), the drawing does not.
TEST_F(FrameDriver, IntroAndRunningFramesCallTheDisplayInTheirOwnOrder) {
  SetClock(0, 16);
  RunFrame();
  EXPECT_EQ(doubles::display.calls, (Calls{"BeginFrame", "GetTicks", "GetTicks", "ClearFrame",
                                           "OpenFrameText", "CloseFrameText", "FinishFrame"}));

  doubles::display.calls.clear();
  app.started = 1;
  doubles::clockTicks = 32;
  RunFrame();
  EXPECT_EQ(doubles::display.calls, (Calls{"BeginFrame", "GetTicks", "LockFrame", "UnlockFrame",
                                           "OpenFrameText", "CloseFrameText", "FinishFrame"}));
}

TEST_F(FrameDriver, RunningFrameDrawsAboveTheConsoleTop) {
  app.started = 1;
  app.consoleOffset = 80;
  SetClock(0, 16);
  RunFrame();
  EXPECT_EQ(app.consoleTop, 520);
  // The plasma reaches row 510; the panel's white background starts below its colour band.
  EXPECT_NE(doubles::PixelAt(5, 510), 0xDEADBEEFu);
  EXPECT_EQ(doubles::PixelAt(5, 599), 0x00FFFFFFu);
}

// A picture of another size: composed whole, the band on the console layer; the frame that makes
// the model's field takes the tick again afterwards, so that the field's time is not the model's.
TEST_F(FrameDriver, APictureOfAnotherSizeIsComposedAndItsFieldsTimeIsNotTheModels) {
  constexpr std::int32_t kWidth = 96;
  constexpr std::int32_t kHeight = 40;
  doubles::display.picture.assign(kWidth * kHeight, 0xDEADBEEFu);
  doubles::display.pictureWidth = kWidth;
  doubles::display.pictureHeight = kHeight;
  app.started = 1;
  SetClock(0, 16);
  RunFrame();
  EXPECT_EQ(Count("GetTicks"), 2);
  EXPECT_EQ(Count("LockFrame"), 2);  // the picture, then the console layer
  EXPECT_TRUE(std::none_of(doubles::display.picture.begin(), doubles::display.picture.end(),
                           [](std::uint32_t pixel) { return pixel == 0xDEADBEEFu; }));

  doubles::display.calls.clear();
  doubles::clockTicks = 32;
  RunFrame();
  EXPECT_EQ(Count("GetTicks"), 1);
  EXPECT_EQ(app.frameMs, 16u);
  doubles::display.picture.clear();
}

// Every screen's picture in one frame: the same model and colours (the ring steps once a frame),
// each the model's at its own size, whole; the console's band goes with picture 0 only.
TEST_F(FrameDriver, EveryPictureOfTheFrameIsTheModelAtItsOwnSize) {
  const std::pair<std::int32_t, std::int32_t> sizes[] = {{96, 40}, {33, 70}};
  std::vector<std::vector<std::uint32_t>> pixels;
  for (const auto& [width, height] : sizes) {
    pixels.emplace_back(static_cast<std::size_t>(width * height), 0xDEADBEEFu);
    doubles::display.morePictures.push_back({pixels.back().data(), width, width, height});
  }
  app.started = 1;
  app.consoleOffset = 50;
  SetClock(0, 16);
  RunFrame();
  EXPECT_EQ(Count("LockFrame"), 3);  // the classic frame, then the two others
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const auto [width, height] = sizes[i];
    std::vector<std::int32_t> field(pixels[i].size());
    reference::EvaluateModelScaledPlain(field.data(), width, height);
    std::vector<std::uint32_t> expected(pixels[i].size());
    reference::ComposeFrameScaledPlain({expected.data(), width, width, height}, field.data(),
                                       height);
    EXPECT_EQ(pixels[i], expected) << "picture " << i + 1;
  }
  doubles::display.morePictures.clear();
}

TEST_F(FrameDriver, FailedLockSkipsThePixelWorkButFinishesTheFrame) {
  app.started = 1;
  doubles::display.lockFails = true;
  SetClock(0, 16);

  EXPECT_EQ(RunFrame(), 0);
  EXPECT_EQ(Count("UnlockFrame"), 0);
  EXPECT_EQ(Count("FinishFrame"), 1);
  EXPECT_EQ(app.lastFrameTick, 16u);
  EXPECT_TRUE(std::all_of(doubles::display.memory.begin() + 1, doubles::display.memory.end(),
                          [](std::uint32_t pixel) { return pixel == 0xDEADBEEFu; }));
}

TEST_F(FrameDriver, FrameTimeWrapsWithTheTickCount) {
  SetClock(0xFFFFFFF0u, 0x10u);
  RunFrame();
  EXPECT_EQ(app.frameMs, 32u);
}

}  // namespace
