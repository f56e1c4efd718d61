// The buffers of the picture at one output size: its index field, the WAVE look-up that covers it,
// and the terms the drift can reach, which the composition reads instead of computing them.
#pragma once

#include <cstdint>

// Makes app's picture buffers (ScaledIndex, WaveOfRadius, ScaledAngleWave, ScaledTenths,
// ScaledCosine) for a width x height output (both 1 ... kLargestOutputSide) and fills all but the
// index field, which EvaluateModelInto fills. Nothing is done if they are made for that size
// already; buffers of another size are given back first. Returns false, with app.scaledWidth and
// app.scaledHeight 0, when the heap cannot supply them (EndRun gives back what was obtained).
// Needs the geometry of no model: the drifted terms are the same for every model.
bool PrepareScaledPicture(std::int32_t width, std::int32_t height);

// Output pixels the drift can shift the extra terms at `scale`, along the row and down the column:
// the drift reaches 89.5 model units either way across and 109.5 down, and one more for the
// product's rounding.
std::int32_t DriftReachX(double scale);
std::int32_t DriftReachY(double scale);
