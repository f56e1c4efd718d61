// The web layer's part of the display that start-up and the end of a run use: the RGBA copy of
// the frame that FinishFrame puts on the canvas, which follows the picture's size.
#pragma once

// Allocates the canvas image for the classic frame. False when the memory cannot be had.
bool CreateCanvasImage();

// Gives the canvas image back. Harmless when there is none.
void ReleaseCanvasImage();

// Sets the classic 800 x 600 picture, whatever size the page asks for: the end of a run draws its
// line there. Needs no memory.
void UseClassicPicture();
