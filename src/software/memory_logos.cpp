// The console logos in memory: decoded once from the embedded bitmaps, copied into the frame.
#include <algorithm>
#include <new>

#include "software/memory_logos.h"

#include "platform/logo_surfaces.h"
#include "software/bitmap_decoder.h"
#include "software/embedded_files.h"
#include "software/memory_frame.h"
#include "state/app_state.h"

namespace {

// The decoded logos, 0x00RRGGBB rows, top row first; null until made, or when they cannot be.
struct MemoryLogos {
  std::uint32_t* largePixels = nullptr;  // bitmap 106
  std::uint32_t* smallPixels = nullptr;  // bitmap 107
};
MemoryLogos logos;

struct LogoSource {
  std::uint32_t*& pixels;
  const EmbeddedFile& file;
  std::int32_t width;
  std::int32_t height;
};

LogoSource SourceOf(Logo logo) {
  if (logo == Logo::Large) {
    return {logos.largePixels, kLargeLogoFile, kLargeLogoWidth, kLargeLogoHeight};
  }
  return {logos.smallPixels, kSmallLogoFile, kSmallLogoWidth, kSmallLogoHeight};
}

// Like a surface that cannot be created, a logo without memory or with a bad file stays null.
void CreateLogo(const LogoSource& logo) {
  const std::size_t count = static_cast<std::size_t>(logo.width) * logo.height;
  auto* pixels = new (std::nothrow) std::uint32_t[count];
  if (pixels != nullptr &&
      !DecodeBitmap24(logo.file.bytes, logo.file.size, logo.width, logo.height, pixels)) {
    delete[] pixels;
    pixels = nullptr;
  }
  logo.pixels = pixels;
}

}  // namespace

void CreateLogoSurfaces() {
  CreateLogo(SourceOf(Logo::Large));
  CreateLogo(SourceOf(Logo::Small));
}

void ReleaseMemoryLogos() {
  delete[] logos.largePixels;
  delete[] logos.smallPixels;
  logos = MemoryLogos{};
}

void BlitLogo(Logo logo, std::int32_t x, std::int32_t y) {
  const LogoSource source = SourceOf(logo);
  // Like the display's unclipped copy, a rectangle not wholly on the screen copies nothing.
  const FrameView layer = LayerView();
  if (source.pixels == nullptr || x < 0 || y < 0 || x + source.width > layer.width ||
      y + source.height > layer.height) {
    return;
  }
  const std::uint32_t* from = source.pixels;
  std::uint32_t* to = layer.pixels + static_cast<std::ptrdiff_t>(y) * layer.pitch + x;
  for (std::int32_t row = 0; row < source.height; ++row) {
    std::copy_n(from, source.width, to);
    from += source.width;
    to += layer.pitch;
  }
}
