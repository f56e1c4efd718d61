// A picture the GL renderer drew, read back to the processor: for --render, the self-check and
// the Windows saver's preview.
#pragma once

#include <cstdint>
#include <vector>

#include "state/frame_description.h"

// Reads the `size` picture of the framebuffer bound for reading into `pixels`, in the software
// renderer's pixels (0x00RRGGBB) and rows (top row first); `rows` holds what glReadPixels gives
// on the way (the bottom row first, each pixel red, green, blue, alpha). Both are resized.
void ReadGlPicture(PictureSize size, std::vector<std::uint8_t>& rows,
                   std::vector<std::uint32_t>& pixels);
