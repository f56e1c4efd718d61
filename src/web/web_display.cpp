// The web display: the software layer's memory frame, shown on the page's canvas.
//
// The page has no exclusive mode to lose; a hidden page (another tab, a minimised window) stands
// for the display being away, so frames are skipped and the clocks left alone until it shows again.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstddef>
#include <cstdint>
#include <new>

#include "platform/display.h"
#include "platform/row_bands.h"
#include "software/memory_frame.h"
#include "state/app_state.h"
#include "web/web_display.h"

// Puts `width` x `height` RGBA bytes at `rgba` on the canvas.
EM_JS(void, PutCanvasImage, (const void* rgba, int width, int height),
      { Module.page.putImage(HEAPU8, rgba, width, height); });

namespace {

constexpr std::size_t kFramePixels = std::size_t{screenWidth} * screenHeight;
constexpr std::uint32_t kOpaque = 0xFF000000;  // alpha in the top byte of a little-endian RGBA word

// The frame as the canvas takes it: bytes R, G, B, A; null outside a run.
std::uint32_t* canvasImage = nullptr;

}  // namespace

bool CreateCanvasImage() {
  canvasImage = new (std::nothrow) std::uint32_t[kFramePixels];
  return canvasImage != nullptr;
}

void ReleaseCanvasImage() {
  delete[] canvasImage;
  canvasImage = nullptr;
}

// The page has one thread: the picture's rows are done in one band.
void ForRowBands(std::int32_t rows, RowWork work) {
  work(0, rows);
}

DisplayCheck BeginFrame() {
  EmscriptenVisibilityChangeEvent visibility;
  if (emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS &&
      visibility.hidden) {
    return DisplayCheck::NotExclusive;
  }
  return DisplayCheck::Ready;
}

// The frame holds 0x00RRGGBB words, pitch screenWidth; the canvas wants bytes R, G, B, A, which
// WebAssembly's little-endian memory reads as the word 0xAABBGGRR: swap red and blue, set alpha.
// The compiler turns this loop into 128-bit vector operations.
void FinishFrame() {
  const std::uint32_t* frame = FramePixels();
  std::uint32_t* image = canvasImage;
  for (std::size_t i = 0; i < kFramePixels; ++i) {
    const std::uint32_t pixel = frame[i];
    image[i] = kOpaque | (pixel & 0x0000FF00u) | (pixel & 0xFFu) << 16 | (pixel >> 16 & 0xFFu);
  }
  PutCanvasImage(image, screenWidth, screenHeight);
}
