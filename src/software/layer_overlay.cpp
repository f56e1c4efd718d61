#include "software/layer_overlay.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "plasma/model_space.h"

namespace {

constexpr std::uint32_t kWeightOne = 256;  // blend weights in 1/256

// Where one output column (or row) samples the layer: two neighbouring layer pixels and the
// weight of the second. Outside the layer `inside` is false.
struct Tap {
  std::int32_t first;
  std::int32_t second;
  std::uint32_t weight;
  bool inside;
};

// The sharp tap at layer coordinate `u` (pixel i covers u in [i, i + 1)) for a layer `size`
// pixels across, seen at `scale`: in the layer enlarged by F = ceil(scale), the output pixel's
// centre falls at e = u F - 0.5, between enlarged pixels floor(e) and floor(e) + 1, which belong to
// layer pixels floor(e) div F and (floor(e) + 1) div F: the same one except at a block's edge.
Tap SharpTap(double u, double scale, std::int32_t size, bool clampToEdge) {
  Tap tap{};
  tap.inside = u >= 0.0 && u < size;
  if (!tap.inside && !clampToEdge) {
    return tap;
  }
  const double factor = std::ceil(scale);
  const double e = u * factor - 0.5;
  const double e0 = std::floor(e);
  const auto clamp = [size](double pixel) {
    return static_cast<std::int32_t>(pixel < 0.0 ? 0.0 : pixel >= size ? size - 1 : pixel);
  };
  tap.first = clamp(std::floor(e0 / factor));
  tap.second = clamp(std::floor((e0 + 1.0) / factor));
  tap.weight =
      tap.first == tap.second ? 0 : static_cast<std::uint32_t>(std::lround((e - e0) * kWeightOne));
  tap.inside = true;
  return tap;
}

// a and b, each channel (1 - w) a + w b with w in 1/256.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
  if (w == 0) {
    return a;
  }
  const std::uint32_t v = kWeightOne - w;
  const std::uint32_t redBlue = ((a & 0xFF00FFu) * v + (b & 0xFF00FFu) * w) >> 8 & 0xFF00FFu;
  const std::uint32_t green = ((a & 0x00FF00u) * v + (b & 0x00FF00u) * w) >> 8 & 0x00FF00u;
  return redBlue | green;
}

// Writes every picture pixel whose row tap and column tap are both inside, from the layer.
void Overlay(const std::uint32_t* layer, const FrameView& picture, std::int32_t firstRow,
             const std::vector<Tap>& rows, const std::vector<Tap>& columns) {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const Tap& row = rows[r];
    if (!row.inside) {
      continue;
    }
    const std::uint32_t* upper = layer + static_cast<std::ptrdiff_t>(row.first) * kModelWidth;
    const std::uint32_t* lower = layer + static_cast<std::ptrdiff_t>(row.second) * kModelWidth;
    std::uint32_t* out =
        picture.pixels + (firstRow + static_cast<std::ptrdiff_t>(r)) * picture.pitch;
    for (std::int32_t c = 0; c < picture.width; ++c) {
      const Tap& column = columns[static_cast<std::size_t>(c)];
      if (!column.inside) {
        continue;
      }
      const std::uint32_t top = Mix(upper[column.first], upper[column.second], column.weight);
      const std::uint32_t bottom = Mix(lower[column.first], lower[column.second], column.weight);
      out[c] = Mix(top, bottom, row.weight);
    }
  }
}

// The centred column taps, none outside the layer: the layer's column coordinate of output column
// c is its model-space x plus the layer's centre.
std::vector<Tap> ColumnTaps(const FrameView& picture, double scale) {
  std::vector<Tap> taps(static_cast<std::size_t>(picture.width));
  for (std::int32_t c = 0; c < picture.width; ++c) {
    const double u = ModelCoordinate(c, picture.width, scale) + kModelCentreX + 0.5;
    taps[static_cast<std::size_t>(c)] = SharpTap(u, scale, kModelWidth, false);
  }
  return taps;
}

}  // namespace

void OverlayConsoleBand(const std::uint32_t* layer, const FrameView& picture,
                        std::int32_t consoleTop, std::int32_t bandTop) {
  if (bandTop >= picture.height || consoleTop >= kModelHeight) {
    return;
  }
  const double scale = ModelScale(picture.width, picture.height);
  std::vector<Tap> rows(static_cast<std::size_t>(picture.height - bandTop));
  for (std::int32_t r = bandTop; r < picture.height; ++r) {
    // Measured up from the bottom edge, which the band keeps; never above its own top row.
    double u = kModelHeight - (picture.height - r - 0.5) / scale;
    u = u < consoleTop ? consoleTop : u;
    rows[static_cast<std::size_t>(r - bandTop)] = SharpTap(u, scale, kModelHeight, true);
  }
  Overlay(layer, picture, bandTop, rows, ColumnTaps(picture, scale));
}

void OverlayWholeLayer(const std::uint32_t* layer, const FrameView& picture) {
  const double scale = ModelScale(picture.width, picture.height);
  std::vector<Tap> rows(static_cast<std::size_t>(picture.height));
  for (std::int32_t r = 0; r < picture.height; ++r) {
    const double u = ModelCoordinate(r, picture.height, scale) + kModelCentreY + 0.5;
    rows[static_cast<std::size_t>(r)] = SharpTap(u, scale, kModelHeight, false);
  }
  Overlay(layer, picture, 0, rows, ColumnTaps(picture, scale));
}
