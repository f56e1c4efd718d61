#include "software/frame_fit.h"

#include <algorithm>

#include "state/app_state.h"

FrameRect FitFrame(std::int32_t outputWidth, std::int32_t outputHeight) {
  const std::int32_t scale =
      std::max(1, std::min(outputWidth / screenWidth, outputHeight / screenHeight));
  const std::int32_t width = screenWidth * scale;
  const std::int32_t height = screenHeight * scale;
  return {(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}
