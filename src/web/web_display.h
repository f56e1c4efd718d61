// The web layer's part of the display that start-up and the end of a run use: the RGBA copy of
// the frame that FinishFrame puts on the canvas.
#pragma once

// Allocates the canvas image (screenWidth x screenHeight RGBA bytes). False when the memory
// cannot be had.
bool CreateCanvasImage();

// Gives the canvas image back. Harmless when there is none.
void ReleaseCanvasImage();
