#include "software/glyph_atlas.h"

namespace {

#include "glyph_atlas.inc"

}  // namespace

const GlyphBox* FindGlyph(char c) {
  const std::int32_t code = static_cast<unsigned char>(c);
  if (code < kAtlasFirstChar || code > kAtlasLastChar) {
    return nullptr;
  }
  return &kAtlasGlyphs[code - kAtlasFirstChar];
}

const std::uint8_t* GlyphCoverage(const GlyphBox& glyph) {
  return kAtlasCoverage + glyph.offset;
}

std::int32_t TextWidth(std::string_view text) {
  std::int32_t width = 0;
  for (const char c : text) {
    if (const GlyphBox* glyph = FindGlyph(c)) {
      width += glyph->advance;
    }
  }
  return width;
}

std::int32_t TextAscent() {
  return kAtlasAscent;
}

std::int32_t TextCellHeight() {
  return kAtlasCellHeight;
}
