#include <algorithm>
#include <cassert>
#include <cstddef>

#include "doubles/doubles.h"
#include "state/app_state.h"

namespace doubles {

DisplayDouble display;
TextRecorder text;
LogoRecorder logos;
std::uint32_t clockTicks = 0;

void ResetDoubles(std::int32_t pitchPixels, std::uint32_t fill, std::size_t guardWords) {
  display = DisplayDouble{};
  display.pitchPixels = pitchPixels;
  display.guardWords = guardWords;
  display.memory.assign(static_cast<std::size_t>(pitchPixels) * screenHeight + 2 * guardWords,
                        fill);
  text = TextRecorder{};
  logos = LogoRecorder{};
  clockTicks = 0;
}

std::uint32_t PixelAt(std::int32_t x, std::int32_t y) {
  return display.memory[display.guardWords + static_cast<std::size_t>(y) * display.pitchPixels + x];
}

}  // namespace doubles

using doubles::display;

DisplayCheck CheckDisplay() {
  display.calls.push_back("CheckDisplay");
  if (display.checks.empty()) {
    return DisplayCheck::Ready;
  }
  const DisplayCheck answer = display.checks.front();
  display.checks.pop_front();
  return answer;
}

void FillCornerPixel() {
  display.calls.push_back("FillCornerPixel");
  assert(!display.locked && !display.dcHeld);
  display.memory[display.guardWords] = 0;
}

void FillBackBuffer(std::uint32_t colour) {
  display.calls.push_back("FillBackBuffer");
  assert(!display.locked && !display.dcHeld);
  for (std::int32_t y = 0; y < screenHeight; ++y) {
    const auto row = static_cast<std::ptrdiff_t>(display.guardWords) + y * display.pitchPixels;
    std::fill_n(display.memory.begin() + row, screenWidth, colour);
  }
}

void WaitForBlitter() {
  display.calls.push_back("WaitForBlitter");
}

bool LockBackBuffer() {
  display.calls.push_back("LockBackBuffer");
  assert(!display.locked && !display.dcHeld);
  if (display.lockFails) {
    app.pixels = nullptr;
    app.pitchPixels = 0;
    return false;
  }
  display.locked = true;
  app.pixels = display.memory.data() + display.guardWords;
  app.pitchPixels = display.pitchPixels;
  return true;
}

void UnlockBackBuffer() {
  display.calls.push_back("UnlockBackBuffer");
  assert(display.locked);
  display.locked = false;
  app.pixels = nullptr;
}

void GetBackBufferDc() {
  display.calls.push_back("GetBackBufferDc");
  assert(!display.locked && !display.dcHeld);
  display.dcHeld = true;
  // A freshly taken device context: default ink and alignment, the stock font.
  doubles::text.ink = 0;
  doubles::text.anchor = TextAnchor::Left;
  doubles::text.transparent = false;
}

void ReleaseBackBufferDc() {
  display.calls.push_back("ReleaseBackBufferDc");
  assert(display.dcHeld && !doubles::text.fontSelected);
  display.dcHeld = false;
}

void FlipPage() {
  display.calls.push_back("FlipPage");
  assert(!display.locked && !display.dcHeld);
}
