// Where the 800 x 600 frame goes on an output of any size, and how it is to be scaled there.
#pragma once

#include <cstdint>

struct FrameRect {
  std::int32_t x;  // left column on the output
  std::int32_t y;  // top row on the output
  std::int32_t width;
  std::int32_t height;
};

// The largest box of the frame's 4:3 shape that fits the output, at any scale (larger or smaller
// than the frame), centred; the rest of the output stays black. Where the output's shape allows
// no exact 4:3 box in whole pixels, the box's short side is rounded down, so it always fits. An
// empty output gives an empty box.
FrameRect FitFrame(std::int32_t outputWidth, std::int32_t outputHeight);

// Whether `box` shows the frame at a whole scale (1, 2, 3 ...): nearest-neighbour then shows every
// frame pixel as an equal square.
bool IsWholeScale(const FrameRect& box);

// The smallest whole factor by which the frame is at least as large as `box` (at least 1): sharp
// bilinear enlarges the frame nearest-neighbour by it, then reduces the result to the box.
std::int32_t EnlargementFactor(const FrameRect& box);
