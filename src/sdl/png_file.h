// PNG files of a frame, as --render writes them.
//
// A picture is 8-bit RGB without an alpha channel, a time or any other chunk that would differ
// between two writings: the same frame always gives the same bytes. The frame stays the
// caller's; only its rows of `width` pixels are read, stepping by `pitch`.
#pragma once

#include <cstdint>
#include <string>

#include "state/frame_view.h"

// Writes `frame` (at least 1 x 1) as a PNG file at `path`. The bytes go to a new file beside it
// that takes the name only once all of them are on the disk, so that `path` is never seen half
// written; on failure nothing new is left and `problem` gets one line naming `path` and why.
bool WritePngFile(const std::string& path, const FrameView& frame, std::string& problem);

// The name of picture `index` (1 ... count) of `count` for `file` (FILE.png): `file` itself
// when count is 1, else FILE-0001.png and on, with as many digits as `count`, at least 4.
std::string NumberedPngName(const std::string& file, std::int32_t index, std::int32_t count);
