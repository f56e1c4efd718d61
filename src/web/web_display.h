// The web layer's part of the display that start-up uses: the RGBA copy of the frame that
// FlipPage puts on the canvas.
#pragma once

// Allocates the canvas image (screenWidth x screenHeight RGBA bytes) into app.canvasImage.
// False when the memory cannot be had.
bool CreateCanvasImage();
