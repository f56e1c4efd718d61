#include "software/memory_frame.h"

#include <algorithm>
#include <cstddef>
#include <new>

#include "platform/display.h"
#include "software/layer_overlay.h"
#include "software/memory_logos.h"
#include "state/app_state.h"

namespace {

constexpr std::size_t kLayerPixels = static_cast<std::size_t>(screenWidth) * screenHeight;

// The frame's memory.
struct MemoryFrame {
  std::uint32_t* layer = nullptr;    // the console layer, kLayerPixels pixels 0x00RRGGBB, or null
  std::uint32_t* picture = nullptr;  // the picture at another size than the layer's; else null
  std::int32_t width = screenWidth;  // the picture's size
  std::int32_t height = screenHeight;
};

MemoryFrame memory;

std::size_t PicturePixels() {
  return static_cast<std::size_t>(memory.width) * static_cast<std::size_t>(memory.height);
}

}  // namespace

bool CreateMemoryFrame() {
  memory = MemoryFrame{};
  memory.layer = new (std::nothrow) std::uint32_t[kLayerPixels];
  if (memory.layer == nullptr) {
    return false;
  }
  FillMemoryFrame(0);
  return true;
}

void ReleaseMemoryFrame() {
  ReleaseMemoryLogos();
  delete[] memory.layer;
  delete[] memory.picture;
  memory = MemoryFrame{};
}

std::uint32_t* FramePixels() {
  return memory.layer;
}

void FillMemoryFrame(std::uint32_t colour) {
  std::fill_n(memory.layer, kLayerPixels, colour);
}

bool SetPictureSize(std::int32_t width, std::int32_t height) {
  if (width == memory.width && height == memory.height) {
    return true;
  }
  std::uint32_t* picture = nullptr;
  if (width != screenWidth || height != screenHeight) {
    picture = new (std::nothrow) std::uint32_t[static_cast<std::size_t>(width) * height];
    if (picture == nullptr) {
      return false;
    }
  }
  delete[] memory.picture;
  memory.picture = picture;
  memory.width = width;
  memory.height = height;
  if (picture != nullptr) {
    std::fill_n(picture, PicturePixels(), 0u);
  }
  return true;
}

FrameView PictureView() {
  std::uint32_t* pixels = memory.picture != nullptr ? memory.picture : memory.layer;
  return {pixels, memory.width, memory.width, memory.height};
}

FrameView FinishMemoryFrame() {
  const FrameView picture = PictureView();
  if (memory.picture != nullptr) {
    if (app.started == 0) {
      OverlayWholeLayer(memory.layer, picture);
    } else {
      OverlayConsoleBand(memory.layer, picture, app.consoleTop, app.scaledConsoleTop);
    }
  }
  return picture;
}

void ClearFrame() {
  FillMemoryFrame(0);
  if (memory.picture != nullptr) {
    std::fill_n(memory.picture, PicturePixels(), 0u);
  }
}

bool LockFrame(FrameLayer layer) {
  app.frame = layer == FrameLayer::Picture
                  ? PictureView()
                  : FrameView{memory.layer, screenWidth, screenWidth, screenHeight};
  return app.frame.pixels != nullptr;
}

void UnlockFrame() {
  app.frame.pixels = nullptr;
}
