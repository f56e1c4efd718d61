// The console logos in memory: decoded once from the embedded bitmaps, copied into the frame.
#include <algorithm>
#include <new>

#include "platform/logo_surfaces.h"
#include "software/bitmap_decoder.h"
#include "software/embedded_files.h"
#include "state/app_state.h"

namespace {

struct LogoSource {
  std::uint32_t*& pixels;
  const EmbeddedFile& file;
  std::int32_t width;
  std::int32_t height;
};

LogoSource SourceOf(Logo logo) {
  if (logo == Logo::Large) {
    return {app.largeLogoPixels, kLargeLogoFile, kLargeLogoWidth, kLargeLogoHeight};
  }
  return {app.smallLogoPixels, kSmallLogoFile, kSmallLogoWidth, kSmallLogoHeight};
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

void BlitLogo(Logo logo, std::int32_t x, std::int32_t y) {
  const LogoSource source = SourceOf(logo);
  // Like the display's unclipped copy, a rectangle not wholly on the screen copies nothing.
  if (source.pixels == nullptr || x < 0 || y < 0 || x + source.width > screenWidth ||
      y + source.height > screenHeight) {
    return;
  }
  const std::uint32_t* from = source.pixels;
  std::uint32_t* to = app.frameMemory + static_cast<std::ptrdiff_t>(y) * screenWidth + x;
  for (std::int32_t row = 0; row < source.height; ++row) {
    std::copy_n(from, source.width, to);
    from += source.width;
    to += screenWidth;
  }
}
