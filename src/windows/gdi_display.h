// The display through GDI, for the windows that DirectDraw's exclusive mode does not fit: the
// screen saver's pop-up and its preview. Each frame is drawn into the memory frame
// (software/memory_frame.h) and FinishFrame stretches it into a box of the window; the rest of
// the window is its class's black background. Implements BeginFrame and FinishFrame of
// platform/display.h.
#pragma once

#include <windows.h>

// Presents into `window` from now on, the frame stretched into `box` (client coordinates).
void OpenGdiDisplay(HWND window, const RECT& box);

// Paints the window for WM_PAINT: the background outside the box, the latest frame inside it.
void PaintGdiDisplay();

// Presents nowhere any more: BeginFrame answers Failed until the next OpenGdiDisplay.
void CloseGdiDisplay();
