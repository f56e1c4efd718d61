// Wine's real DirectDraw in exclusive mode on a window of the tests' own, for tests that need the
// platform. Needs an X display of 800 x 600 (scripts/wine-session provides one).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;  // colour fills may read back with the top byte set

// A shown 800 x 600 pop-up window; the cooperative level needs one.
HWND CreateTestWindow();

// Opens the display and creates the flip chain the way start-up does; closes it afterwards.
class WineDisplay : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The back buffer's 800 x 600 pixels, row by row, top bytes cleared; read through
  // LockBackBuffer.
  static std::vector<std::uint32_t> ReadBackBuffer();

  HWND window = nullptr;
};
