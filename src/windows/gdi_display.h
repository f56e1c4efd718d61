// The display through GDI, for the windows that DirectDraw's exclusive mode does not fit: the
// screen saver's pop-up and its preview. Each frame is drawn into the memory frame
// (software/memory_frame.h), one picture at the size of each area of the window (a monitor of
// the pop-up, the preview's client area), and FinishFrame copies each there pixel for pixel;
// the rest of the window is its class's black background. Implements BeginFrame and FinishFrame
// of platform/display.h.
#pragma once

#include <windows.h>

#include <cstdint>

// Presents into `window` from now on: `count` pictures (1 ... kMostPictures; more are left out),
// picture i made at the size of areas[i] (client coordinates) and filling it. Where the run's
// settings choose the classic frame, or without the memory for a picture of that size, the
// classic frame is shown in the largest 4:3 box of the area instead.
void OpenGdiDisplay(HWND window, const RECT* areas, std::int32_t count);

// Paints `window` for WM_PAINT: the background, and where the display presents into it, the latest
// frame over it.
void PaintGdiDisplay(HWND window);

// Presents nowhere any more: BeginFrame answers Failed until the next OpenGdiDisplay.
void CloseGdiDisplay();
