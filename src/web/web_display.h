// The web layer's part of the display that start-up and the end of a run use: the RGBA copy of
// the frame that FinishFrame puts on the canvas, which follows the picture's size; and what the
// page says of every frame, which the WebGL display (web/webgl_display.h) reads too.
#pragma once

#include "state/frame_description.h"

// Allocates the canvas image for the classic frame. False when the memory cannot be had.
bool CreateCanvasImage();

// Gives the canvas image back. Harmless when there is none.
void ReleaseCanvasImage();

// Sets the classic 800 x 600 picture, whatever size the page asks for: the end of a run draws its
// line there. Needs no memory.
void UseClassicPicture();

// Whether the page is hidden (another tab, a minimised window): the display is away.
bool PageHidden();

// The picture size the page asks for this frame (index.html), or the classic frame's where that
// size was refused and the page has asked for no other since.
PictureSize PagePictureSize();

// The page's picture size `size` cannot be drawn (its memory cannot be had): the classic frame
// stands in until the page asks for another size. Retrying every frame would cost an allocation
// per frame.
void RefusePictureSize(PictureSize size);

// Whether `frame` runs on a picture 0 of another size than the classic one whose field the core
// could not make: it showed no plasma, and its size is to be refused.
bool LacksField(const FrameDescription& frame);
