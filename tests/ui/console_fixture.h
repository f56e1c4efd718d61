// A fresh program state for the console and intro tests, with a recognisable colour ring.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "doubles/doubles.h"
#include "doubles/test_scene.h"
#include "state/app_state.h"
#include "ui/console_panel.h"

class ConsoleFixture : public ::testing::Test {
 protected:
  void SetUp() override { ResetState(); }

  // The visible ring goes back to the program's own, which other tests reuse.
  void TearDown() override { app.currentRing = programRing_; }

  // `app` as at load time, but keeping the buffers the program allocates once and never frees.
  void ResetState(std::int32_t pitchPixels = 800, std::uint32_t fill = 0xDEADBEEF) {
    if (app.currentRing != ring_.data()) {
      programRing_ = app.currentRing;
    }
    doubles::ResetApp();
    doubles::ResetDoubles(pitchPixels, fill);
    app.frame.layer = {screenWidth, screenHeight, 1};  // the classic frame's
    if (app.ConsoleRaster == nullptr) {  // as the scene allocates it; kept like the scene's
      app.ConsoleRaster = new std::uint32_t[kConsoleRasterPixels];
    }
    ring_.resize(ringSize);
    for (std::size_t e = 0; e < ring_.size(); ++e) {
      ring_[e] = 0x00A00000u + static_cast<std::uint32_t>(e);
    }
    app.currentRing = ring_.data();
  }

 private:
  std::vector<std::uint32_t> ring_;
  std::uint32_t* programRing_ = nullptr;
};
