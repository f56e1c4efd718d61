#include "software/layer_overlay.h"

#include <cstddef>
#include <vector>

#include "software/layer_taps.h"

namespace {

// a and b, each channel (1 - w) a + w b with w in 1/256.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
  if (w == 0) {
    return a;
  }
  const std::uint32_t v = kTapWeightOne - w;
  const std::uint32_t redBlue = ((a & 0xFF00FFu) * v + (b & 0xFF00FFu) * w) >> 8 & 0xFF00FFu;
  const std::uint32_t green = ((a & 0x00FF00u) * v + (b & 0x00FF00u) * w) >> 8 & 0x00FF00u;
  return redBlue | green;
}

// Writes every picture pixel whose row tap and column tap are both inside, from the layer.
void Overlay(const FrameView& layer, const FrameView& picture, std::int32_t firstRow,
             const std::vector<LayerTap>& rows, const std::vector<LayerTap>& columns) {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const LayerTap& row = rows[r];
    if (!row.inside) {
      continue;
    }
    const std::uint32_t* upper =
        layer.pixels + static_cast<std::ptrdiff_t>(row.first) * layer.pitch;
    const std::uint32_t* lower =
        layer.pixels + static_cast<std::ptrdiff_t>(row.second) * layer.pitch;
    std::uint32_t* out =
        picture.pixels + (firstRow + static_cast<std::ptrdiff_t>(r)) * picture.pitch;
    for (std::int32_t c = 0; c < picture.width; ++c) {
      const LayerTap& column = columns[static_cast<std::size_t>(c)];
      if (!column.inside) {
        continue;
      }
      const std::uint32_t top = Mix(upper[column.first], upper[column.second], column.weight);
      const std::uint32_t bottom = Mix(lower[column.first], lower[column.second], column.weight);
      out[c] = Mix(top, bottom, row.weight);
    }
  }
}

}  // namespace

void OverlayConsoleBand(const FrameView& layer, const FrameView& picture, const LayerLayout& layout,
                        std::int32_t consoleTop, std::int32_t bandTop) {
  if (bandTop >= picture.height || consoleTop >= layout.height) {
    return;
  }
  const PictureSize size{picture.width, picture.height};
  Overlay(layer, picture, bandTop, BandRowTaps(size, layout, consoleTop, bandTop),
          LayerColumnTaps(size, layout));
}

void OverlayWholeLayer(const FrameView& layer, const FrameView& picture,
                       const LayerLayout& layout) {
  const PictureSize size{picture.width, picture.height};
  Overlay(layer, picture, 0, WholeLayerRowTaps(size, layout), LayerColumnTaps(size, layout));
}
