#include "software/bitmap_decoder.h"

namespace {

// Offsets into the file header (14 bytes) and the BITMAPINFOHEADER that follows it.
constexpr std::size_t kPixelDataOffsetAt = 10;
constexpr std::size_t kWidthAt = 18;
constexpr std::size_t kHeightAt = 22;
constexpr std::size_t kBitsPerPixelAt = 28;
constexpr std::size_t kCompressionAt = 30;
constexpr std::size_t kHeadersSize = 54;

std::uint32_t ReadLittleEndian(const std::uint8_t* bytes, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = count; i-- > 0;) {
    value = value << 8 | bytes[at + i];
  }
  return value;
}

}  // namespace

bool DecodeBitmap24(const std::uint8_t* bytes, std::size_t size, std::int32_t width,
                    std::int32_t height, std::uint32_t* pixels) {
  if (size < kHeadersSize || bytes[0] != 'B' || bytes[1] != 'M' ||
      ReadLittleEndian(bytes, kBitsPerPixelAt, 2) != 24 ||
      ReadLittleEndian(bytes, kCompressionAt, 4) != 0 ||
      static_cast<std::int32_t>(ReadLittleEndian(bytes, kWidthAt, 4)) != width) {
    return false;
  }
  // A positive height stores the bottom row first, a negative one the top row.
  const auto storedHeight = static_cast<std::int32_t>(ReadLittleEndian(bytes, kHeightAt, 4));
  if (storedHeight != height && storedHeight != -height) {
    return false;
  }
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  const std::size_t dataOffset = ReadLittleEndian(bytes, kPixelDataOffsetAt, 4);
  if (dataOffset > size || (size - dataOffset) / rowBytes < static_cast<std::size_t>(height)) {
    return false;
  }
  for (std::int32_t y = 0; y < height; ++y) {
    const std::int32_t storedRow = storedHeight > 0 ? height - 1 - y : y;
    const std::uint8_t* bgr = bytes + dataOffset + rowBytes * static_cast<std::size_t>(storedRow);
    for (std::int32_t x = 0; x < width; ++x, bgr += 3) {
      *pixels++ = ReadLittleEndian(bgr, 0, 3);
    }
  }
  return true;
}
