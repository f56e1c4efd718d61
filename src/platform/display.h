// Platform boundary: the frame a platform hands the software renderer, and the stages of drawing
// it (software/software_renderer.h).
//
// A frame is a view of any size (state/frame_view.h): the Windows program's back buffer, a window's
// picture, a file being rendered. Within a drawn frame the order is fixed: BeginFrame; then either
// ClearFrame (the intro page) or LockFrame, pixel work, UnlockFrame and the logo copies; then
// OpenFrameText, text, CloseFrameText; FinishFrame.
//
// A frame has two layers. The picture is the plasma at the platform's chosen size; the console
// layer is where the console's band, its logos and its text and the intro page are drawn, laid out
// as the frame describes (the classic 800 x 600, or a layout for a small screen). Where the
// picture has the classic size the two are one (the Windows program's back buffer); elsewhere
// FinishFrame shows the console layer's part scaled over the picture. The pixels and the text are
// never open at the same time. The Windows program does DirectDraw's work inside these calls, in
// that order: the corner fill that paces the frame, the black fill and the wait for the blitter,
// the lock, the device context, the flip.
#pragma once

#include <cstdint>

#include "state/frame_description.h"
#include "state/frame_view.h"

// Takes the frame's memory where the platform keeps the frame in memory of its own (the software
// layer's memory frame, black, its picture at the classic size); false when it cannot be had.
// The first call of a run; where the frame is the display's own, there is nothing to take.
bool TakeFrameMemory();

// Gives back what TakeFrameMemory took; harmless without it. The last call of a run.
void GiveBackFrameMemory();

// What BeginFrame found.
enum class DisplayCheck {
  Ready,         // the frame may be drawn (lost surfaces, if any, were restored)
  NotExclusive,  // another program holds the display: skip this frame
  Failed,        // the display is lost for good: end the program
};

// Tests the display and restores lost surfaces; when Ready, the frame has begun (and, where the
// display paces frames, waited its turn), and its pictures have their sizes for this frame. First
// call of every frame.
DisplayCheck BeginFrame();

// Fills both layers black and waits until that is done.
void ClearFrame();

enum class FrameLayer { Picture, Console };

// Lays the console layer out at `layout`'s size (at most kLayerPixels pixels) before a frame is
// drawn on it; what it showed is to be drawn again. A display whose frame is the classic one has
// the classic layout only.
void ShapeLayer(const LayerLayout& layout);

// How many pictures the frame has, 1 ... kMostPictures: one for each screen the platform shows the
// plasma on (the Windows screen saver's monitors). Each is drawn with the same model and colours
// at its own size, in one frame; the console layer goes with picture 0.
std::int32_t FramePictureCount();

// The size of picture `picture` (below FramePictureCount()) in this frame.
PictureSize FramePictureSize(std::int32_t picture);

// Opens the pixels of one layer, for the picture layer of picture `picture` (below
// FramePictureCount()), and describes them until UnlockFrame. Several pictures may be open
// together, the console layer only alone. Pixels null when they cannot be had: nothing may write
// pixels then, and there is nothing to unlock.
FrameView LockFrame(FrameLayer layer, std::int32_t picture = 0);

// Closes every open picture or the console layer: the views LockFrame gave may no longer be
// written.
void UnlockFrame();

// Opens the console layer as the platform's text surface (platform/text_output.h).
void OpenFrameText();

// Closes what OpenFrameText opened.
void CloseFrameText();

// Shows the finished frame: picture 0 with what `frame` shows of the console layer over it where
// the two differ (the intro page, or the console's band down from its bandTop), and the others.
void FinishFrame(const FrameDescription& frame);

// Whether FinishFrame waits for the display's refresh where it can (a vsync the renderer offers):
// then a frame that took a refresh's time has been paced already (app/frame_pacing.h).
bool DisplayPacesFrames();
