// The buffers of the picture at one output size: its index field, the WAVE look-up that covers it,
// and the terms the drift can reach, which the composition reads instead of computing them.
#pragma once

#include <cstdint>

#include "state/app_state.h"

// Makes the buffers of `picture` (one of app.fields) for a width x height output (both
// 1 ... kLargestOutputSide) and fills all but the index field, which EvaluateModelInto fills, and
// widens app.WaveOfRadius to cover the picture where it does not. Nothing is done if they are
// made for that size already; buffers of another size are given back first. Returns false, with
// the picture empty (width and height 0), when the heap cannot supply them. Needs the geometry of
// no model: the drifted terms are the same for every model.
bool PrepareScaledPicture(ScaledPicture& picture, std::int32_t width, std::int32_t height);

// Gives back the buffers of `picture` and empties it.
void GiveBackScaledPicture(ScaledPicture& picture);

// Output pixels the drift can shift the extra terms at `scale`, along the row and down the column:
// the drift reaches 89.5 model units either way across and 109.5 down, and one more for the
// product's rounding.
std::int32_t DriftReachX(double scale);
std::int32_t DriftReachY(double scale);
