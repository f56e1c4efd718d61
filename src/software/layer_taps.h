// Where a picture of another size than the classic one samples the console layer: the layer
// scaled by its layout's scale (app/layer_layout.h) and sharp. Every layer pixel becomes an even
// block of output pixels, and only the one output row or column where two blocks meet blends them,
// as if the layer were first enlarged nearest-neighbour by the next whole factor and then reduced
// linearly to the picture's scale. The software overlay (layer_overlay.h) and the GL renderer
// both draw the layer from these taps.
#pragma once

#include <cstdint>
#include <vector>

#include "state/frame_description.h"

constexpr std::uint32_t kTapWeightOne = 256;  // blend weights in 1/256

// Where one output column (or row) samples the layer: two neighbouring layer pixels and the
// weight of the second. Outside the layer `inside` is false and the rest is 0.
struct LayerTap {
  std::int32_t first;
  std::int32_t second;
  std::uint32_t weight;
  bool inside;
};

// Each output column's tap, the layer centred across; columns beyond the layer's are outside.
std::vector<LayerTap> LayerColumnTaps(PictureSize picture, const LayerLayout& layout);

// Output columns first ... end - 1, those whose taps are inside the layer: where the console's
// band lies across the picture, with margins of its plain colours beside it.
struct LayerColumns {
  std::int32_t first;
  std::int32_t end;
};
LayerColumns LayerColumnsOf(PictureSize picture, const LayerLayout& layout);

// The console band's taps for output rows bandTop ... height - 1: layer rows consoleTop down to
// the layer's last, measured up from the bottom edge, which the band keeps; never above the
// band's own top row.
std::vector<LayerTap> BandRowTaps(PictureSize picture, const LayerLayout& layout,
                                  std::int32_t consoleTop, std::int32_t bandTop);

// Each output row's tap for the whole layer (the intro page), centred down the picture; rows
// beyond the layer's are outside.
std::vector<LayerTap> WholeLayerRowTaps(PictureSize picture, const LayerLayout& layout);
