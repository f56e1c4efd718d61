#include "ui/console_slide.h"

#include <gtest/gtest.h>

#include "state/app_state.h"
#include "ui/console_fixture.h"

namespace {

class ConsoleSlide : public ConsoleFixture {
 protected:
  static void Frame(std::uint32_t ms) {
    app.frameMs = ms;
    AdvanceConsoleSlide();
  }
};

TEST_F(ConsoleSlide, ShortFramesOnlyFillTheAccumulator) {
  Frame(3);
  EXPECT_EQ(app.slideAccumMs, 3u);
  Frame(2);
  EXPECT_EQ(app.slideAccumMs, 5u);  // not more than 5: no step yet
  Frame(1);
  EXPECT_EQ(app.slideAccumMs, 1u);  // the idle step is paid for like any other
  EXPECT_EQ(app.slideState, SlideState::Idle);
  EXPECT_EQ(app.consoleOffset, 0u);
}

TEST_F(ConsoleSlide, FiveMillisecondFramesMoveOneRowEach) {
  Frame(5);
  ASSERT_EQ(app.slideAccumMs, 5u);
  ToggleConsole();
  EXPECT_EQ(app.tabPressed, 1);
  for (std::uint32_t frame = 1; frame <= 80; ++frame) {
    Frame(5);
    ASSERT_EQ(app.consoleOffset, frame);
    ASSERT_EQ(app.slideState, SlideState::Opening);
    ASSERT_EQ(app.slideAccumMs, 5u);
  }
  Frame(5);
  EXPECT_EQ(app.slideState, SlideState::Idle);
  EXPECT_EQ(app.consoleOffset, 80u);
}

TEST_F(ConsoleSlide, OneLongFrameOpensFullyAndKeepsTheRemainder) {
  ToggleConsole();
  Frame(1000);  // 199 steps: 80 rows, the idle step, and 118 that do nothing
  EXPECT_EQ(app.consoleOffset, 80u);
  EXPECT_EQ(app.slideState, SlideState::Idle);
  EXPECT_EQ(app.slideAccumMs, 5u);
}

TEST_F(ConsoleSlide, HugeFrameIsPaidInWholeStepsWithoutOverflow) {
  ToggleConsole();
  Frame(0xFFFFFFF0u);  // (A - 6) / 5 + 1 = 858993455 steps leave 5
  EXPECT_EQ(app.consoleOffset, 80u);
  EXPECT_EQ(app.slideState, SlideState::Idle);
  EXPECT_EQ(app.slideAccumMs, 5u);
  Frame(0xFFFFFFFFu);  // 5 + 2^32 - 1 wraps to 4: no step
  EXPECT_EQ(app.slideAccumMs, 4u);
}

TEST_F(ConsoleSlide, TwoTabsBeforeAStepEndIdleAndHidden) {
  ToggleConsole();
  EXPECT_EQ(app.slideState, SlideState::Opening);
  ToggleConsole();
  EXPECT_EQ(app.slideState, SlideState::Closing);
  EXPECT_EQ(app.consoleOffset, 0u);
  Frame(6);
  EXPECT_EQ(app.slideState, SlideState::Idle);
  EXPECT_EQ(app.consoleOffset, 0u);
}

TEST_F(ConsoleSlide, TabAtTheTopBeforeTheIdleStepClosesAtOnce) {
  Frame(5);
  ToggleConsole();
  for (int frame = 0; frame < 80; ++frame) {
    Frame(5);
  }
  ASSERT_EQ(app.consoleOffset, 80u);
  ASSERT_EQ(app.slideState, SlideState::Opening);
  ToggleConsole();
  EXPECT_EQ(app.slideState, SlideState::Closing);
  Frame(5);
  EXPECT_EQ(app.consoleOffset, 79u);
}

TEST_F(ConsoleSlide, TabWhileIdleGoesTowardTheOtherEnd) {
  ToggleConsole();
  Frame(1000);
  ASSERT_EQ(app.slideState, SlideState::Idle);
  ToggleConsole();  // idle and open
  EXPECT_EQ(app.slideState, SlideState::Closing);
  EXPECT_EQ(app.consoleOffset, 80u);
  Frame(1000);
  EXPECT_EQ(app.consoleOffset, 0u);
  EXPECT_EQ(app.slideState, SlideState::Idle);
  ToggleConsole();  // idle and hidden
  EXPECT_EQ(app.slideState, SlideState::Opening);
}

TEST_F(ConsoleSlide, ReversesMidway) {
  ToggleConsole();
  Frame(30 * 5 + 1);  // 30 steps, 1 ms left
  ASSERT_EQ(app.consoleOffset, 30u);
  ToggleConsole();
  Frame(10 * 5);  // 51 ms: 10 steps down, 1 ms left
  EXPECT_EQ(app.consoleOffset, 20u);
  EXPECT_EQ(app.slideState, SlideState::Closing);
  EXPECT_EQ(app.slideAccumMs, 1u);
}

TEST_F(ConsoleSlide, IdleTimeDoesNotPileUp) {
  Frame(5000);  // idle: all but the last 5 ms consumed
  EXPECT_EQ(app.slideAccumMs, 5u);
  ToggleConsole();
  Frame(5);
  EXPECT_EQ(app.consoleOffset, 1u);
}

}  // namespace
