// chromaflux --render: a run on a virtual clock written to PNG files instead of shown.
#pragma once

#include <cstdint>

#include "sdl/command_line.h"

// Runs the visuals with `runSettings` at the size of `settings` from tick 0 with `seed`, frame
// after frame through the frame driver, and writes the frames that `settings` asks for.
// Returns the exit code: 0 written, 1 when the memory cannot be had or a file cannot be written
// (one line on standard error; no half-written file is left under its name).
int RenderPictures(const RenderSettings& settings, const RunSettings& runSettings,
                   std::uint32_t seed);
