#include "fuzz/loop_invariants.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "doubles/doubles.h"
#include "state/app_state.h"
#include "ui/console_slide.h"

namespace {

constexpr std::uint32_t kColourMask = 0x00FFFFFF;  // a pixel or ring entry is 0x00RRGGBB
constexpr std::uint32_t kWordBits = 64;
constexpr std::int32_t kGlowRows = 9;  // picture rows above the console that its glow tints

// One bit per 24-bit colour, 2 MB: the visible ring's colours while CheckComposedRows runs, all
// clear between calls. A bit test per pixel keeps the whole-frame check to a few ms.
std::vector<std::uint64_t> ringColourBits((kColourMask + 1) / kWordBits);

// The loops over whole buffers read only memory the program owns and are not what is under test:
// without sanitizer and coverage instrumentation they cost a fraction of the frame they check.
[[clang::no_sanitize("address", "undefined", "coverage")]] bool RingTopBytesClear(
    const std::uint32_t* ring) {
  std::uint32_t high = 0;
  for (std::int32_t i = 0; i < ringSize; ++i) {
    high |= ring[i] & ~kColourMask;
  }
  return high == 0;
}

[[clang::no_sanitize("address", "undefined", "coverage")]] bool GuardsIntact() {
  const std::uint32_t* memory = doubles::display.memory.data();
  const std::size_t words = doubles::display.memory.size();
  const std::size_t pitch = static_cast<std::size_t>(doubles::display.pitchPixels);
  const std::size_t guard = doubles::display.guardWords;
  bool intact = true;
  // Before the first row, then after the width of every row up to the next row or the end.
  for (std::size_t i = 0; i < guard; ++i) {
    intact &= memory[i] == kGuardWord;
  }
  for (std::int32_t y = 0; y < screenHeight; ++y) {
    const std::size_t rowEnd = guard + static_cast<std::size_t>(y) * pitch + screenWidth;
    const std::size_t gapEnd = y + 1 < screenHeight ? rowEnd - screenWidth + pitch : words;
    for (std::size_t i = rowEnd; i < gapEnd; ++i) {
      intact &= memory[i] == kGuardWord;
    }
  }
  return intact;
}

}  // namespace

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "chromaflux_fuzz: broken invariant: %s\n", what);
    std::abort();
  }
}

void CheckPassInvariants() {
  Require(app.consoleOffset <= kConsoleHeight, "consoleOffset within 0 ... 80");
  Require(app.slideAccumMs <= kSlideStepMs, "slideAccumMs at most 5 after a slide step");
  Require(!doubles::display.locked, "back buffer unlocked after a pass");
  Require(!doubles::display.dcHeld, "device context released after a pass");
  Require(GuardsIntact(), "nothing written outside the back buffer's rows");
  Require(RingTopBytesClear(app.currentRing), "top byte of every visible ring entry 0");
  Require(RingTopBytesClear(app.targetRing), "top byte of every target ring entry 0");
}

[[clang::no_sanitize("address", "undefined", "coverage")]] void CheckIndexField() {
  // One unsigned comparison also catches negative values.
  std::uint32_t largest = 0;
  for (std::int32_t i = 0; i < screenWidth * screenHeight; ++i) {
    const auto v = static_cast<std::uint32_t>(app.IndexBuffer[i]);
    largest = v > largest ? v : largest;
  }
  Require(largest < static_cast<std::uint32_t>(ringSize), "every IndexBuffer value below 20399");
}

[[clang::no_sanitize("address", "undefined", "coverage")]] void CheckComposedRows() {
  // Hidden console: the picture fills the screen. Otherwise the panel covers rows consoleTop on
  // and its glow tints the kGlowRows rows above, which leaves rows 0 ... consoleTop - 10 as drawn.
  const std::int32_t top = app.consoleTop;
  Require(top >= screenHeight - static_cast<std::int32_t>(kConsoleHeight) && top <= screenHeight,
          "consoleTop within 520 ... 600");
  const std::int32_t rows = top == screenHeight ? screenHeight : top - kGlowRows;

  std::uint64_t* bits = ringColourBits.data();
  const std::uint32_t* ring = app.currentRing;
  for (std::int32_t i = 0; i < ringSize; ++i) {
    const std::uint32_t colour = ring[i] & kColourMask;
    bits[colour / kWordBits] |= std::uint64_t{1} << (colour % kWordBits);
  }
  // A colour with a non-zero top byte is no ring colour: its masked bit is not enough.
  bool inRing = true;
  for (std::int32_t y = 0; y < rows; ++y) {
    const std::uint32_t* row = doubles::display.memory.data() + doubles::display.guardWords +
                               static_cast<std::size_t>(y) * doubles::display.pitchPixels;
    for (std::int32_t x = 0; x < screenWidth; ++x) {
      const std::uint32_t pixel = row[x];
      const std::uint32_t colour = pixel & kColourMask;
      inRing &= pixel == colour && ((bits[colour / kWordBits] >> (colour % kWordBits)) & 1) != 0;
    }
  }
  for (std::int32_t i = 0; i < ringSize; ++i) {
    bits[(ring[i] & kColourMask) / kWordBits] = 0;
  }
  Require(inRing, "every composed pixel one of the visible ring's colours");
}
