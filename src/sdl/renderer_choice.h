// Which renderer draws the desktop program's pictures (--renderer): the GL renderer where it is
// worth it and exact, else the software renderer. The choice is named on standard error.
#pragma once

#include "platform/renderer.h"
#include "sdl/command_line.h"
#include "sdl/sdl_display.h"
#include "state/frame_description.h"

// auto's self-check (gl/self_check.h) with `gl` (the GL renderer, or a table standing in for it)
// on a context of its own with no display. False where no such context can be had.
bool PassesSelfCheck(const Renderer& gl);

// Decides for --render at `size`: true with the offscreen GL context open and current
// (sdl/offscreen_gl.h), where the GL renderer is chosen; false for the software renderer. A GL
// renderer asked for by name but not to be had is reported; the caller then exits with 1.
bool ChooseOffscreenRenderer(RendererChoice choice, PictureSize size);

// What ChooseWindowRenderer did.
enum class WindowRenderer {
  Software,   // the window is open for the software renderer
  Gl,         // the window is open with the GL renderer's context current on it
  GlRefused,  // --renderer gl, but the window has no such context (reported; the window is open)
  NoWindow,   // the window could not be opened (SDL_GetError says why)
};

// Opens the program's window for a kind of drawing (OpenSdlDisplay, or OpenSdlDisplayOn on
// another program's window).
using SdlWindowOpener = bool (*)(SdlDrawing drawing);

// Decides for a live window and opens it with `open` (`foreign`: another program's window): auto
// tries the GL renderer where its tests pass and the window's own context is no processor
// rasteriser, and otherwise opens the window for the software renderer.
WindowRenderer ChooseWindowRenderer(RendererChoice choice, SdlWindowOpener open, bool foreign);
