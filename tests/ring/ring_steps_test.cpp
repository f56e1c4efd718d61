// The fast ring steps against the plain per-channel ones, bit for bit over whole rings.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "doubles/test_scene.h"
#include "reference/ring_reference.h"
#include "ring/ring_animation.h"
#include "ring/ring_test_support.h"
#include "state/app_state.h"

namespace {

// Arbitrary colours 0x00RRGGBB; a fixed seed keeps failures reproducible.
std::vector<std::uint32_t> RandomRing(std::uint32_t seed) {
  std::mt19937 engine(seed);
  std::uniform_int_distribution<std::uint32_t> colour(0, 0x00FFFFFFu);
  std::vector<std::uint32_t> ring(static_cast<std::size_t>(ringSize));
  for (std::uint32_t& entry : ring) {
    entry = colour(engine);
  }
  return ring;
}

class RingSteps : public ring_test::RingFixture {};

TEST_F(RingSteps, FadeToTargetEqualsThePlainStepUntilEveryChannelArrives) {
  const std::vector<std::uint32_t> target = RandomRing(2);
  std::vector<std::uint32_t> fast = RandomRing(1);
  std::vector<std::uint32_t> plain = fast;
  // 256 steps: every channel meets its target within 255 and must then stay put.
  for (std::int32_t step = 0; step < 256; ++step) {
    StepFadeToTarget(fast.data(), target.data());
    reference::StepFadeToTarget(plain.data(), target.data());
    ASSERT_TRUE(fast == plain) << "step " << step;
  }
  EXPECT_TRUE(fast == target);
}

TEST_F(RingSteps, FadeToBlackEqualsThePlainStepDownToBlack) {
  std::vector<std::uint32_t> fast = RandomRing(3);
  std::vector<std::uint32_t> plain = fast;
  for (std::int32_t step = 0; step < 256; ++step) {
    StepFadeToBlack(fast.data());
    reference::StepFadeToBlack(plain.data());
    ASSERT_TRUE(fast == plain) << "step " << step;
  }
  EXPECT_TRUE(fast == ring_test::FilledRing(0));
}

TEST_F(RingSteps, RotateEqualsThePlainStepThroughFlagFlipsOnEveryPath) {
  for (SimdLevel level : doubles::EverySimdLevel()) {
    app.simdLevel = level;
    // From state 8 each channel's flag flips within the first 843 steps.
    app.rngState = 8;
    app.rotateRed = 1;
    app.rotateGreen = 0;
    app.rotateBlue = 1;
    std::vector<std::uint32_t> fast = RandomRing(4);
    std::vector<std::uint32_t> plain = fast;
    std::int32_t flips[3] = {0, 0, 0};
    for (std::int32_t step = 0; step < 1000; ++step) {
      const std::uint32_t state = app.rngState;
      const std::int32_t before[3] = {app.rotateRed, app.rotateGreen, app.rotateBlue};
      StepRotate(fast.data());
      const std::uint32_t fastState = app.rngState;
      const std::int32_t after[3] = {app.rotateRed, app.rotateGreen, app.rotateBlue};
      app.rngState = state;
      app.rotateRed = before[0];
      app.rotateGreen = before[1];
      app.rotateBlue = before[2];
      reference::StepRotate(plain.data());
      ASSERT_EQ(app.rngState, fastState) << "step " << step;
      ASSERT_EQ(app.rotateRed, after[0]) << "step " << step;
      ASSERT_EQ(app.rotateGreen, after[1]) << "step " << step;
      ASSERT_EQ(app.rotateBlue, after[2]) << "step " << step;
      ASSERT_TRUE(fast == plain) << "step " << step << " path " << static_cast<std::int32_t>(level);
      for (std::int32_t c = 0; c < 3; ++c) {
        flips[c] += before[c] != after[c];
      }
    }
    EXPECT_GT(flips[0], 0);
    EXPECT_GT(flips[1], 0);
    EXPECT_GT(flips[2], 0);
  }
}

}  // namespace
