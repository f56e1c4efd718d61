// The console layer shown over a picture of another size, laid out as the frame says and sharp
// (software/layer_taps.h).
#pragma once

#include <cstdint>

#include "state/frame_description.h"
#include "state/frame_view.h"

// The console band: layer rows consoleTop down to the last onto picture rows bandTop ... height -
// 1, so that the band stays at the picture's bottom edge whatever its shape, centred across like
// the plasma. The picture's columns beyond the layer's are left as they are (the core draws the
// band's margins there).
void OverlayConsoleBand(const FrameView& layer, const FrameView& picture, const LayerLayout& layout,
                        std::int32_t consoleTop, std::int32_t bandTop);

// The whole layer (the intro page) onto the picture, centred; the picture outside it is left as
// it is.
void OverlayWholeLayer(const FrameView& layer, const FrameView& picture, const LayerLayout& layout);
