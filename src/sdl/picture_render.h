// chromaflux --render: a run on a virtual clock written to PNG files instead of shown.
#pragma once

#include <cstdint>

#include "sdl/command_line.h"

// Runs the visuals with `runSettings` at the size of `settings` from tick 0 with `seed`, frame
// after frame through the frame driver, drawn by the renderer `choice` picks
// (sdl/renderer_choice.h), and writes the frames that `settings` asks for. Both renderers write
// the same bytes. Returns the exit code: 0 written, 1 when the memory cannot be had, a file cannot
// be written or the GL renderer asked for cannot be had (one line on standard error; no
// half-written file is left under its name).
int RenderPictures(const RenderSettings& settings, const RunSettings& runSettings,
                   std::uint32_t seed, RendererChoice choice);
