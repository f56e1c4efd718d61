#include "software/layer_taps.h"

#include <cmath>
#include <cstddef>

#include "plasma/model_space.h"

namespace {

// The sharp tap at layer coordinate `u` (pixel i covers u in [i, i + 1)) for a layer `size`
// pixels across, seen at `scale`: in the layer enlarged by F = ceil(scale), the output pixel's
// centre falls at e = u F - 0.5, between enlarged pixels floor(e) and floor(e) + 1, which belong to
// layer pixels floor(e) div F and (floor(e) + 1) div F: the same one except at a block's edge.
LayerTap SharpTap(double u, double scale, std::int32_t size, bool clampToEdge) {
  LayerTap tap{};
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
  tap.weight = tap.first == tap.second
                   ? 0
                   : static_cast<std::uint32_t>(std::lround((e - e0) * kTapWeightOne));
  tap.inside = true;
  return tap;
}

}  // namespace

// The layer's column coordinate of output column c is its model-space x at the layout's scale
// plus the layer's centre.
std::vector<LayerTap> LayerColumnTaps(PictureSize picture, const LayerLayout& layout) {
  std::vector<LayerTap> taps(static_cast<std::size_t>(picture.width));
  for (std::int32_t c = 0; c < picture.width; ++c) {
    const double u = ModelCoordinate(c, picture.width, layout.scale) + layout.width / 2.0 + 0.5;
    taps[static_cast<std::size_t>(c)] = SharpTap(u, layout.scale, layout.width, false);
  }
  return taps;
}

LayerColumns LayerColumnsOf(PictureSize picture, const LayerLayout& layout) {
  const std::vector<LayerTap> taps = LayerColumnTaps(picture, layout);
  LayerColumns columns{0, picture.width};
  while (columns.first < columns.end && !taps[static_cast<std::size_t>(columns.first)].inside) {
    ++columns.first;
  }
  while (columns.end > columns.first && !taps[static_cast<std::size_t>(columns.end - 1)].inside) {
    --columns.end;
  }
  return columns;
}

std::vector<LayerTap> BandRowTaps(PictureSize picture, const LayerLayout& layout,
                                  std::int32_t consoleTop, std::int32_t bandTop) {
  std::vector<LayerTap> taps;
  for (std::int32_t r = bandTop; r < picture.height; ++r) {
    double u = layout.height - (picture.height - r - 0.5) / layout.scale;
    u = u < consoleTop ? consoleTop : u;
    taps.push_back(SharpTap(u, layout.scale, layout.height, true));
  }
  return taps;
}

std::vector<LayerTap> WholeLayerRowTaps(PictureSize picture, const LayerLayout& layout) {
  std::vector<LayerTap> taps(static_cast<std::size_t>(picture.height));
  for (std::int32_t r = 0; r < picture.height; ++r) {
    const double u = ModelCoordinate(r, picture.height, layout.scale) + layout.height / 2.0 + 0.5;
    taps[static_cast<std::size_t>(r)] = SharpTap(u, layout.scale, layout.height, false);
  }
  return taps;
}
