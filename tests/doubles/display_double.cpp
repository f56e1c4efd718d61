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

DisplayCheck BeginFrame() {
  display.calls.push_back("BeginFrame");
  assert(!display.locked && !display.dcHeld);
  if (display.checks.empty()) {
    return DisplayCheck::Ready;
  }
  const DisplayCheck answer = display.checks.front();
  display.checks.pop_front();
  return answer;
}

void ClearFrame() {
  display.calls.push_back("ClearFrame");
  assert(!display.locked && !display.dcHeld);
  for (std::int32_t y = 0; y < screenHeight; ++y) {
    const auto row = static_cast<std::ptrdiff_t>(display.guardWords) + y * display.pitchPixels;
    std::fill_n(display.memory.begin() + row, screenWidth, 0);
  }
}

std::int32_t FramePictureCount() {
  return 1 + static_cast<std::int32_t>(display.morePictures.size());
}

// The frame is the display's own memory.
bool TakeFrameMemory() {
  return true;
}

void GiveBackFrameMemory() {}

PictureSize FramePictureSize(std::int32_t picture) {
  if (picture > 0) {
    const FrameView& view = display.morePictures.at(static_cast<std::size_t>(picture - 1));
    return {view.width, view.height};
  }
  if (!display.picture.empty()) {
    return {display.pictureWidth, display.pictureHeight};
  }
  return {screenWidth, screenHeight};
}

// The back buffer is a classic frame.
void ShapeLayer([[maybe_unused]] const LayerLayout& layout) {
  assert(layout.width == screenWidth && layout.height == screenHeight);
}

// One memory back buffer for both layers, unless a picture of its own was given.
FrameView LockFrame(FrameLayer layer, std::int32_t picture) {
  display.calls.push_back("LockFrame");
  assert((layer == FrameLayer::Picture || !display.locked) && !display.dcHeld);
  if (display.lockFails) {
    return FrameView{};
  }
  display.locked = true;
  if (layer == FrameLayer::Picture && picture > 0) {
    return display.morePictures.at(static_cast<std::size_t>(picture - 1));
  }
  if (layer == FrameLayer::Picture && !display.picture.empty()) {
    return {display.picture.data(), display.pictureWidth, display.pictureWidth,
            display.pictureHeight};
  }
  return {display.memory.data() + display.guardWords, display.pitchPixels, screenWidth,
          screenHeight};
}

void UnlockFrame() {
  display.calls.push_back("UnlockFrame");
  assert(display.locked);
  display.locked = false;
}

void OpenFrameText() {
  display.calls.push_back("OpenFrameText");
  assert(!display.locked && !display.dcHeld);
  display.dcHeld = true;
  // A freshly opened device context: default ink and alignment, the stock font.
  doubles::text.ink = 0;
  doubles::text.anchor = TextAnchor::Left;
  doubles::text.transparent = false;
}

void CloseFrameText() {
  display.calls.push_back("CloseFrameText");
  assert(display.dcHeld && !doubles::text.fontSelected);
  display.dcHeld = false;
}

bool DisplayPacesFrames() {
  return false;
}

void FinishFrame(const FrameDescription&) {
  display.calls.push_back("FinishFrame");
  assert(!display.locked && !display.dcHeld);
}
