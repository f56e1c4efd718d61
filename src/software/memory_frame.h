// The back buffer in memory, for the platforms that present a finished frame themselves (SDL, the
// browser).
//
// Implements the back-buffer half of platform/display.h over app.frameMemory: the fills, the
// lock (the pixels are the memory itself, pitch screenWidth) and the text target. CheckDisplay and
// FlipPage belong to the platform, which shows app.frameMemory, rows of screenWidth pixels
// 0x00RRGGBB, after each frame. Fills are immediate, so there is never a blit to wait for.
#pragma once

// Allocates app.frameMemory, black. Returns false, leaving it null, when the memory cannot be had.
bool CreateMemoryFrame();
