// The software renderer on the display double: drawing changes nothing of the run, and the
// logos are made as the first running frame's text is drawn.
#include "software/software_renderer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/frame_driver.h"
#include "doubles/doubles.h"
#include "doubles/test_scene.h"
#include "state/app_state.h"
#include "ui/recorded_calls.h"

namespace {

using doubles::LogoBlit;

class SoftwareRendering : public ::testing::Test {
 protected:
  void SetUp() override {
    doubles::PrepareTestScene();
    app.renderer->start();
    app.started = 1;
    app.consoleOffset = 80;
    doubles::clockTicks = 16;
  }
  void TearDown() override { app.renderer->stop(); }
};

// Every field of the run's record that a frame's update writes, and the visible ring.
std::vector<std::uint64_t> RunState() {
  std::vector<std::uint64_t> state = {app.rngState,
                                      app.frameTick,
                                      app.lastFrameTick,
                                      app.frameMs,
                                      static_cast<std::uint64_t>(app.modelClockMs),
                                      static_cast<std::uint64_t>(app.consoleTop),
                                      app.ringAccumMs,
                                      app.fpsTick,
                                      app.fpsFrameCount,
                                      app.fpsShown,
                                      app.evaluations,
                                      app.classicEvaluation,
                                      app.blinkTick,
                                      static_cast<std::uint64_t>(app.blinkOn),
                                      static_cast<std::uint64_t>(app.consoleLeft),
                                      static_cast<std::uint64_t>(app.ringState)};
  state.insert(state.end(), app.currentRing, app.currentRing + ringSize);
  return state;
}

TEST_F(SoftwareRendering, DrawingADescriptionTwiceChangesNoStateAndGivesTheSamePixels) {
  ASSERT_EQ(RunFrame(), 0);  // the update, then the first drawing
  const std::vector<std::uint64_t> updated = RunState();
  const std::vector<std::uint32_t> first = doubles::display.memory;
  doubles::display.memory.assign(first.size(), 0xDEADBEEF);
  app.renderer->renderFrame(app.frame);
  EXPECT_EQ(RunState(), updated);
  EXPECT_EQ(doubles::display.memory, first);
}

TEST_F(SoftwareRendering, MakesTheLogosOnTheFirstRunningFrameAndCopiesThemFromTheSecond) {
  ASSERT_EQ(RunFrame(), 0);
  EXPECT_EQ(doubles::logos.createCalls, 1);
  EXPECT_TRUE(doubles::logos.blits.empty());
  ASSERT_EQ(RunFrame(), 0);
  EXPECT_EQ(doubles::logos.createCalls, 1);
  const std::vector<LogoBlit> expected = {{Logo::Large, 634, 530}, {Logo::Small, 300, 530}};
  EXPECT_EQ(doubles::logos.blits, expected);
}

}  // namespace
