// Platform boundary: the back-buffer operations a frame uses.
//
// The Windows layer implements them on a DirectDraw 7 flipping chain; native tests link a memory
// double instead. Within a running frame the order is fixed: LockBackBuffer, pixel work,
// UnlockBackBuffer, blits, GetBackBufferDc, text, ReleaseBackBufferDc, FlipPage. The pixel pointer
// and the device context are never held at the same time.
#pragma once

#include <cstdint>

// What CheckDisplay found at the start of a frame.
enum class DisplayCheck {
  Ready,         // the chain is usable (lost surfaces, if any, were restored)
  NotExclusive,  // another program holds the display: skip this frame
  Failed,        // the surfaces are lost for good: end the program
};

// Tests exclusive mode and restores lost surfaces. First call of every frame.
DisplayCheck CheckDisplay();

// Fills pixel (0, 0) black, waiting until the blitter takes the request: paces the frame.
void FillCornerPixel();

// Fills the whole back buffer with `colour` (0x00RRGGBB). Failures are ignored.
void FillBackBuffer(std::uint32_t colour);

// Waits until the back buffer's blits are done (or the surface reports anything else).
void WaitForBlitter();

// Locks the whole back buffer: app.pixels and app.pitchPixels describe it until UnlockBackBuffer.
// Returns false when the lock failed; app.pixels is then null and nothing may write pixels.
bool LockBackBuffer();

// Unlocks the back buffer; app.pixels is null afterwards.
void UnlockBackBuffer();

// Takes the back buffer's device context into app.textDc for text output.
void GetBackBufferDc();

// Gives the device context taken by GetBackBufferDc back.
void ReleaseBackBufferDc();

// Flips the back buffer to the screen, retrying while the display is still drawing.
void FlipPage();
