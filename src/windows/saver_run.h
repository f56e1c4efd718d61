// "/s": the screen saver itself, over the whole desktop until the user comes back.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "state/app_state.h"
#include "windows/saver_settings.h"

// Covers every monitor with a black topmost pop-up on the desktop's own display mode (the mode
// is never changed), shows the visuals of `settings` over the whole of each monitor at its
// resolution (or the classic frame in each one's 4:3 box), one picture a monitor with the same
// model and colours, and hides the pointer. Ends on any key, any
// mouse button or wheel turn, a pointer move of more than a few pixels from where it was at the
// start, the loss of activation, or a close. Returns the exit code: 0, or 1 when the window or the
// memory cannot be had (the second with a message box, read when the user comes back). The
// renderer is the one `settings` choose (windows/saver_display.h).
int RunScreenSaver(HINSTANCE instance, const SaverSettings& settings);

// A monitor as Windows tells of it: its rectangle in screen coordinates, where the primary one
// starts at 0,0 and the others may lie at negative coordinates.
struct Monitor {
  RECT rect;
  bool primary;
};

// Where the pictures go on the pop-up: one a monitor, the primary one first (picture 0, which
// carries the console), at most kMostPictures.
struct MonitorAreas {
  std::array<RECT, kMostPictures> area{};  // in the pop-up's client coordinates
  std::int32_t count = 0;                  // areas in use, 0 ... kMostPictures
};

// The areas of `monitors` on a pop-up that covers `virtualScreen` (screen coordinates): the
// primary one first, the others in their order; those past kMostPictures stay black.
MonitorAreas ArrangeMonitors(const RECT& virtualScreen, const Monitor* monitors,
                             std::int32_t count);
