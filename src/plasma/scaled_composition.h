// Drawing the plasma at any output size: the index field, plus the drifting extra term of models
// 0, 10, 11 and 12 read from the terms PrepareScaledPicture made, looked up in the visible ring.
#pragma once

#include <cstdint>

#include "plasma/drifting_term.h"
#include "state/app_state.h"
#include "state/frame_view.h"

// Writes rows firstRow ... endRow - 1 of `view`, leaving out those from consoleTop (read as
// unsigned, an output row) down: each pixel is app.currentRing at its `field` entry (view.width
// entries per row; the picture's own Index, or any field of its size) plus app.currentModel's
// drifted term at app.modelClockMs, read from the terms of `picture`, prepared
// (PrepareScaledPicture) for view.width x view.height. Rows are independent: any split among
// callers gives the same frame. The words between the width and the pitch are left alone.
void ComposeFrameInto(const FrameView& view, const ScaledPicture& picture,
                      const std::int32_t* field, std::int32_t consoleTop, std::int32_t firstRow,
                      std::int32_t endRow);
