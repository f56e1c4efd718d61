// The classic console layer shown over a picture of another size, scaled by the picture's scale
// and sharp (software/layer_taps.h).
#pragma once

#include <cstdint>

#include "state/frame_view.h"

// The console band: layer rows consoleTop ... 599 onto picture rows bandTop ... height - 1, so
// that the band stays at the picture's bottom edge whatever its shape, centred across like the
// plasma. The picture's columns beyond the layer's are left as they are (the core draws the
// band's margins there).
void OverlayConsoleBand(const std::uint32_t* layer, const FrameView& picture,
                        std::int32_t consoleTop, std::int32_t bandTop);

// The whole layer (the intro page) onto the largest centred box of its shape in the picture; the
// picture outside the box is left as it is.
void OverlayWholeLayer(const std::uint32_t* layer, const FrameView& picture);
