// The DirectDraw 7 side of the display layer: taking and releasing the display, and the off-screen
// surfaces the console keeps its logos in. Windows-only; the per-frame operations of
// platform/display.h work on what OpenDisplay and CreateFlipChain set up here, in the layer's
// record (windows/win_platform.h).
#pragma once

#include <windows.h>

#include <ddraw.h>

#include <cstdint>

#include "state/frame_view.h"

#include "platform/display.h"

// Creates the DirectDraw object, takes exclusive full-screen mode for `window` and sets
// 800 x 600 x 32. Returns the first failure (the object stays null if it cannot be made), else the
// mode's result: anything but DD_OK means the program cannot run.
HRESULT OpenDisplay(HWND window);

// Creates the flipping primary surface with `backBufferCount` back buffers and fetches the back
// buffer. Fails without a DirectDraw object, and when the back buffer is smaller than the screen
// or not 32 bits per pixel, since every frame writes 800 x 600 pixels of 32 bits into it. DD_OK on
// success.
HRESULT CreateFlipChain(std::int32_t backBufferCount);

// Releases the primary surface and the DirectDraw object (which ends exclusive mode). Does
// nothing when there is no DirectDraw object, so a second or early call is harmless.
void CloseDisplay();

// Creates a `width` x `height` off-screen surface in the display's pixel format into `*surface`.
// On failure `*surface` is null and the result says why.
HRESULT CreateOffscreenSurface(IDirectDrawSurface7** surface, std::int32_t width,
                               std::int32_t height);

// DirectDraw's per-frame work, of which the frame's stages (platform/display.h) are made.

// Tests exclusive mode and restores lost surfaces (and the logos' pictures).
DisplayCheck CheckDisplay();

// Fills pixel (0, 0) black, waiting until the blitter takes the request: paces the frame.
void FillCornerPixel();

// Fills the whole back buffer with `colour` (0x00RRGGBB). Failures are ignored.
void FillBackBuffer(std::uint32_t colour);

// Waits until the back buffer's blits are done (or the surface reports anything else).
void WaitForBlitter();

// Locks the whole back buffer and describes it (800 x 600, the surface's pitch). Pixels null,
// and nothing locked, when the lock failed or the rows are too short.
FrameView LockBackBuffer();

// Unlocks the back buffer; the view LockBackBuffer gave may no longer be written.
void UnlockBackBuffer();

// Takes the back buffer's device context as the text's (null when refused).
void GetBackBufferDc();

// Gives the device context taken by GetBackBufferDc back.
void ReleaseBackBufferDc();

// Flips the back buffer to the screen, retrying while the display is still drawing.
void FlipPage();
