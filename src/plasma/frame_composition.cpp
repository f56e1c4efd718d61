#include "plasma/frame_composition.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "plasma/frame_composition_simd.h"
#include "plasma/geometry_tables.h"
#include "state/app_state.h"

namespace {

// First of the screenWidth entries that the drifted term reads in screen row 0 of WAVE; row r
// reads the run kGridSize entries further on per row. The drift's reach keeps it in the grid.
const std::int32_t* DriftedWave(FrameDrift drift) {
  const std::int32_t x = drift.x - app.centreX;
  const std::int32_t y = drift.y - app.centreY;
  assert(x >= -kGridHalf && x + screenWidth <= kGridHalf);
  assert(y >= -kGridHalf && y + screenHeight <= kGridHalf);
  return app.WAVE + GridIndex(x, y);
}

// The portable loops: one row after another, the term chosen at compile time. The job's pointers
// are copied into locals, since the pixel stores could alias the job itself.
template <ExtraTerm kTerm>
void ComposeRows(const FrameJob& job) {
  const std::uint16_t* angleWave = job.angleWave;
  const std::int32_t* wave = job.wave;
  const std::int32_t* cosine = job.cosine;
  const std::uint32_t* ring = job.ring;
  for (std::uint32_t row = 0; row < job.rows; ++row) {
    const std::int32_t* index = job.index + static_cast<std::size_t>(row) * screenWidth;
    const std::ptrdiff_t termRow = static_cast<std::ptrdiff_t>(row) * job.termPitch;
    std::uint32_t* pixels = job.pixels + row * job.pitch;
    for (std::int32_t col = 0; col < screenWidth; ++col) {
      std::int32_t v = index[col];
      if constexpr (kTerm == ExtraTerm::AngleAndWave) {
        v += angleWave[termRow + col];
      } else if constexpr (kTerm == ExtraTerm::TenthOfWave) {
        v += TenthOfWave(wave[termRow + col]);
      } else if constexpr (kTerm == ExtraTerm::Cosine) {
        v += cosine[termRow + col];
      }
      pixels[col] = ring[v];
    }
  }
}

void ComposePortable(const FrameJob& job) {
  WithTerm(job.term, [&job](auto term) { ComposeRows<term>(job); });
}

}  // namespace

// Model 0 adds ANGLE and WAVE at the same grid point every frame. Their sums, 754 ... 3404, fit
// in 16 bits: reading one 16-bit table instead of two 32-bit ones moves a quarter of the bytes,
// and the window the drift can reach (1.6 MB) stays in the processor's caches from frame to frame
// where two 16 MB tables cannot.
void BuildAngleWaveSums() {
  const std::int32_t left = -kDriftReachX - screenWidth / 2;
  const std::int32_t top = -kDriftReachY - screenHeight / 2;
  std::uint16_t* sum = app.AngleWaveSums;
  for (std::int32_t wy = 0; wy < kDriftWindowHeight; ++wy) {
    const std::int32_t* angle = app.ANGLE + GridIndex(left, top + wy);
    const std::int32_t* wave = app.WAVE + GridIndex(left, top + wy);
    for (std::int32_t wx = 0; wx < kDriftWindowWidth; ++wx) {
      *sum++ = static_cast<std::uint16_t>(angle[wx] + wave[wx]);
    }
  }
}

// The extra terms (ExtraTermOf) at grid point g: ANGLE(g) + WAVE(g) read as one sum from
// AngleWaveSums, WAVE(g) div 10, and CosineTable[col + driftX + 100].
void ComposeFrame(const FrameView& frame, std::int32_t consoleTop) {
  // A console top beyond the screen (or negative, hence huge as unsigned) draws the whole screen.
  ComposeFrameRows(frame, 0,
                   static_cast<std::int32_t>(std::min(static_cast<std::uint32_t>(consoleTop),
                                                      static_cast<std::uint32_t>(screenHeight))));
}

void ComposeFrameRows(const FrameView& frame, std::int32_t firstRow, std::int32_t endRow) {
  assert(frame.pitch >= screenWidth);
  assert(firstRow >= 0 && endRow <= screenHeight);
  if (firstRow >= endRow) {
    return;
  }
  const FrameDrift drift = ComputeFrameDrift(app.modelClockMs, app.smallOffsetX, app.smallOffsetY);
  FrameJob job{};
  job.term = ExtraTermOf(app.currentModel);
  job.rows = static_cast<std::uint32_t>(endRow - firstRow);
  job.index = app.IndexBuffer + static_cast<std::ptrdiff_t>(firstRow) * screenWidth;
  job.ring = app.currentRing;
  job.pixels = frame.pixels + static_cast<std::ptrdiff_t>(firstRow) * frame.pitch;
  job.pitch = static_cast<std::size_t>(frame.pitch);
  switch (job.term) {
    case ExtraTerm::AngleAndWave:
      // The window is centred on the screen centre, where the model's centre always is.
      assert(app.centreX == screenWidth / 2 && app.centreY == screenHeight / 2);
      assert(drift.x >= -kDriftReachX && drift.x <= kDriftReachX);
      assert(drift.y >= -kDriftReachY && drift.y <= kDriftReachY);
      job.angleWave = app.AngleWaveSums + (drift.y + kDriftReachY + firstRow) * kDriftWindowWidth +
                      (drift.x + kDriftReachX);
      job.termPitch = kDriftWindowWidth;
      break;
    case ExtraTerm::TenthOfWave:
      job.wave = DriftedWave(drift) + static_cast<std::ptrdiff_t>(firstRow) * kGridSize;
      job.termPitch = kGridSize;
      break;
    case ExtraTerm::Cosine:
      assert(drift.x + kCosineTermShift >= 0 &&
             drift.x + kCosineTermShift + screenWidth <= ringSize);
      job.cosine = app.CosineTable + drift.x + kCosineTermShift;
      break;
    case ExtraTerm::None:
      break;
  }
  const FrameComposer vector = VectorFrameComposer(app.simdLevel);
  if (vector != nullptr) {
    vector(job);
  } else {
    ComposePortable(job);
  }
}
