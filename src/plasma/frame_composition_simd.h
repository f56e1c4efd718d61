// The frame composition's work, resolved into plain pointers, and its vector versions
// (frame_composition_simd.cpp), which must equal the portable loops of frame_composition.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plasma/drifting_term.h"
#include "state/app_state.h"

// One frame's composition: for row < rows and col < screenWidth,
//   pixels[row * pitch + col] = ring[index[row * screenWidth + col] + term]
// with the term read at entry row * termPitch + col of its source. Only the term's own source is
// set; the others are null.
struct FrameJob {
  ExtraTerm term;
  std::uint32_t rows;              // rows to draw, 0 ... screenHeight
  const std::int32_t* index;       // the IndexBuffer
  const std::uint16_t* angleWave;  // AngleAndWave: AngleWaveSums at the drifted row 0
  const std::int32_t* wave;        // TenthOfWave: WAVE at the drifted row 0
  const std::int32_t* cosine;      // Cosine: the CosineTable run that every row reads
  std::ptrdiff_t termPitch;        // entries from one row's term to the next; 0 for Cosine
  const std::uint32_t* ring;       // the visible colour ring
  std::uint32_t* pixels;           // the locked back buffer's first pixel
  std::size_t pitch;               // pixels from one row to the next, at least screenWidth
};

using FrameComposer = void (*)(const FrameJob& job);

// The vector composer of `level`; null for Portable and for levels this build has no vector code
// for (builds for processors other than x86), where the portable loops run instead.
FrameComposer VectorFrameComposer(SimdLevel level);
