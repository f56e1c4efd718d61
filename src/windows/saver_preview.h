// "/p HANDLE": the screen saver's preview, drawn in a child of a window of the display settings.
#pragma once

#include <windows.h>

#include "windows/saver_settings.h"

// Covers the client area of `parent` with a child window that takes no input, and shows the
// visuals of `settings` over all of it at its size (or the classic frame in its 4:3 box) until the
// child is destroyed (with its parent). A `parent` that names no window ends it at once. Returns
// the exit code: 0, or 1 when the memory cannot be had (nothing is shown: a message box has no
// place in a settings dialog's preview). The renderer is the one `settings` choose
// (windows/saver_display.h).
int RunPreview(HINSTANCE instance, HWND parent, const SaverSettings& settings);
