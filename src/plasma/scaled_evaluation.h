// The current model at any output size: one colour-ring index per output pixel, the classic
// formulas read at each pixel's model-space point (plasma/model_space.h). At 800 x 600 the field is
// the classic IndexBuffer entry for entry.
#pragma once

#include <cstdint>

// Writes rows firstRow ... endRow - 1 (0 <= firstRow <= endRow <= height) of the width x height
// field (row-major, width entries per row) with app.currentModel's formula over its cosine table
// and add-ons. Rows are independent: any split among callers gives the same field. Every value
// stored is below ringSize. app.WaveOfRadius speeds up the WAVE terms wherever it covers them;
// its size never changes a value.
void EvaluateModelInto(std::int32_t* field, std::int32_t width, std::int32_t height,
                       std::int32_t firstRow, std::int32_t endRow);
