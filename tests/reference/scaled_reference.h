// The picture at any output size as plain loops of its definition: every term computed at the
// pixel's own model-space point with the standard sqrt, sin and atan2, the formula chosen by a
// switch inside the pixel loop. Tests compare the program's fast paths with them over every pixel;
// the benchmarks time them as the baseline.
#pragma once

#include <cstdint>

#include "state/frame_view.h"

namespace reference {

// app.currentModel's formula at every pixel of a width x height output into `field` (row-major,
// width entries per row), from app's cosine table and add-ons.
void EvaluateModelScaledPlain(std::int32_t* field, std::int32_t width, std::int32_t height);

// The frame of `field` (view.width x view.height, as above) at app.modelClockMs into rows
// 0 ... min(consoleTop as unsigned, view.height) - 1 of `view`, through app.currentRing.
void ComposeFrameScaledPlain(const FrameView& view, const std::int32_t* field,
                             std::int32_t consoleTop);

}  // namespace reference
