// The self-check `auto` runs before it takes the GL renderer, the same on every platform: the GL
// renderer draws a small picture of no classic shape, model 0 (the term with the most to get
// wrong) just before the end of the ring's fade-in (the ring starts black, and a frame within the
// model's first 600 ms takes a fade step for every 2 ms it pays for), the console closed; it must
// equal byte for byte what the software renderer composes for the same frame of the same run.
#pragma once

#include "platform/renderer.h"
#include "state/frame_description.h"
#include "state/frame_view.h"

constexpr PictureSize kSelfCheckSize{96, 54};

// The picture the GL renderer just drew on the check's context, in the software renderer's pixels
// (0x00RRGGBB), top row first; a view without pixels where it cannot be read.
using GlPictureReader = FrameView (*)();

// Runs the check with `gl` (the GL renderer, or a table standing in for it) on the current
// context, whose picture is kSelfCheckSize; `read` reads the picture back. The run's clock is
// virtual while it draws, and the platform's own again afterwards.
bool DrawsLikeSoftware(const Renderer& gl, GlPictureReader read);
