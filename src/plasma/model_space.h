// The classic model space and how an output of any size samples it.
//
// The models are defined over the 800 x 600 screen of the classic display mode, pixel (col, row)
// standing for the whole point (col - 400, row - 300). An output of W x H pixels shows that space
// scaled by s = min(W / 800, H / 600) and centred: its pixel (c, r) stands for the point
//   x = (c + 0.5 - W / 2) / s - 0.5,   y = (r + 0.5 - H / 2) / s - 0.5,
// which at s = 1 is the classic pixel's own point. Every computation here is in double precision
// in the order written; these are the only places that name the model space's size.
#pragma once

#include <algorithm>
#include <cstdint>

#include "state/app_state.h"

constexpr std::int32_t kModelWidth = screenWidth;    // model-space units across the classic screen
constexpr std::int32_t kModelHeight = screenHeight;  // and down it
constexpr std::int32_t kModelCentreX = kModelWidth / 2;   // the classic centreX, 400
constexpr std::int32_t kModelCentreY = kModelHeight / 2;  // the classic centreY, 300
constexpr std::int32_t kLargestOutputSide = 16384;        // output columns or rows at most

// Output pixels per model-space unit for a width x height output, both 1 ... kLargestOutputSide.
inline double ModelScale(std::int32_t width, std::int32_t height) {
  return std::min(width / static_cast<double>(kModelWidth),
                  height / static_cast<double>(kModelHeight));
}

// The model-space coordinate of output column (or row) `at` of an output `extent` pixels across,
// at `scale`. `at` may lie outside the output: the drifted terms read beyond its edges.
inline double ModelCoordinate(std::int32_t at, std::int32_t extent, double scale) {
  return (at + 0.5 - extent / 2.0) / scale - 0.5;
}
