// The GL renderer (platform/renderer.h): the plasma drawn by the graphics processor, equal to the
// software renderer's frame byte for byte, on the context of platform/gl_display.h.
//
// What changes rarely lives in textures and is uploaded when it changes: each field at a model
// switch or a new size, with its terms; the ring every running frame; the console and intro layer
// when its content changes. The layer is drawn on the processor, as the software renderer draws
// it, into the memory frame's console layer (software/memory_frame.h); on a picture of the
// classic size the processor also draws the few plasma rows under the glow and the TAB hint.
#pragma once

#include <string_view>

#include "platform/renderer.h"

const Renderer& GlRenderer();

// Why the GL renderer's start failed (a missing function, a shader the driver refuses), one line;
// empty after a good start.
const char* GlRendererProblem();

// Whether `renderer` (a context's GL_RENDERER) names a rasteriser that runs on the processor:
// llvmpipe, softpipe, SwiftShader, Microsoft's GDI Generic or Basic Render Driver. There the GL
// renderer costs the processor several times what the software renderer does.
bool IsSoftwareRasteriser(std::string_view renderer);
