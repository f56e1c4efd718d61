// Where the 800 x 600 frame goes in a window, as a RECT: software/frame_fit.h for the Windows
// layer. windows.h declares a function named FrameRect, which hides frame_fit.h's type of that
// name wherever both are seen, so only frame_box.cpp includes frame_fit.h, ahead of windows.h.
#pragma once

#include <windows.h>

// FitFrame's box for an output of outputWidth x outputHeight, in the output's coordinates.
RECT FitFrameBox(LONG outputWidth, LONG outputHeight);
