// One picture of 0x00RRGGBB rows copied into a window through GDI: the screen saver's pictures
// drawn by the software renderer (windows/gdi_display.h), and those of the GL renderer read back
// for the preview (windows/wgl_display.h).
#pragma once

#include <windows.h>

#include "state/frame_view.h"

// Copies `view` into `area` of `dc` with one StretchDIBits: pixel for pixel where the view has
// the area's size (which Wine does as a plain copy); any other view is the classic frame, shown in
// the largest 4:3 box of the area. Nothing where the view has no pixels. The result is ignored on
// purpose: a copy that fails costs one frame's picture.
void ShowGdiPicture(HDC dc, const FrameView& view, const RECT& area);
