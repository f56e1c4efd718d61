// Which renderer draws the screen saver's pictures: the GL renderer where the settings ask for it
// (gl), or allow it (auto) and it is both worth it and exact; else the software renderer.
#pragma once

#include <string>

#include "platform/renderer.h"
#include "windows/saver_settings.h"

// The self-check: `gl` (the GL renderer, or a table standing in for it) draws a 96 x 54 picture
// of model 0, the ring faded in, on a read-back context of its own (windows/wgl_display.h, on a
// hidden window, closed again), equal byte for byte to what the software renderer composes for
// the same frame of the same run. The run's clock is virtual while it draws (windows/win_clock.h).
bool DrawsLikeSoftware(const Renderer& gl);

// Whether the GL renderer is to be tried for `choice`: for gl always; for auto where a context of
// its own names no processor rasteriser (WglRendererName) and the self-check passes. Where not,
// `why` says why in one line.
bool TriesGlRenderer(RendererChoice choice, std::string& why);

// Tells a debugger which renderer draws and why, one line through OutputDebugStringA:
// "chromaflux: GL renderer (llvmpipe ...)", "chromaflux: software renderer (the setting)".
void SayRenderer(const char* renderer, const std::string& why);
