// Which renderer draws the screen saver's pictures: the GL renderer where the settings ask for it
// (gl), or allow it (auto) and it is both worth it and exact; else the software renderer.
#pragma once

#include <string>

#include "platform/renderer.h"
#include "windows/saver_settings.h"

// auto's self-check (gl/self_check.h) with `gl` (the GL renderer, or a table standing in for it) on
// a read-back context of its own (windows/wgl_display.h, on a hidden window, closed again).
bool PassesSelfCheck(const Renderer& gl);

// Whether the GL renderer is to be tried for `choice`: for gl always; for auto where a context of
// its own names no processor rasteriser (WglRendererName) and the self-check passes. Where not,
// `why` says why in one line.
bool TriesGlRenderer(RendererChoice choice, std::string& why);

// Tells a debugger which renderer draws and why, one line through OutputDebugStringA:
// "chromaflux: GL renderer (llvmpipe ...)", "chromaflux: software renderer (the setting)".
void SayRenderer(const char* renderer, const std::string& why);
