// The back buffer in memory, for the platforms that present a finished frame themselves (SDL, the
// browser).
//
// Implements the pixel half of platform/display.h over a frame of its own: ClearFrame and the
// lock (the pixels are the memory itself, pitch screenWidth). BeginFrame and FinishFrame belong
// to the platform, which shows FramePixels(), rows of screenWidth pixels 0x00RRGGBB, after each
// frame. Fills are immediate, so there is never a blit to wait for.
#pragma once

#include <cstdint>

// Allocates the frame, black. Returns false, with no frame, when the memory cannot be had.
bool CreateMemoryFrame();

// Gives the frame back, and the logos decoded for it (memory_logos.cpp). Harmless without one.
void ReleaseMemoryFrame();

// The frame's screenWidth x screenHeight pixels, row after row; null before CreateMemoryFrame.
std::uint32_t* FramePixels();

// Fills the whole frame with `colour` (0x00RRGGBB).
void FillMemoryFrame(std::uint32_t colour);
