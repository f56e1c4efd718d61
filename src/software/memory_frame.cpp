#include "software/memory_frame.h"

#include <algorithm>
#include <new>

#include "platform/display.h"
#include "state/app_state.h"

namespace {

constexpr std::size_t kFramePixels = static_cast<std::size_t>(screenWidth) * screenHeight;

}  // namespace

bool CreateMemoryFrame() {
  app.frameMemory = new (std::nothrow) std::uint32_t[kFramePixels];
  if (app.frameMemory == nullptr) {
    return false;
  }
  FillBackBuffer(0);
  return true;
}

void FillCornerPixel() {
  app.frameMemory[0] = 0;
}

void FillBackBuffer(std::uint32_t colour) {
  std::fill_n(app.frameMemory, kFramePixels, colour);
}

void WaitForBlitter() {}

bool LockBackBuffer() {
  app.pixels = app.frameMemory;
  app.pitchPixels = screenWidth;
  return true;
}

void UnlockBackBuffer() {
  app.pixels = nullptr;
}

// A fresh target, like a device context just taken: black ink, left anchor.
void GetBackBufferDc() {
  app.textTarget = true;
  app.textInk = 0;
  app.textAnchor = TextAnchor::Left;
}

void ReleaseBackBufferDc() {
  app.textTarget = false;
}
