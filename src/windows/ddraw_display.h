// The DirectDraw 7 side of the display layer: taking and releasing the display, and the off-screen
// surfaces the console keeps its logos in. Windows-only; the per-frame operations of
// display/display.h work on what OpenDisplay and CreateFlipChain set up here.
#pragma once

#include <windows.h>

#include <ddraw.h>

#include <cstdint>

// Creates app.ddraw, takes exclusive full-screen mode for `window` and sets 800 x 600 x 32.
// Returns the first failure (app.ddraw stays null if the object cannot be made), else the mode's
// result: anything but DD_OK means the program cannot run.
HRESULT OpenDisplay(HWND window);

// Creates the flipping primary surface with `backBufferCount` back buffers and fetches the back
// buffer into app.backBuffer. Fails without a DirectDraw object, and when the back buffer is
// smaller than the screen or not 32 bits per pixel, since every frame writes 800 x 600 pixels of
// 32 bits into it. DD_OK on success.
HRESULT CreateFlipChain(std::int32_t backBufferCount);

// Releases the primary surface and the DirectDraw object (which ends exclusive mode). Does
// nothing when there is no DirectDraw object, so a second or early call is harmless.
void CloseDisplay();

// Creates a `width` x `height` off-screen surface in the display's pixel format into `*surface`.
// On failure `*surface` is null and the result says why.
HRESULT CreateOffscreenSurface(IDirectDrawSurface7** surface, std::int32_t width,
                               std::int32_t height);
