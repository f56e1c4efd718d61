// The video files --render writes: the frames fed raw to the ffmpeg program on a pipe, which
// encodes them into a new file beside the clip's name, renamed to it only once ffmpeg has finished
// well. ffmpeg's own messages go to a file of their own and are shown, their last lines, only when
// it fails.
//
//   .mp4   H.264, yuv420p (every player plays it), CRF 16 with adaptive quantisation biased to
//          dark, flat areas, where the plasma's slow gradients would otherwise band
//   .webm  VP9, yuv420p, constant quality (CRF 24)
//   .mkv   FFV1, lossless, in the frames' own RGB: every pixel can be had back exactly
//   .gif   a palette of 256 made from the whole clip (a first pass over it), then the clip
//          mapped onto it with error diffusion
//
// H.264 and VP9 in yuv420p need even sides: an odd side gets one black row or column more.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "state/frame_description.h"
#include "state/frame_view.h"

// What --render writes, by the file's extension.
enum class ClipKind : std::int32_t { Png = 0, Mp4 = 1, Webm = 2, Mkv = 3, Gif = 4 };

// The kind of `file` by its extension (".png", ".mp4", ".webm", ".mkv", ".gif", in lower case),
// with a name before it in its last part; none for any other name.
std::optional<ClipKind> ClipKindOf(std::string_view file);

// How many times the clip's frames are fed to ffmpeg: twice for .gif (the palette, then the
// picture), once for the others.
std::int32_t ClipPasses(ClipKind kind);

// Starts ffmpeg for pass `pass` (0 ... ClipPasses - 1) of a clip of `size` frames at `fps`,
// written to `file`. False, with one line in `problem`, where ffmpeg is not on the PATH (naming
// the package), the file's folder cannot be written, or ffmpeg cannot be started.
bool OpenVideoClip(const std::string& file, ClipKind kind, std::int32_t pass, PictureSize size,
                   std::int32_t fps, std::string& problem);

// Feeds one frame (the clip's size). False, with `problem`, where ffmpeg stopped taking frames.
bool WriteVideoFrame(const FrameView& frame, std::string& problem);

// Ends the pass: waits for ffmpeg and, after the last pass, gives the file its name. False, with
// `problem` and ffmpeg's last lines, where ffmpeg failed; nothing is then left under the name.
bool CloseVideoClip(std::string& problem);

// Stops ffmpeg and removes what the clip wrote. Harmless when no clip is open.
void AbandonVideoClip();
