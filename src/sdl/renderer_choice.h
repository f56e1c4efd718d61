// Which renderer draws the desktop program's pictures (--renderer): the GL renderer where it is
// worth it and exact, else the software renderer. The choice is named on standard error.
#pragma once

#include <string_view>

#include "sdl/command_line.h"
#include "state/frame_description.h"

// Whether `renderer` (GL_RENDERER) names a rasteriser that runs on the processor: llvmpipe,
// softpipe, SwiftShader, Microsoft's GDI Generic or Basic Render Driver. There the software
// renderer costs the processor several times less than the GL one.
bool IsSoftwareRasteriser(std::string_view renderer);

// Decides for --render at `size`: true with the offscreen GL context open and current
// (sdl/offscreen_gl.h), where the GL renderer is chosen; false for the software renderer. A GL
// renderer asked for by name but not to be had is reported; the caller then exits with 1.
bool ChooseOffscreenRenderer(RendererChoice choice, PictureSize size);
