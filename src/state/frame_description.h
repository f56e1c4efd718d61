// What a frame shows, as the core describes it after updating the run: the intro page or the
// visuals, and for each picture its size, its field and where the console's band lies on it.
// Renderers draw it (platform/renderer.h), displays present it (platform/display.h).
#pragma once

#include <cstdint>

// The most pictures a frame has: one for each screen a platform shows (platform/display.h).
constexpr std::int32_t kMostPictures = 16;

// A picture's size in output pixels.
struct PictureSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Which field a picture shows.
enum class FieldKind : std::int32_t {
  None = 0,     // no field could be had for its size: the picture keeps what it showed
  Classic = 1,  // the classic frame: the classic IndexBuffer, composed with the classic terms
  Scaled = 2,   // the field fieldIndex of the pictures' sizes (app_state.h)
};

// One picture of a running frame.
struct PictureDescription {
  PictureSize size;  // output pixels; the classic frame's size where it is Classic
  FieldKind field = FieldKind::None;
  std::int32_t fieldIndex = -1;  // which field of a picture's size, where Scaled
  std::int32_t bandTop = 0;      // first output row of the console's band; size.height: none
};

// How the console and intro layer lies on picture 0: `width` x `height` layer pixels, each one
// `scale` output pixels across, centred across the picture; the console's band keeps to its bottom
// edge. The classic layout is the classic screen at the picture's model scale (app/layer_layout.h).
struct LayerLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  double scale = 1;
  bool operator==(const LayerLayout& other) const {
    return width == other.width && height == other.height && scale == other.scale;
  }
};

// Whether the frame shows the intro page or the visuals.
enum class FrameContent : std::int32_t { IntroPage = 0, Visuals = 1 };

struct FrameDescription {
  FrameContent content = FrameContent::IntroPage;
  std::int32_t pictureCount = 1;  // pictures 0 ... pictureCount - 1; the console is on picture 0
  PictureDescription pictures[kMostPictures];
  std::int32_t consoleTop = 0;  // first classic row the console covers, up to 600 (hidden)
  LayerLayout layer;            // where picture 0 shows the console and intro layer
};
