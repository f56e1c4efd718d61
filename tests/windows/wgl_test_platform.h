// The rest of a platform for the GL exactness test, beside the WGL display: a clock that moves
// only when told, and the memory frame shown nowhere, so that the software renderer draws the very
// runs that the GL renderer draws.
#pragma once

#include <cstdint>

#include "state/frame_view.h"

// From now on GetTicks answers `tick`.
void SetTestTicks(std::uint32_t tick);

// What the software renderer's last frame shows of picture 0 (FinishMemoryFrame's view).
FrameView ShownSoftwarePicture();
