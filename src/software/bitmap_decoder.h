// Decoding of the uncompressed 24-bit BMP files that hold the console logos.
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes the BMP in `bytes` (`size` bytes) into `pixels`, `width` x `height` values 0x00RRGGBB,
// top row first. Returns false, writing nothing, unless the file is an uncompressed 24-bit BMP of
// exactly that size whose pixel rows (bottom-up or top-down, each padded to 4 bytes) all lie
// within `size`.
bool DecodeBitmap24(const std::uint8_t* bytes, std::size_t size, std::int32_t width,
                    std::int32_t height, std::uint32_t* pixels);
