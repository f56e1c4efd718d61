// The web layer's WebGL2 context on the page's canvas, on which the GL renderer (gl/gl_renderer.h)
// draws: the page's side of platform/gl_display.h.
//
// The one picture is the canvas's drawing buffer, the default framebuffer, which the browser
// presents after the animation frame. It keeps what was drawn (preserveDrawingBuffer), so that
// it can be read back exactly, and it has no alpha, no depth and no antialiasing. Its size is what
// the page asks for, in the same shape within what the context can hold: its framebuffer, its
// viewport and the terms' textures, which are wider than the picture by the drift's reach.
//
// A lost context (the browser took the graphics processor back) holds the run: its frames are
// skipped with the clocks untouched, as on a hidden page, until the browser restores the context,
// which comes back empty (TakeRestoredGlContext).
#pragma once

#include <string>

#include "platform/renderer.h"

// Makes a WebGL2 context on the page's canvas, current on this thread. `refuseSlow`: ask for none
// where the browser sees a major performance caveat. False where none can be had.
bool OpenWebGlDisplay(bool refuseSlow);

// Gives the context back; harmless without one.
void CloseWebGlDisplay();

// The name of the renderer behind the context (the unmasked one where the browser tells it).
std::string WebGlRendererName();

// The name of the renderer behind a WebGL2 context that a canvas of its own, never shown, gets and
// gives back at once (`refuseSlow` as for OpenWebGlDisplay); empty where it gets none. The page's
// canvas is left alone: a canvas that once had a WebGL context never takes a 2-D one.
std::string ProbeWebGlRenderer(bool refuseSlow);

// auto's self-check (gl/self_check.h) with `gl` (the GL renderer) on the open context, the picture
// held at the check's size meanwhile; the next frame takes the page's size again.
bool WebGlPassesSelfCheck(const Renderer& gl);

// Whether the context was restored after a loss since the last call: whatever the renderer kept
// on it is gone, and the renderer must be started again.
bool TakeRestoredGlContext();
