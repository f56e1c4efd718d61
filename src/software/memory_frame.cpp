#include "software/memory_frame.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <new>

#include "platform/display.h"
#include "software/layer_overlay.h"
#include "software/memory_logos.h"
#include "state/app_state.h"

namespace {

// One picture's memory.
struct MemoryPicture {
  std::uint32_t* pixels = nullptr;   // its own pixels, 0x00RRGGBB; null for picture 0 at the
                                     // console layer's size, which is then the layer itself
  std::int32_t width = screenWidth;  // the picture's size
  std::int32_t height = screenHeight;
};

// The frame's memory.
struct MemoryFrame {
  std::uint32_t* layer = nullptr;  // the console layer, kLayerPixels pixels 0x00RRGGBB, or null
  std::int32_t layerWidth = screenWidth;  // the part of it laid out, row after row
  std::int32_t layerHeight = screenHeight;
  MemoryPicture pictures[kMostPictures];
  std::int32_t pictureCount = 1;  // pictures 0 ... pictureCount - 1 are drawn
};

MemoryFrame memory;

std::size_t PixelsOf(const MemoryPicture& picture) {
  return static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

void GiveBackPictures() {
  for (MemoryPicture& picture : memory.pictures) {
    delete[] picture.pixels;
    picture = MemoryPicture{};
  }
}

}  // namespace

bool TakeFrameMemory() {
  memory = MemoryFrame{};
  memory.layer = new (std::nothrow) std::uint32_t[kLayerPixels];
  if (memory.layer == nullptr) {
    return false;
  }
  FillMemoryFrame(0);
  return true;
}

void GiveBackFrameMemory() {
  ReleaseMemoryLogos();
  delete[] memory.layer;
  GiveBackPictures();
  memory = MemoryFrame{};
}

FrameView LayerView() {
  return {memory.layer, memory.layerWidth, memory.layerWidth, memory.layerHeight};
}

void ShapeLayer(const LayerLayout& layout) {
  assert(static_cast<std::size_t>(layout.width) * layout.height <= kLayerPixels);
  memory.layerWidth = layout.width;
  memory.layerHeight = layout.height;
}

void FillMemoryFrame(std::uint32_t colour) {
  std::fill_n(memory.layer, kLayerPixels, colour);
}

void SetPictureCount(std::int32_t count) {
  assert(count >= 1 && count <= kMostPictures);
  memory.pictureCount = count;
}

std::int32_t FramePictureCount() {
  return memory.pictureCount;
}

PictureSize FramePictureSize(std::int32_t index) {
  assert(index >= 0 && index < kMostPictures);
  return {memory.pictures[index].width, memory.pictures[index].height};
}

bool SetPictureSize(std::int32_t width, std::int32_t height, std::int32_t index) {
  assert(index >= 0 && index < kMostPictures);
  MemoryPicture& picture = memory.pictures[index];
  if (width == picture.width && height == picture.height && (index == 0 || picture.pixels)) {
    return true;
  }
  std::uint32_t* pixels = nullptr;
  if (index != 0 || width != screenWidth || height != screenHeight) {
    pixels = new (std::nothrow) std::uint32_t[static_cast<std::size_t>(width) * height];
    if (pixels == nullptr) {
      return false;
    }
  }
  delete[] picture.pixels;
  picture = {pixels, width, height};
  if (pixels != nullptr) {
    std::fill_n(pixels, PixelsOf(picture), 0u);
  }
  return true;
}

FrameView PictureView(std::int32_t index) {
  assert(index >= 0 && index < kMostPictures);
  const MemoryPicture& picture = memory.pictures[index];
  std::uint32_t* pixels = picture.pixels != nullptr || index != 0 ? picture.pixels : memory.layer;
  return {pixels, picture.width, picture.width, picture.height};
}

FrameView FinishMemoryFrame(const FrameDescription& frame) {
  const FrameView picture = PictureView(0);
  if (memory.pictures[0].pixels != nullptr) {
    if (frame.content == FrameContent::IntroPage) {
      OverlayWholeLayer(LayerView(), picture, frame.layer);
    } else {
      OverlayConsoleBand(LayerView(), picture, frame.layer, frame.consoleTop,
                         frame.pictures[0].bandTop);
    }
  }
  return picture;
}

void ClearFrame() {
  FillMemoryFrame(0);
  for (const MemoryPicture& picture : memory.pictures) {
    if (picture.pixels != nullptr) {
      std::fill_n(picture.pixels, PixelsOf(picture), 0u);
    }
  }
}

FrameView LockFrame(FrameLayer layer, std::int32_t picture) {
  return layer == FrameLayer::Picture ? PictureView(picture) : LayerView();
}

// Memory needs no unlocking.
void UnlockFrame() {}
