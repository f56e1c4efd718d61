// The frame in memory, for the platforms that present a finished frame themselves (SDL, the
// browser, the Windows screen saver).
//
// Implements the pixel half of platform/display.h over memory of its own: the frame's memory
// (TakeFrameMemory, which allocates the console layer, black, with the picture at the classic
// size; GiveBackFrameMemory, which gives it back with the logos decoded for it), ClearFrame, the
// pictures' count and sizes and the locks. The console layer holds kLayerPixels and is laid out
// as the frame says (pitch its width, screenWidth x screenHeight to begin with); the picture has
// the size the platform sets, and is the console layer itself at the classic size. BeginFrame and
// FinishFrame belong to the platform, which shows FinishMemoryFrame's view after each frame. Fills
// are immediate, so there is never a blit to wait for.
#pragma once

#include <cstdint>

#include "state/frame_description.h"
#include "state/frame_view.h"

// The console layer, where the software text and logos draw; no pixels before TakeFrameMemory.
FrameView LayerView();

// Fills the console layer with `colour` (0x00RRGGBB).
void FillMemoryFrame(std::uint32_t colour);

// How many pictures the frame draws (FramePictureCount), 1 ... kMostPictures; 1 to begin with.
void SetPictureCount(std::int32_t count);

// Gives picture `picture` (0 ... kMostPictures - 1) `width` x `height` pixels (1 ... 16384 each),
// black, when it has another size or none yet. Picture 0 at the classic size is the console layer
// again; it has the classic size to begin with, the others no pixels. False when the memory
// cannot be had: the picture keeps its size.
bool SetPictureSize(std::int32_t width, std::int32_t height, std::int32_t picture = 0);

// Picture `picture`'s size, with its pixels; null before TakeFrameMemory or its first size.
FrameView PictureView(std::int32_t picture = 0);

// Finishes `frame` for showing and returns what to show of picture 0: the picture with the
// console layer's part scaled over it (the intro page, or the console band once the visuals run),
// or at the classic size the console layer itself. The other pictures show as PictureView has them.
FrameView FinishMemoryFrame(const FrameDescription& frame);
