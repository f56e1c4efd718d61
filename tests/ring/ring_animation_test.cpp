#include "ring/ring_animation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "doubles/test_scene.h"
#include "reference/ring_reference.h"
#include "ring/ring_generators.h"
#include "ring/ring_test_support.h"
#include "state/app_state.h"
#include "state/rng.h"

namespace {

using ring_test::FilledRing;
using ring_test::Grey;
using ring_test::Rgb;
using ring_test::RingCopy;

// From state 1 the first draw is 41: a rotation interval of 3 + 41 mod 30 = 14 ms.
constexpr std::uint32_t kIntervalFromStateOne = 14;

class RingAnimation : public ring_test::RingFixture {
 protected:
  static void Frame(std::int32_t t, std::uint32_t ms) {
    app.modelClockMs = t;
    app.frameMs = ms;
    AnimateColorRing();
  }

  // After k <= 255 fade-in steps every channel of the visible ring is k.
  static void BlackTowardWhite() {
    std::fill_n(app.currentRing, ringSize, 0u);
    std::fill_n(app.targetRing, ringSize, Grey(255));
  }
};

TEST_F(RingAnimation, StepsWhileTheAccumulatorIsStrictlyAboveTheInterval) {
  struct Case {
    std::uint32_t accumBefore, frameMs, steps, accumAfter;
  };
  const Case cases[] = {
      {0, 2, 0, 2},    {2, 1, 1, 1}, {1, 16, 8, 1},          {0, 101, 50, 1},
      {0, 100, 49, 2}, {5, 0, 2, 1}, {0xFFFFFFFFu, 3, 0, 2},  // the sum wraps modulo 2^32
  };
  for (const Case& c : cases) {
    BlackTowardWhite();
    app.ringAccumMs = c.accumBefore;
    Frame(0, c.frameMs);
    EXPECT_EQ(RingCopy(app.currentRing), FilledRing(Grey(c.steps)))
        << c.accumBefore << "+" << c.frameMs;
    EXPECT_EQ(app.ringAccumMs, c.accumAfter) << c.accumBefore << "+" << c.frameMs;
  }
  // A 1000 ms frame: (1000 - 1) div 2 = 499 steps, 2 ms left over; 255 of them reach the target.
  BlackTowardWhite();
  app.ringAccumMs = 0;
  Frame(0, 1000);
  EXPECT_EQ(app.ringAccumMs, 2u);
  EXPECT_EQ(RingCopy(app.currentRing), RingCopy(app.targetRing));
}

TEST_F(RingAnimation, WindowsOfBothPlayModes) {
  struct Case {
    std::int32_t period, t;
    RingState state;
  };
  const Case cases[] = {
      {kDefaultRandomPeriodMs, 0, RingState::FadeToTarget},
      {kDefaultRandomPeriodMs, 599, RingState::FadeToTarget},
      {kDefaultRandomPeriodMs, 600, RingState::Rotate},
      {kDefaultRandomPeriodMs, 19400, RingState::Rotate},
      {kDefaultRandomPeriodMs, 19401, RingState::FadeToBlack},
      {kDefaultRandomPeriodMs, 20000, RingState::FadeToBlack},
      {5000, 4400, RingState::Rotate},  // the shortest period keeps its 600 ms fade-out
      {5000, 4401, RingState::FadeToBlack},
      {kManualPeriodMs, 599, RingState::FadeToTarget},
      {kManualPeriodMs, 600, RingState::Rotate},
      {kManualPeriodMs, 19401, RingState::Rotate},
      {kManualPeriodMs, 20000, RingState::Rotate},
      {kManualPeriodMs, 2147483047, RingState::Rotate},
      {kManualPeriodMs, 2147483048, RingState::FadeToBlack},
  };
  const RingState before[] = {RingState::FadeToTarget, RingState::Rotate, RingState::FadeToBlack};
  for (const Case& c : cases) {
    for (RingState from : before) {
      SetUp();
      app.playPeriodMs = c.period;
      app.ringState = from;
      Frame(c.t, 0);
      // Only entering rotation draws its interval; staying in it keeps the start value 10.
      const bool draws = c.state == RingState::Rotate && from != RingState::Rotate;
      const std::uint32_t stepMs = c.state != RingState::Rotate ? 2u
                                   : draws                      ? kIntervalFromStateOne
                                                                : 10u;
      EXPECT_EQ(app.ringState, c.state) << "t " << c.t << " from " << static_cast<int>(from);
      EXPECT_EQ(app.ringStepMs, stepMs) << "t " << c.t << " from " << static_cast<int>(from);
      EXPECT_EQ(app.rngState, doubles::RngStateAfter(1, draws ? 1 : 0)) << "t " << c.t;
    }
  }
}

TEST_F(RingAnimation, RotationDrawsItsIntervalOnceAndThreeFlipsPerStep) {
  app.ringState = RingState::FadeToTarget;
  Frame(600, 1000);
  // 14 ms steps: (1000 - 1) div 14 = 71 steps of three draws, and 999 mod 14 + 1 = 6 ms left.
  EXPECT_EQ(app.ringStepMs, kIntervalFromStateOne);
  EXPECT_EQ(app.ringAccumMs, 6u);
  EXPECT_EQ(app.rngState, doubles::RngStateAfter(1, 1 + 3 * 71));
  const std::uint32_t state = app.rngState;
  Frame(1600, 23);  // 29 ms: two steps, 1 ms left
  EXPECT_EQ(app.ringStepMs, kIntervalFromStateOne);
  EXPECT_EQ(app.ringAccumMs, 1u);
  EXPECT_EQ(app.rngState, doubles::RngStateAfter(state, 3 * 2));
}

TEST_F(RingAnimation, RotateMovesEachChannelInItsOwnDirectionAcrossTheWrap) {
  // From state 1 the draws 41, 18467 and 6334 flip nothing.
  std::vector<std::uint32_t> ring = FilledRing(0);
  ring[0] = Rgb(1, 2, 3);
  app.rotateRed = 1;
  StepRotate(ring.data());
  std::vector<std::uint32_t> expected = FilledRing(0);
  expected[ringSize - 1] = Rgb(1, 0, 0);
  expected[1] = Rgb(0, 2, 3);
  EXPECT_EQ(ring, expected);
  EXPECT_EQ(app.rngState, doubles::RngStateAfter(1, 3));
  EXPECT_EQ(app.rotateRed, 1);

  // The state whose next draw is 0 flips red first; the rotation follows the flipped flag.
  constexpr std::uint32_t kStateBeforeZero = 2708534849u;
  static_assert(kStateBeforeZero * 214013u + 2531011u == 0u, "its successor is state 0");
  ring = FilledRing(0);
  ring[0] = Rgb(1, 2, 3);
  app.rngState = kStateBeforeZero;
  app.rotateRed = 0;
  StepRotate(ring.data());
  EXPECT_EQ(app.rotateRed, 1);
  EXPECT_EQ(app.rotateGreen, 0);
  EXPECT_EQ(app.rotateBlue, 0);
  EXPECT_EQ(ring, expected);
}

TEST_F(RingAnimation, FadeExamples) {
  std::vector<std::uint32_t> ring = {0, 0, Rgb(10, 20, 30), Rgb(255, 5, 7)};
  const std::vector<std::uint32_t> goal = {Rgb(0, 255, 0), Grey(128), Rgb(10, 20, 30),
                                           Rgb(0, 5, 200)};
  ring.resize(ringSize, Grey(9));
  std::vector<std::uint32_t> target = goal;
  target.resize(ringSize, Grey(9));
  StepFadeToTarget(ring.data(), target.data());
  EXPECT_EQ(ring[0], Rgb(0, 1, 0));
  EXPECT_EQ(ring[1], Rgb(1, 1, 1));
  EXPECT_EQ(ring[2], Rgb(10, 20, 30));
  EXPECT_EQ(ring[3], Rgb(254, 5, 8));
  EXPECT_EQ(ring[ringSize - 1], Grey(9));

  ring = FilledRing(Rgb(255, 128, 1));
  StepFadeToBlack(ring.data());
  EXPECT_EQ(ring, FilledRing(Rgb(254, 127, 0)));

  // A fade-to-black step of the animation is three passes.
  std::fill_n(app.currentRing, ringSize, Rgb(2, 1, 0));
  app.currentRing[0] = Rgb(255, 128, 1);
  Frame(19401, 3);
  EXPECT_EQ(app.currentRing[0], Rgb(252, 125, 0));
  EXPECT_EQ(app.currentRing[1], 0u);
  EXPECT_EQ(app.ringAccumMs, 1u);
  // A 16 ms frame with 1 ms carried takes 8 steps of 3 units.
  std::fill_n(app.currentRing, ringSize, Grey(255));
  Frame(19500, 16);
  EXPECT_EQ(RingCopy(app.currentRing), FilledRing(Grey(231)));
  EXPECT_EQ(app.ringAccumMs, 1u);
}

TEST_F(RingAnimation, ModelStartFadesUpAndHoldsTheTargetUntil600Ms) {
  NewColorRing(1);
  // 16 ms frames: 7 steps, then 8 per frame; after frame k, 8k - 1 steps. Every palette reaches
  // 255 somewhere, so the ring equals the target from the 255th step, frame 32.
  for (std::int32_t frame = 1; frame <= 37; ++frame) {
    Frame(16 * frame, 16);
    ASSERT_EQ(app.ringState, RingState::FadeToTarget);
    const bool reached = RingCopy(app.currentRing) == RingCopy(app.targetRing);
    ASSERT_EQ(reached, frame >= 32) << "frame " << frame;
  }
  Frame(16 * 38, 16);
  EXPECT_EQ(app.ringState, RingState::Rotate);
}

TEST_F(RingAnimation, NewPaletteKeepsTheWindowIntervalAndAccumulator) {
  // During the fade-in: the rest of the window pulls the new palette onto the target.
  NewColorRing(1);
  FillGreyWave(app.targetRing);  // unlike the channel pulses that state 1 draws first
  Frame(16, 16);
  const std::vector<std::uint32_t> target = RingCopy(app.targetRing);
  app.rngState = 1;
  NewColorRing(0);
  EXPECT_EQ(app.ringState, RingState::FadeToTarget);
  EXPECT_EQ(app.ringStepMs, 2u);
  EXPECT_EQ(app.ringAccumMs, 2u);
  EXPECT_NE(RingCopy(app.currentRing), target);
  for (std::int32_t t = 32; t < 600; t += 16) {
    Frame(t, 16);  // 36 frames, 288 steps
  }
  EXPECT_EQ(RingCopy(app.currentRing), target);

  // During rotation: the new palette turns at the same interval, drawn only once.
  SetUp();
  app.ringState = RingState::FadeToTarget;
  Frame(600, 0);
  NewColorRing(0);
  const std::vector<std::uint32_t> palette = RingCopy(app.currentRing);
  const std::uint32_t state = app.rngState;
  const std::int32_t flags[] = {app.rotateRed, app.rotateGreen, app.rotateBlue};
  Frame(1000, 29);  // two 14 ms steps, 1 ms left
  EXPECT_EQ(app.ringStepMs, kIntervalFromStateOne);
  EXPECT_EQ(app.ringAccumMs, 1u);
  const std::uint32_t stateAfter = app.rngState;
  std::vector<std::uint32_t> expected = palette;
  app.rngState = state;
  app.rotateRed = flags[0];
  app.rotateGreen = flags[1];
  app.rotateBlue = flags[2];
  reference::StepRotate(expected.data());
  reference::StepRotate(expected.data());
  EXPECT_EQ(app.rngState, stateAfter);
  EXPECT_EQ(RingCopy(app.currentRing), expected);

  // During the fade to black: the new palette darkens from full brightness.
  SetUp();
  Frame(19500, 0);
  NewColorRing(0);
  expected = RingCopy(app.currentRing);
  Frame(19503, 3);
  for (std::int32_t pass = 0; pass < 3; ++pass) {
    reference::StepFadeToBlack(expected.data());
  }
  EXPECT_EQ(app.ringState, RingState::FadeToBlack);
  EXPECT_EQ(RingCopy(app.currentRing), expected);
}

TEST_F(RingAnimation, ManualDuringTheFadeToBlackRotatesTheDarkRing) {
  NewColorRing(0);
  // 200 ms of 20 ms frames: 9 steps, then 10 per frame: 99 steps, past the 85 that reach black.
  for (std::int32_t t = 19401; t < 19601; t += 20) {
    Frame(t, 20);
  }
  ASSERT_EQ(RingCopy(app.currentRing), FilledRing(0));
  app.playPeriodMs = kManualPeriodMs;
  const std::uint32_t state = app.rngState;
  const std::uint32_t interval = 3 + static_cast<std::uint32_t>(Rng() % 30);
  app.rngState = state;
  Frame(19601, 20);  // 22 ms in the accumulator
  EXPECT_EQ(app.ringState, RingState::Rotate);
  EXPECT_EQ(app.ringStepMs, interval);
  const std::int32_t steps = static_cast<std::int32_t>(21 / interval);
  EXPECT_EQ(app.rngState, doubles::RngStateAfter(state, 1 + 3 * steps));
  EXPECT_EQ(RingCopy(app.currentRing), FilledRing(0));
}

}  // namespace
