// Files built into the program, so that it reads nothing at run time: the two logo bitmaps of
// res/, copied byte for byte into generated source when the build is configured.
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedFile {
  const std::uint8_t* bytes;
  std::size_t size;
};

extern const EmbeddedFile kLargeLogoFile;  // res/logo106.bmp
extern const EmbeddedFile kSmallLogoFile;  // res/logo107.bmp
