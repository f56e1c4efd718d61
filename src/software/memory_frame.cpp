#include "software/memory_frame.h"

#include <algorithm>
#include <new>

#include "platform/display.h"
#include "software/memory_logos.h"
#include "state/app_state.h"

namespace {

constexpr std::size_t kFramePixels = static_cast<std::size_t>(screenWidth) * screenHeight;

std::uint32_t* frame = nullptr;  // the back buffer: kFramePixels pixels 0x00RRGGBB, or null

}  // namespace

bool CreateMemoryFrame() {
  frame = new (std::nothrow) std::uint32_t[kFramePixels];
  if (frame == nullptr) {
    return false;
  }
  FillMemoryFrame(0);
  return true;
}

void ReleaseMemoryFrame() {
  ReleaseMemoryLogos();
  delete[] frame;
  frame = nullptr;
}

std::uint32_t* FramePixels() {
  return frame;
}

void FillMemoryFrame(std::uint32_t colour) {
  std::fill_n(frame, kFramePixels, colour);
}

void ClearFrame() {
  FillMemoryFrame(0);
}

bool LockFrame() {
  app.frame = {frame, screenWidth, screenWidth, screenHeight};
  return true;
}

void UnlockFrame() {
  app.frame.pixels = nullptr;
}
