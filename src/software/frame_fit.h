// Where the 800 x 600 frame goes on an output of any size.
#pragma once

#include <cstdint>

struct FrameRect {
  std::int32_t x;  // left column on the output (negative when the output is narrower)
  std::int32_t y;  // top row on the output
  std::int32_t width;
  std::int32_t height;
};

// The frame scaled by the largest whole factor that fits the output (at least 1, so an output
// smaller than the frame shows its middle) and centred; the rest of the output stays black.
FrameRect FitFrame(std::int32_t outputWidth, std::int32_t outputHeight);
