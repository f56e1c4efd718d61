// Shared set-up of the colour-ring tests: the program's own rings and a known animation state.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ring/ring_generators.h"
#include "state/app_state.h"
#include "state/simd_level.h"

namespace ring_test {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (r << 16) | (g << 8) | b;
}

constexpr std::uint32_t Grey(std::uint32_t v) {
  return Rgb(v, v, v);
}

inline std::vector<std::uint32_t> RingCopy(const std::uint32_t* ring) {
  return std::vector<std::uint32_t>(ring, ring + ringSize);
}

inline std::vector<std::uint32_t> FilledRing(std::uint32_t entry) {
  return std::vector<std::uint32_t>(static_cast<std::size_t>(ringSize), entry);
}

// The rings come from CreateColorRings the first time and are then reused, as the program keeps
// them until exit; the ring and animation fields start from their load-time values, and the
// vector path is start-up's choice.
class RingFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (app.currentRing == nullptr) {
      ASSERT_TRUE(CreateColorRings());
    }
    app.rngState = 1;
    app.rotateRed = 0;
    app.rotateGreen = 0;
    app.rotateBlue = 0;
    app.ringState = RingState::Rotate;
    app.ringStepMs = 10;
    app.ringAccumMs = 0;
    app.frameMs = 0;
    app.modelClockMs = 0;
    app.playPeriodMs = kDefaultRandomPeriodMs;
    app.simdLevel = WidestSimdLevel();
  }
};

}  // namespace ring_test
