// The Windows program's own objects: DirectDraw's display, the text's device context and font,
// and the logos' pictures and surfaces, in one record of the layer's, as the core keeps its state
// in `app`. Only the files of the Windows layer and their tests include this header; the core
// never sees these objects, so EndRun's reset of `app` leaves them alone.
//
// Each group is written by the file named with it; the others only read it. A handle is null
// until it is made and again once it is given back.
#pragma once

#include <windows.h>

#include <ddraw.h>

struct WinPlatform {
  // Display (ddraw_display.cpp).
  IDirectDraw7* ddraw = nullptr;                  // the DirectDraw object; null while closed
  IDirectDrawSurface7* primarySurface = nullptr;  // head of the flipping chain
  IDirectDrawSurface7* backBuffer = nullptr;      // the chain's back buffer
  HDC textDc = nullptr;  // the back buffer's device context, taken for the frame's text

  // Text (gdi_text.cpp).
  HFONT textFont = nullptr;  // Verdana, 7 points, made at start-up
  HFONT keptFont = nullptr;  // the font that textFont replaced in textDc during a text pass

  // Logos (gdi_logos.cpp).
  HDC logo106Dc = nullptr;  // memory DC holding bitmap resource 106, 166 x 57, for the whole run
  HDC logo107Dc = nullptr;  // memory DC holding bitmap resource 107, 200 x 27, likewise
  IDirectDrawSurface7* logo106Surface = nullptr;  // off-screen copy of bitmap 106
  IDirectDrawSurface7* logo107Surface = nullptr;  // off-screen copy of bitmap 107
};

// The layer's one record.
WinPlatform& Platform();
