#include "gl/picture_readback.h"

#include <cstddef>

#include "gl/gl_functions.h"

void ReadGlPicture(PictureSize size, std::vector<std::uint8_t>& rows,
                   std::vector<std::uint32_t>& pixels) {
  const std::size_t width = static_cast<std::size_t>(size.width);
  pixels.resize(width * static_cast<std::size_t>(size.height));
  rows.resize(pixels.size() * 4);
  gl.ReadPixels(0, 0, size.width, size.height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
  for (std::int32_t r = 0; r < size.height; ++r) {
    const std::uint8_t* from =
        rows.data() + static_cast<std::size_t>(size.height - 1 - r) * width * 4;
    std::uint32_t* to = pixels.data() + static_cast<std::size_t>(r) * width;
    for (std::size_t c = 0; c < width; ++c, from += 4) {
      to[c] = std::uint32_t{from[0]} << 16 | std::uint32_t{from[1]} << 8 | from[2];
    }
  }
}
