#include "software/frame_fit.h"

#include <algorithm>

#include "state/app_state.h"

FrameRect FitFrame(std::int32_t outputWidth, std::int32_t outputHeight) {
  const std::int64_t width = std::max(0, outputWidth);
  const std::int64_t height = std::max(0, outputHeight);
  // Cross-multiplied in 64 bits: width / height against screenWidth / screenHeight.
  const bool widthBound = width * screenHeight <= height * screenWidth;
  const auto boxWidth =
      static_cast<std::int32_t>(widthBound ? width : height * screenWidth / screenHeight);
  const auto boxHeight =
      static_cast<std::int32_t>(widthBound ? width * screenHeight / screenWidth : height);
  return {(static_cast<std::int32_t>(width) - boxWidth) / 2,
          (static_cast<std::int32_t>(height) - boxHeight) / 2, boxWidth, boxHeight};
}

bool IsWholeScale(const FrameRect& box) {
  const std::int32_t scale = box.width / screenWidth;
  return scale >= 1 && box.width == scale * screenWidth && box.height == scale * screenHeight;
}

std::int32_t EnlargementFactor(const FrameRect& box) {
  const std::int32_t across = (box.width + screenWidth - 1) / screenWidth;
  const std::int32_t down = (box.height + screenHeight - 1) / screenHeight;
  return std::max({1, across, down});
}
