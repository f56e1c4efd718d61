// Text output into the memory frame: glyphs from the atlas, blended over the pixels in the ink
// colour by their coverage (anti-aliased and transparent), clipped to the layer.
#include <initializer_list>

#include "platform/display.h"
#include "platform/text_output.h"
#include "software/glyph_atlas.h"
#include "software/memory_frame.h"

namespace {

// Where texts go, as a device context holds it between OpenFrameText and CloseFrameText.
struct TextTarget {
  bool taken = false;                    // between OpenFrameText and CloseFrameText
  std::uint32_t ink = 0;                 // COLORREF 0x00BBGGRR of the texts that follow
  TextAnchor anchor = TextAnchor::Left;  // anchor of the texts that follow
};
TextTarget target;

// COLORREF 0x00BBGGRR to the frame's 0x00RRGGBB.
std::uint32_t PixelOfColorref(std::uint32_t colorref) {
  return (colorref & 0x0000FF) << 16 | (colorref & 0x00FF00) | (colorref & 0xFF0000) >> 16;
}

// Each channel moves from the pixel toward the ink by coverage / 255, rounded.
std::uint32_t Blend(std::uint32_t pixel, std::uint32_t ink, std::uint32_t coverage) {
  std::uint32_t blended = 0;
  for (const std::uint32_t shift : {0u, 8u, 16u}) {
    const std::uint32_t under = pixel >> shift & 0xFF;
    const std::uint32_t over = ink >> shift & 0xFF;
    blended |= (under * (255 - coverage) + over * coverage + 127) / 255 << shift;
  }
  return blended;
}

void DrawGlyph(const FrameView& layer, const GlyphBox& glyph, std::int32_t penX, std::int32_t top,
               std::uint32_t ink) {
  const std::uint8_t* coverage = GlyphCoverage(glyph);
  for (std::int32_t row = 0; row < glyph.height; ++row) {
    const std::int32_t y = top + glyph.top + row;
    if (y < 0 || y >= layer.height) {
      continue;
    }
    std::uint32_t* line = layer.pixels + static_cast<std::ptrdiff_t>(y) * layer.pitch;
    for (std::int32_t column = 0; column < glyph.width; ++column) {
      const std::int32_t x = penX + glyph.left + column;
      const std::uint32_t alpha = coverage[row * glyph.width + column];
      if (x >= 0 && x < layer.width && alpha != 0) {
        line[x] = Blend(line[x], ink, alpha);
      }
    }
  }
}

}  // namespace

// A fresh target, like a device context just taken: black ink, left anchor.
void OpenFrameText() {
  target = TextTarget{};
  target.taken = true;
}

void CloseFrameText() {
  target.taken = false;
}

// The atlas is the only font and text is always transparent: there is nothing to select.
void BeginText() {}

void SetTextInk(std::uint32_t colorref) {
  target.ink = colorref;
}

void SetTextAnchor(TextAnchor anchor) {
  target.anchor = anchor;
}

void PutText(std::int32_t x, std::int32_t y, std::string_view text) {
  if (!target.taken) {
    return;
  }
  std::int32_t penX = x;
  if (target.anchor == TextAnchor::Centre) {
    penX -= TextWidth(text) / 2;
  } else if (target.anchor == TextAnchor::Right) {
    penX -= TextWidth(text);
  }
  const std::uint32_t ink = PixelOfColorref(target.ink);
  const FrameView layer = LayerView();
  for (const char c : text) {
    if (const GlyphBox* glyph = FindGlyph(c)) {
      DrawGlyph(layer, *glyph, penX, y, ink);
      penX += glyph->advance;
    }
  }
}

std::int32_t MeasureText(std::string_view text) {
  return TextWidth(text);
}

void EndText() {}
