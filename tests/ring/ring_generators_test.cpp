#include "ring/ring_generators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ring/ring_test_support.h"
#include "state/app_state.h"
#include "state/rng.h"

namespace {

using ring_test::FilledRing;
using ring_test::Grey;
using ring_test::Rgb;
using ring_test::RingCopy;

constexpr std::uint32_t Blue(std::uint32_t v) {
  return Rgb(0, 0, v);
}
constexpr std::uint32_t Green(std::uint32_t v) {
  return Rgb(0, v, 0);
}
constexpr std::uint32_t Red(std::uint32_t v) {
  return Rgb(v, 0, 0);
}

struct PaletteSample {
  std::int32_t phase;
  std::uint32_t modes[3];
};

constexpr PaletteSample kSamples[] = {
    {0, {0, 0, 0}},
    {1, {Grey(1), Grey(2), Blue(4)}},
    {63, {Grey(63), Grey(126), Blue(252)}},
    {64, {Grey(64), Grey(128), Blue(255)}},
    {100, {Grey(100), Grey(200), Blue(111)}},
    {127, {Grey(127), Grey(254), Blue(3)}},
    {128, {Grey(128), Grey(255), 0}},
    {129, {Grey(129), Grey(253), Green(4)}},
    {192, {Grey(192), Grey(127), Green(255)}},
    {200, {Grey(200), Grey(111), Green(223)}},
    {254, {Grey(254), Grey(3), Green(7)}},
    {255, {Grey(255), 0, Green(3)}},
    {256, {Grey(254), 0, 0}},
    {300, {Grey(210), 0, Red(176)}},
    {320, {Grey(190), 0, Red(255)}},
    {383, {Grey(127), 0, Red(3)}},
    {384, {Grey(126), 0, 0}},
    {385, {Grey(125), 0, Grey(4)}},
    {447, {Grey(63), 0, Grey(252)}},
    {448, {Grey(62), 0, Grey(255)}},
    {500, {Grey(10), 0, Grey(47)}},
    {508, {Grey(2), 0, Grey(15)}},
    {509, {Grey(1), 0, Grey(11)}},
};

constexpr void (*kFills[3])(std::uint32_t*) = {FillGreyWave, FillGreyPulse, FillChannelPulses};

TEST(RingGenerators, EveryPeriodHoldsTheSampleEntries) {
  for (std::int32_t mode = 0; mode < 3; ++mode) {
    std::vector<std::uint32_t> ring = FilledRing(0xDEADBEEF);
    kFills[mode](ring.data());
    for (const PaletteSample& sample : kSamples) {
      for (std::int32_t i = sample.phase; i < ringSize; i += kPalettePeriod) {
        ASSERT_EQ(ring[i], sample.modes[mode]) << "mode " << mode << " index " << i;
      }
    }
  }
}

TEST(RingGenerators, BlackEntriesPerModeAndTheLastEntryBeforeTheWrap) {
  const std::int32_t blackEntries[3] = {40, 10239, 160};
  const std::uint32_t lastEntry[3] = {Grey(2), 0, Grey(15)};
  for (std::int32_t mode = 0; mode < 3; ++mode) {
    std::vector<std::uint32_t> ring = FilledRing(0xDEADBEEF);
    kFills[mode](ring.data());
    EXPECT_EQ(std::count(ring.begin(), ring.end(), 0u), blackEntries[mode]) << "mode " << mode;
    EXPECT_EQ(ring[ringSize - 1], lastEntry[mode]) << "mode " << mode;
    EXPECT_EQ(ring[0], 0u);
    for (std::int32_t i = kPalettePeriod; i < ringSize; ++i) {
      ASSERT_EQ(ring[i], ring[i - kPalettePeriod]) << "mode " << mode << " index " << i;
    }
  }
}

TEST(RingGenerators, ChannelPulsesAreSingleChannelGreyOrBlack) {
  std::vector<std::uint32_t> ring = FilledRing(0xDEADBEEF);
  FillChannelPulses(ring.data());
  for (std::int32_t i = 0; i < ringSize; ++i) {
    const std::uint32_t r = (ring[i] >> 16) & 0xFF;
    const std::uint32_t g = (ring[i] >> 8) & 0xFF;
    const std::uint32_t b = ring[i] & 0xFF;
    const std::uint32_t lit = (r != 0) + (g != 0) + (b != 0);
    ASSERT_EQ(ring[i] >> 24, 0u) << i;
    ASSERT_TRUE(lit <= 1 || (r == g && g == b)) << "index " << i << " holds " << ring[i];
  }
}

class RingRenewal : public ring_test::RingFixture {};

TEST_F(RingRenewal, GenerateRingFromStateOneDrawsChannelPulsesAndRedDown) {
  // From state 1 the draws are 41, 18467, 6334, 26500: mode 41 mod 3 = 2, then 1, 0, 0.
  std::vector<std::uint32_t> ring = FilledRing(0xDEADBEEF);
  GenerateRing(ring.data());
  std::vector<std::uint32_t> expected = FilledRing(0);
  FillChannelPulses(expected.data());
  EXPECT_EQ(ring, expected);
  EXPECT_EQ(app.rotateRed, 1);
  EXPECT_EQ(app.rotateGreen, 0);
  EXPECT_EQ(app.rotateBlue, 0);
  EXPECT_EQ(Rng(), 19169);  // the fifth draw: exactly four were taken
}

TEST_F(RingRenewal, CreateColorRingsStartsBlackTowardANewTarget) {
  std::uint32_t* const keptCurrent = app.currentRing;
  std::uint32_t* const keptTarget = app.targetRing;
  ASSERT_TRUE(CreateColorRings());
  EXPECT_EQ(RingCopy(app.currentRing), FilledRing(0));
  std::vector<std::uint32_t> expected = FilledRing(0);
  FillChannelPulses(expected.data());
  EXPECT_EQ(RingCopy(app.targetRing), expected);
  EXPECT_EQ(app.rotateRed, 1);
  EXPECT_EQ(Rng(), 19169);
  // The program makes its rings once; give back the second pair and keep the first.
  delete[] app.currentRing;
  delete[] app.targetRing;
  app.currentRing = keptCurrent;
  app.targetRing = keptTarget;
}

TEST_F(RingRenewal, FromBlackClearsTheVisibleRingAndRenewsTheTarget) {
  std::fill_n(app.currentRing, ringSize, 0x00123456u);
  std::fill_n(app.targetRing, ringSize, 0x00123456u);
  app.ringState = RingState::FadeToBlack;
  app.ringAccumMs = 7;
  NewColorRing(1);
  EXPECT_EQ(RingCopy(app.currentRing), FilledRing(0));
  std::vector<std::uint32_t> expected = FilledRing(0);
  FillChannelPulses(expected.data());
  EXPECT_EQ(RingCopy(app.targetRing), expected);
  EXPECT_EQ(app.ringState, RingState::FadeToBlack);
  EXPECT_EQ(app.ringStepMs, 10u);
  EXPECT_EQ(app.ringAccumMs, 7u);
}

TEST_F(RingRenewal, WithoutBlackReplacesTheVisibleRingAndKeepsTheTarget) {
  for (std::int32_t i = 0; i < ringSize; ++i) {
    app.targetRing[i] = static_cast<std::uint32_t>(i) * 0x00010203u & 0x00FFFFFFu;
  }
  const std::vector<std::uint32_t> target = RingCopy(app.targetRing);
  std::fill_n(app.currentRing, ringSize, 0x00123456u);
  NewColorRing(0);
  EXPECT_EQ(RingCopy(app.targetRing), target);
  std::vector<std::uint32_t> expected = FilledRing(0);
  FillChannelPulses(expected.data());
  EXPECT_EQ(RingCopy(app.currentRing), expected);
  EXPECT_EQ(app.rotateRed, 1);
  EXPECT_EQ(Rng(), 19169);
}

}  // namespace
