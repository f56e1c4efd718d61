// "/s": the screen saver itself, over the whole desktop until the user comes back.
#pragma once

#include <windows.h>

#include "state/run_settings.h"

// Covers every monitor with a black topmost pop-up on the desktop's own display mode (the mode
// is never changed), shows the visuals of `settings` over the whole primary monitor at its
// resolution (or the classic frame in its 4:3 box) and hides the pointer. Ends on any key, any
// mouse button or wheel turn, a pointer move of more than a few pixels from where it was at the
// start, the loss of activation, or a close. Returns the exit code: 0, or 1 when the window or the
// memory cannot be had (the second with a message box, read when the user comes back).
int RunScreenSaver(HINSTANCE instance, const RunSettings& settings);

// Where the picture goes on a pop-up that covers `virtualScreen` (screen coordinates): the whole
// primary monitor, which spans primaryWidth x primaryHeight from the origin of the screen
// coordinates; in the pop-up's client coordinates.
RECT PrimaryMonitorOnVirtualScreen(const RECT& virtualScreen, LONG primaryWidth,
                                   LONG primaryHeight);
