// The text font of the software layer: the printable ASCII characters of DejaVu Sans at 9 pixels,
// pre-rendered as anti-aliased coverage (res/glyph_atlas.inc, made by scripts/make-glyph-atlas).
#pragma once

#include <cstdint>
#include <string_view>

// One glyph's box, relative to the pen position on the text's top line.
struct GlyphBox {
  std::int32_t advance;  // pixels the pen moves right after the glyph
  std::int32_t left;     // x of the box's left column from the pen
  std::int32_t top;      // y of the box's top row from the text's top
  std::int32_t width;    // columns of coverage
  std::int32_t height;   // rows of coverage
  std::int32_t offset;   // index of the box's first coverage byte; rows follow each other
};

// The glyph of `c`, or null for a character outside printable ASCII (which draws nothing).
const GlyphBox* FindGlyph(char c);

// Coverage 0 (none) ... 255 (full) of the glyph's box, `width` bytes a row.
const std::uint8_t* GlyphCoverage(const GlyphBox& glyph);

// The text's width in pixels: the sum of its glyphs' advances.
std::int32_t TextWidth(std::string_view text);

// Rows from a text's top to its baseline, and the height of its character cell.
std::int32_t TextAscent();
std::int32_t TextCellHeight();
