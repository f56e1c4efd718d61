// The software renderer: every pixel composed on the processor, into the frame of the display
// boundary (platform/display.h), in the order that boundary fixes. The Windows program draws with
// it on DirectDraw's back buffer and GDI's text; the desktop program, the display mode, --render,
// the page and the Windows screen saver on the software layer's memory frame.
#pragma once

#include "platform/renderer.h"

// The table of the software renderer, for StartRun.
const Renderer& SoftwareRenderer();
