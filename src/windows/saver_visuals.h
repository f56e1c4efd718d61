// The run that the screen saver and its preview share: the visuals, straight away, on the open
// screen saver display (windows/saver_display.h), at 60 frames a second, resting between frames.
#pragma once

#include "state/run_settings.h"

// Starts a run of `settings` in the visuals (console closed, RANDOM play mode), seeded with the
// tick count, and
// runs it until WM_QUIT arrives (the window procedure ends it with PostQuitMessage) or the window
// is gone; then gives back everything the run took. Every waiting message is handled before each
// frame, and the thread sleeps in a message wait until the next frame is due. Where the GL
// renderer cannot start, or its display is lost with the window still there, a new run goes on
// with the software renderer (FallBackToSoftware). Returns false, having drawn nothing, when the
// memory cannot be had.
bool RunSaverVisuals(const RunSettings& settings);
