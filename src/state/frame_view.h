// A frame to draw into, of any size: a platform's back buffer, a window's texture, a picture
// being rendered. It says where the pixels are and how they are laid out; it owns nothing.
#pragma once

#include <cstdint>

struct FrameView {
  std::uint32_t* pixels = nullptr;  // pixel (col, row) at pixels[row * pitch + col], 0x00RRGGBB
  std::int32_t pitch = 0;           // pixels from one row to the next: at least width
  std::int32_t width = 0;           // columns
  std::int32_t height = 0;          // rows
};
