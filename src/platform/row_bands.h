// Platform boundary: the processor's cores for work over the rows of a picture.
#pragma once

#include <cstdint>
#include <functional>

// Work on rows firstRow ... endRow - 1 that reads and writes only what those rows own.
using RowWork = std::function<void(std::int32_t firstRow, std::int32_t endRow)>;

// Runs `work` over rows 0 ... rows - 1, split into bands run side by side on as many threads as
// the platform gives the picture (one where it has no threads), and returns when every band is
// done. Every row lies in exactly one band, so the result is the same for any split.
void ForRowBands(std::int32_t rows, const RowWork& work);
