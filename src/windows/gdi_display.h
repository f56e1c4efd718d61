// The display through GDI, for the windows that DirectDraw's exclusive mode does not fit: the
// screen saver's pop-up and its preview. Each frame is drawn into the memory frame
// (software/memory_frame.h) at the size of an area of the window, and FinishFrame copies it there
// pixel for pixel; the rest of the window is its class's black background. Implements BeginFrame
// and FinishFrame of platform/display.h.
#pragma once

#include <windows.h>

// Presents into `window` from now on: the picture is made at the size of `area` (client
// coordinates) and fills it. With `classic`, or without the memory for a picture of that size,
// the classic frame is shown in the largest 4:3 box of the area instead.
void OpenGdiDisplay(HWND window, const RECT& area, bool classic);

// Paints the window for WM_PAINT: the background outside the picture, the latest frame inside.
void PaintGdiDisplay();

// Presents nowhere any more: BeginFrame answers Failed until the next OpenGdiDisplay.
void CloseGdiDisplay();
