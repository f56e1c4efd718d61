// Which vector instructions this build and this processor offer to the pixel loops.
#pragma once

#include "state/app_state.h"

// The widest level both this build and the running processor support: AVX2 where an x86
// processor reports it (and the operating system saves its registers), SSE2 on every other x86
// processor, Portable on other processors. Start-up stores it in app.simdLevel once.
SimdLevel WidestSimdLevel();
