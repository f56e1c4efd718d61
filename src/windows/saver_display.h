// The screen saver's display and the renderer that draws on it: the GL renderer on windows of its
// pictures (windows/wgl_display.h) where the settings choose it (windows/saver_renderer_choice.h)
// and its context can be had, else the software renderer presented through GDI
// (windows/gdi_display.h), over the same areas of the same window. Which one draws, and why, is
// told to a debugger (SayRenderer): a screen saver shows no message box mid-run.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/renderer.h"
#include "windows/saver_settings.h"

// Presents into `window`'s `count` areas (client coordinates, as OpenGdiDisplay takes them) from
// now on, with the renderer that `settings` choose. A top-level `window` shows before: the GL
// renderer's pictures are windows of their own over it.
void OpenSaverDisplay(HWND window, const RECT* areas, std::int32_t count,
                      const SaverSettings& settings);

// The renderer that draws on the open display.
const Renderer& SaverDisplayRenderer();

// After the GL renderer could not start, or its display was lost: the software renderer through
// GDI on the same areas from now on. False where the software renderer drew already, or the window
// is gone: there is nothing to fall back to.
bool FallBackToSoftware();

// Presents nowhere any more, and gives back the GL renderer's context and windows.
void CloseSaverDisplay();
