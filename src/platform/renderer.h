// Platform boundary: the renderer, one table of functions that draws what the core describes.
//
// A frame is first updated and then drawn. The core (app/frame_driver.h) advances the run and
// fills a FrameDescription; then it hands the renderer what changed since the frame before and
// asks it to render the description:
//
//   beginFrame            every frame, first; the frame is skipped unless Ready
//   pictureCount/Size     the pictures the frame shows, which the core describes
//   loadField             a picture's model field and terms, when they changed (a model switch, a
//                         new size, another field): never on a plain frame
//   loadRing              the visible colour ring, every running frame
//   loadLayer             the console and intro layer's content changed
//   renderFrame           draws the description and presents it
//
// What is handed over belongs to the core and stays valid until it is handed over again or the
// run ends. Rendering changes nothing of the run: it reads the description, what was handed over
// and, to draw the console's and the intro page's texts and controls, the run's record. The
// software renderer (software/software_renderer.h) draws on the display of platform/display.h;
// another renderer is added by adding its files and passing its table to StartRun.
#pragma once

#include <cstdint>

#include "platform/display.h"
#include "state/frame_description.h"

struct Renderer {
  // Takes what the renderer keeps across frames; false when it cannot be had (stop then gives
  // back what was taken).
  bool (*start)();
  // Gives back everything the renderer took. Harmless after a failed start or none.
  void (*stop)();
  // Tests the display and restores what was lost; when Ready, the frame has begun and the
  // pictures have their sizes for this frame.
  DisplayCheck (*beginFrame)();
  // The frame's pictures, 1 ... kMostPictures, and each one's size in output pixels.
  std::int32_t (*pictureCount)();
  PictureSize (*pictureSize)(std::int32_t picture);
  // Picture `picture` shows `description`'s field from now on, made anew or another one.
  void (*loadField)(std::int32_t picture, const PictureDescription& description);
  // The visible ring's ringSize colours, 0x00RRGGBB, for this frame.
  void (*loadRing)(const std::uint32_t* ring);
  // The console and intro layer has other content than when it was last drawn.
  void (*loadLayer)(FrameContent content);
  // Draws the frame as described and presents it.
  void (*renderFrame)(const FrameDescription& frame);
  // Whether presenting waits for the display's refresh where it can (app/frame_pacing.h).
  bool (*pacesFrames)();
};
