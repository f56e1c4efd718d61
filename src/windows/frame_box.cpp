// Ahead of windows.h (through frame_box.h): see there.
#include "software/frame_fit.h"

#include "windows/frame_box.h"

RECT FitFrameBox(LONG outputWidth, LONG outputHeight) {
  const auto fit = FitFrame(outputWidth, outputHeight);
  return {fit.x, fit.y, fit.x + fit.width, fit.y + fit.height};
}
