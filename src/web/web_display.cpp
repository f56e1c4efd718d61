// The web display: the software layer's memory frame, shown on the page's canvas.
//
// The page has no exclusive mode to lose; a hidden page (another tab, a minimised window) stands
// for the display being away, so frames are skipped and the clocks left alone until it shows again.
//
// The page says each frame which picture it wants (index.html: the canvas's device pixels in high
// resolution, within the software renderer's pixel budget, else the classic frame). A size whose
// memory cannot be had, here or for the core's picture buffers, gives the classic frame until the
// page asks for another size: the memory reserved at load (CMakeLists.txt) leaves room for the
// budget, so that is the exception, and retrying every frame would cost an allocation per frame.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <new>

#include "platform/display.h"
#include "software/memory_frame.h"
#include "state/app_state.h"
#include "web/web_display.h"

// Puts `width` x `height` RGBA bytes at `rgba` on the canvas, which takes that size.
EM_JS(void, PutCanvasImage, (const void* rgba, int width, int height),
      { Module.page.putImage(HEAPU8, rgba, width, height); });
// The picture size the page wants, in pixels.
EM_JS(void, GetPagePictureSize, (int* width, int* height), {
  const size = Module.page.pictureSize();
  HEAP32[width >> 2] = size[0];
  HEAP32[height >> 2] = size[1];
});

namespace {

constexpr std::size_t kClassicPixels = std::size_t{screenWidth} * screenHeight;
constexpr std::uint32_t kOpaque = 0xFF000000;  // alpha in the top byte of a little-endian RGBA word

// What the web display holds during a run.
struct WebDisplay {
  std::uint32_t* image = nullptr;  // the frame as the canvas takes it: bytes R, G, B, A; null
                                   // outside a run
  std::size_t imagePixels = 0;     // pixels `image` holds: never fewer than the classic frame's
  PictureSize refused;             // the last size whose memory could not be had; 0 x 0: none
};

WebDisplay web;

// The canvas image holds at least `pixels` pixels. It only grows, and the new one is made before
// the old one goes: a refusal keeps an image large enough for the classic frame.
bool HoldCanvasImage(std::size_t pixels) {
  if (pixels <= web.imagePixels) {
    return true;
  }
  std::uint32_t* image = new (std::nothrow) std::uint32_t[pixels];
  if (image == nullptr) {
    return false;
  }
  delete[] web.image;
  web.image = image;
  web.imagePixels = pixels;
  return true;
}

bool IsClassic(PictureSize size) {
  return size.width == screenWidth && size.height == screenHeight;
}

}  // namespace

bool CreateCanvasImage() {
  return HoldCanvasImage(kClassicPixels);
}

void ReleaseCanvasImage() {
  delete[] web.image;
  web = WebDisplay{};
}

void UseClassicPicture() {
  SetPictureSize(screenWidth, screenHeight);  // gives the other picture back; cannot fail
}

// The browser's animation frames pace the page; it never rests of its own accord.
bool DisplayPacesFrames() {
  return true;
}

bool PageHidden() {
  EmscriptenVisibilityChangeEvent visibility;
  return emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS &&
         visibility.hidden;
}

PictureSize PagePictureSize() {
  PictureSize size{screenWidth, screenHeight};
  GetPagePictureSize(&size.width, &size.height);
  const bool refused = size.width == web.refused.width && size.height == web.refused.height;
  if (refused || size.width < 1 || size.height < 1) {
    return {screenWidth, screenHeight};
  }
  return size;
}

void RefusePictureSize(PictureSize size) {
  web.refused = size;
}

bool LacksField(const FrameDescription& frame) {
  return frame.content == FrameContent::Visuals && !IsClassic(frame.pictures[0].size) &&
         frame.pictures[0].field == FieldKind::None;
}

DisplayCheck BeginFrame() {
  if (PageHidden()) {
    return DisplayCheck::NotExclusive;
  }
  const PictureSize size = PagePictureSize();
  if (!SetPictureSize(size.width, size.height) ||
      !HoldCanvasImage(static_cast<std::size_t>(size.width) *
                       static_cast<std::size_t>(size.height))) {
    RefusePictureSize(size);
    UseClassicPicture();
  }
  return DisplayCheck::Ready;
}

// The frame holds 0x00RRGGBB words; the canvas wants bytes R, G, B, A, which WebAssembly's
// little-endian memory reads as the word 0xAABBGGRR: swap red and blue, set alpha. The compiler
// turns the inner loop into 128-bit vector operations.
void FinishFrame(const FrameDescription& frame) {
  const FrameView shown = FinishMemoryFrame(frame);
  if (LacksField(frame)) {
    RefusePictureSize(frame.pictures[0].size);
  }
  assert(static_cast<std::size_t>(shown.width) * static_cast<std::size_t>(shown.height) <=
         web.imagePixels);
  std::uint32_t* image = web.image;
  for (std::int32_t row = 0; row < shown.height; ++row) {
    const std::uint32_t* frame = shown.pixels + static_cast<std::ptrdiff_t>(row) * shown.pitch;
    for (std::int32_t col = 0; col < shown.width; ++col) {
      const std::uint32_t pixel = frame[col];
      image[col] = kOpaque | (pixel & 0x0000FF00u) | (pixel & 0xFFu) << 16 | (pixel >> 16 & 0xFFu);
    }
    image += shown.width;
  }
  PutCanvasImage(web.image, shown.width, shown.height);
}
