#include "app/key_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/frame_driver.h"
#include "doubles/doubles.h"
#include "doubles/test_scene.h"
#include "state/app_state.h"

namespace {

class KeyCommands : public ::testing::Test {
 protected:
  void SetUp() override { doubles::PrepareTestScene(); }

  static bool VisibleRingIsBlack() {
    return std::all_of(app.currentRing, app.currentRing + ringSize,
                       [](std::uint32_t entry) { return entry == 0; });
  }

  static std::vector<std::uint32_t> Ring(const std::uint32_t* ring) {
    return std::vector<std::uint32_t>(ring, ring + ringSize);
  }
};

TEST_F(KeyCommands, DoNothingBeforeTheSceneIsPrepared) {
  app.sceneReady = false;
  const std::uint32_t rngBefore = app.rngState;
  const std::int32_t model = app.currentModel;
  for (std::uint32_t key : {kKeyTab, kKeyLeft, kKeyRight, kKeyA, kKeyQ, kKeyZ}) {
    HandleKey(key);
  }
  EXPECT_EQ(app.rngState, rngBefore);
  EXPECT_EQ(app.currentModel, model);
  EXPECT_EQ(app.tabPressed, 0);
  EXPECT_EQ(app.playPeriodMs, kDefaultRandomPeriodMs);
}

TEST_F(KeyCommands, ArrowsStepThroughTheModelsAndWrapAround) {
  struct Case {
    std::int32_t from;
    std::uint32_t key;
    std::int32_t to;
  };
  const Case cases[] = {{0, kKeyLeft, 13}, {0, kKeyUp, 13},   {13, kKeyRight, 0},
                        {13, kKeyDown, 0}, {5, kKeyRight, 6}, {5, kKeyLeft, 4}};
  for (const Case& c : cases) {
    app.currentModel = c.from;
    app.modelClockMs = 7000;
    app.currentRing[3] = 0x00112233;
    HandleKey(c.key);
    EXPECT_EQ(app.currentModel, c.to) << "from " << c.from << " key " << c.key;
    EXPECT_EQ(app.modelClockMs, 0);
    EXPECT_TRUE(VisibleRingIsBlack());
  }
}

TEST_F(KeyCommands, ADrawsTheNewRingBeforeTheRandomModel) {
  app.rngState = 1;
  HandleKey(kKeyA);
  // Ring: 41 (mode 2), 18467, 6334, 26500 (directions); then the model: 19169 mod 14 = 3.
  EXPECT_EQ(app.rotateRed, 1);
  EXPECT_EQ(app.rotateGreen, 0);
  EXPECT_EQ(app.rotateBlue, 0);
  EXPECT_EQ(app.currentModel, 3);
  EXPECT_EQ(app.targetRing[1], 0x00000004u);  // palette mode 2 starts with a blue pulse
  EXPECT_TRUE(VisibleRingIsBlack());
}

TEST_F(KeyCommands, QTogglesThePlayModeAndNothingElse) {
  app.modelClockMs = 1234;
  const std::int32_t model = app.currentModel;
  HandleKey(kKeyQ);
  EXPECT_EQ(app.playPeriodMs, kManualPeriodMs);
  HandleKey(kKeyQ);
  EXPECT_EQ(app.playPeriodMs, kDefaultRandomPeriodMs);
  EXPECT_EQ(app.modelClockMs, 1234);
  EXPECT_EQ(app.currentModel, model);
}

TEST_F(KeyCommands, QInTheLastSixHundredMillisecondsKeepsTheModelAndRotatesAgain) {
  app.started = 1;
  app.modelClockMs = 19500;
  app.lastFrameTick = 0;
  doubles::clockTicks = 16;
  RunFrame();
  ASSERT_EQ(app.ringState, RingState::FadeToBlack);
  const std::int32_t model = app.currentModel;
  const std::int32_t offset = app.halfScreenOffsetX;

  HandleKey(kKeyQ);
  doubles::clockTicks = 1000;  // well past the RANDOM period now
  RunFrame();
  EXPECT_EQ(app.ringState, RingState::Rotate);
  EXPECT_EQ(app.currentModel, model);
  EXPECT_EQ(app.halfScreenOffsetX, offset);
  EXPECT_EQ(app.modelClockMs, 20500);
}

TEST_F(KeyCommands, QBackToRandomAfterALongModelSwitchesInTheNextFrame) {
  app.started = 1;
  app.playPeriodMs = kManualPeriodMs;
  app.modelClockMs = 25000;
  HandleKey(kKeyQ);
  const std::uint32_t rngBefore = app.rngState;
  doubles::clockTicks = 16;
  RunFrame();
  EXPECT_NE(app.rngState, rngBefore);
  EXPECT_EQ(app.modelClockMs, 0);
}

TEST_F(KeyCommands, ZReplacesTheVisibleRingAndKeepsTheModel) {
  const std::vector<std::uint32_t> target = Ring(app.targetRing);
  const std::int32_t model = app.currentModel;
  const std::int32_t offset = app.smallOffsetY;
  app.modelClockMs = 3000;
  app.rngState = 1;  // palette mode 2 next

  HandleKey(kKeyZ);
  EXPECT_EQ(app.currentRing[1], 0x00000004u);
  EXPECT_EQ(Ring(app.targetRing), target);
  EXPECT_EQ(app.currentModel, model);
  EXPECT_EQ(app.smallOffsetY, offset);
  EXPECT_EQ(app.modelClockMs, 3000);
}

TEST_F(KeyCommands, TabTogglesTheConsoleAndHidesTheHintForGood) {
  HandleKey(kKeyTab);
  EXPECT_EQ(app.slideState, SlideState::Opening);
  EXPECT_EQ(app.tabPressed, 1);
  HandleKey(kKeyTab);
  EXPECT_EQ(app.slideState, SlideState::Closing);
  EXPECT_EQ(app.tabPressed, 1);
}

TEST_F(KeyCommands, EscapeAndOtherKeysAreNoCommands) {
  const std::uint32_t rngBefore = app.rngState;
  const std::vector<std::uint32_t> visible = Ring(app.currentRing);
  for (std::uint32_t key : {kKeyEscape, 0x20u, 0x42u, 0x70u}) {
    HandleKey(key);
  }
  EXPECT_EQ(app.rngState, rngBefore);
  EXPECT_EQ(Ring(app.currentRing), visible);
  EXPECT_EQ(app.slideState, SlideState::Idle);
  EXPECT_EQ(app.playPeriodMs, kDefaultRandomPeriodMs);
}

TEST_F(KeyCommands, KeysOnTheIntroPageTakeEffectBehindIt) {
  app.currentModel = 4;
  HandleKey(kKeyRight);
  HandleKey(kKeyTab);
  app.lastFrameTick = 0;
  for (std::uint32_t tick = 100; tick <= 500; tick += 100) {  // intro frames, console sliding
    doubles::clockTicks = tick;
    RunIdlePass();
  }
  EXPECT_EQ(app.currentModel, 5);
  EXPECT_EQ(app.modelClockMs, 0);
  EXPECT_EQ(app.consoleOffset, 80u);

  app.started = 1;  // the click
  doubles::clockTicks = 516;
  RunIdlePass();
  EXPECT_EQ(app.currentModel, 5);
  EXPECT_EQ(app.consoleTop, 520);
  EXPECT_EQ(app.modelClockMs, 16);
}

}  // namespace
