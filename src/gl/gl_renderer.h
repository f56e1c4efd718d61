// The GL renderer (platform/renderer.h): the plasma drawn by the graphics processor, equal to the
// software renderer's frame byte for byte, on the context of platform/gl_display.h.
//
// What changes rarely lives in textures and is uploaded when it changes: each field at a model
// switch or a new size, with its terms; the ring every running frame; the console and intro layer
// when its content changes. The layer is drawn on the processor, as the software renderer draws
// it, into the memory frame's console layer (software/memory_frame.h); on a picture of the
// classic size the processor also draws the few plasma rows under the glow and the TAB hint.
#pragma once

#include "platform/renderer.h"

const Renderer& GlRenderer();

// Why the GL renderer's start failed (a missing function, a shader the driver refuses), one line;
// empty after a good start.
const char* GlRendererProblem();
