#include "app/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/frame_driver.h"
#include "app/key_commands.h"
#include "doubles/doubles.h"
#include "doubles/test_scene.h"
#include "software/software_renderer.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kSeed = 4242;

bool Drew(const std::string& text) {
  const auto& texts = doubles::text.texts;
  return std::any_of(texts.begin(), texts.end(), [&](const auto& t) { return t.text == text; });
}

// A run of its own: the test scene's buffers are given back first, so that nothing leaks.
void StartOwnRun(RunOpening opening) {
  EndRun();
  doubles::ResetDoubles();
  ASSERT_TRUE(StartRun(kSeed, opening, RunSettings{}, SoftwareRenderer()));
}

TEST(Run, OpensOnTheIntroPageOrStraightInTheVisuals) {
  struct Case {
    RunOpening opening;
    bool locksPixels;  // a running frame composes the plasma; the intro page does not
    bool tabHint;
  };
  for (const Case c :
       {Case{RunOpening::IntroPage, false, false}, Case{RunOpening::Visuals, true, false}}) {
    StartOwnRun(c.opening);
    doubles::clockTicks += 16;
    ASSERT_EQ(RunIdlePass(), 0);
    const auto& calls = doubles::display.calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "LockFrame") == 1, c.locksPixels);
    EXPECT_EQ(Drew("press TAB to open console"), c.tabHint);
    EXPECT_EQ(app.playPeriodMs, kDefaultRandomPeriodMs);
    EXPECT_EQ(app.consoleOffset, 0u);
  }
}

// Five seconds of model 3 alone: the switch comes after 5 s and keeps to the set; Q comes back
// to the run's period.
TEST(Run, KeepsToItsSettings) {
  EndRun();
  doubles::ResetDoubles();
  ASSERT_TRUE(
      StartRun(kSeed, RunOpening::Visuals, RunSettings{5, 1u << 3, false}, SoftwareRenderer()));
  EXPECT_EQ(app.currentModel, 3);
  EXPECT_EQ(app.playPeriodMs, 5000);
  const std::uint32_t rngAtStart = app.rngState;
  doubles::clockTicks += 5001;
  ASSERT_EQ(RunIdlePass(), 0);
  EXPECT_NE(app.rngState, rngAtStart);  // a new model was drawn, with new add-ons and colours
  EXPECT_EQ(app.currentModel, 3);
  EXPECT_EQ(app.modelClockMs, 0);
  PostKey(kKeyQ);
  PostKey(kKeyQ);
  EXPECT_EQ(app.playPeriodMs, 5000);
}

TEST(Run, OnlyEscEndsIt) {
  doubles::PrepareTestScene();
  for (const std::uint32_t key :
       {kKeyTab, kKeyLeft, kKeyUp, kKeyRight, kKeyDown, kKeyA, kKeyQ, kKeyZ, 0x20u, 0x46u}) {
    EXPECT_EQ(PostKey(key), RunRequest::GoOn) << key;
  }
  EXPECT_EQ(PostKey(kKeyEscape), RunRequest::End);
  PostClick();
  EXPECT_EQ(app.started, 1);
}

// A run that ended gives everything back; the next, with the same seed, plays as the first did.
TEST(Run, EndGivesTheSceneBackAndTheNextStartBeginsAfresh) {
  StartOwnRun(RunOpening::IntroPage);
  const std::int32_t firstModel = app.currentModel;
  const std::uint32_t firstRng = app.rngState;
  const std::vector<std::uint32_t> firstTarget(app.targetRing, app.targetRing + ringSize);
  PostClick();
  doubles::clockTicks += 16;
  ASSERT_EQ(PostKey(kKeyTab), RunRequest::GoOn);
  ASSERT_EQ(RunIdlePass(), 0);  // a console frame takes the console raster too
  ASSERT_NE(app.ConsoleRaster, nullptr);

  EndRun();
  EXPECT_EQ(app.RADIUS, nullptr);
  EXPECT_EQ(app.ConsoleRaster, nullptr);
  EXPECT_EQ(app.started, 0);
  ASSERT_TRUE(StartRun(kSeed, RunOpening::IntroPage, RunSettings{}, SoftwareRenderer()));
  EXPECT_EQ(app.currentModel, firstModel);
  EXPECT_EQ(app.rngState, firstRng);
  EXPECT_TRUE(std::equal(firstTarget.begin(), firstTarget.end(), app.targetRing));
}

}  // namespace
