#include "plasma/frame_composition.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "plasma/frame_composition_simd.h"
#include "plasma/geometry_tables.h"
#include "state/app_state.h"

namespace {

constexpr double kDriftSwingX = 40.0;  // grid units either side of smallOffsetX
constexpr double kDriftSwingY = 60.0;  // grid units either side of smallOffsetY
constexpr double kDriftRateX = static_cast<double>(0.002f);         // radians per ms
constexpr double kDriftRateY = static_cast<double>(0.0014285714f);  // radians per ms, ~1/700
constexpr std::int32_t kTenths = 10;  // models 10 and 11 add 0.1f x WAVE, i.e. WAVE div 10
constexpr std::int32_t kCosineColumnShift = 100;  // model 12 reads column + drift + 100

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
        v += wave[termRow + col] / kTenths;
      } else if constexpr (kTerm == ExtraTerm::Cosine) {
        v += cosine[termRow + col];
      }
      pixels[col] = ring[v];
    }
  }
}

void ComposePortable(const FrameJob& job) {
  switch (job.term) {
    case ExtraTerm::None:
      ComposeRows<ExtraTerm::None>(job);
      break;
    case ExtraTerm::AngleAndWave:
      ComposeRows<ExtraTerm::AngleAndWave>(job);
      break;
    case ExtraTerm::TenthOfWave:
      ComposeRows<ExtraTerm::TenthOfWave>(job);
      break;
    case ExtraTerm::Cosine:
      ComposeRows<ExtraTerm::Cosine>(job);
      break;
  }
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

FrameDrift ComputeFrameDrift(std::int32_t modelClockMs, std::int32_t restX, std::int32_t restY) {
  const double t = modelClockMs;
  const double x = kDriftSwingX * std::cos(t * kDriftRateX) + (static_cast<double>(restX) + 0.5);
  const double y = kDriftSwingY * std::sin(t * kDriftRateY) + (static_cast<double>(restY) + 0.5);
  return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

// The extra terms, per model:
//   0        v + ANGLE(g) + WAVE(g), read as one sum from AngleWaveSums
//   10, 11   v + 0.1f WAVE(g), truncated. 0.1f is 1.5e-9 above a tenth: for WAVE values 0 ... 99
//            the product lies at most 1.5e-7 above w / 10, so its fraction stays below 0.91, and
//            adding a whole index below 2^10 (models 10 and 11 store at most 227) never rounds
//            across an integer. Hence v + w div 10.
//   12       v + CosineTable[col + driftX + 100]
//   others   v
void ComposeFrame(const FrameView& frame, std::int32_t consoleTop) {
  assert(frame.pitch >= screenWidth);
  const FrameDrift drift = ComputeFrameDrift(app.modelClockMs, app.smallOffsetX, app.smallOffsetY);
  FrameJob job{};
  job.term = ExtraTerm::None;
  // A console top beyond the screen (or negative, hence huge as unsigned) draws the whole screen.
  job.rows =
      std::min(static_cast<std::uint32_t>(consoleTop), static_cast<std::uint32_t>(screenHeight));
  job.index = app.IndexBuffer;
  job.ring = app.currentRing;
  job.pixels = frame.pixels;
  job.pitch = static_cast<std::size_t>(frame.pitch);
  switch (app.currentModel) {
    case 0:
      // The window is centred on the screen centre, where the model's centre always is.
      assert(app.centreX == screenWidth / 2 && app.centreY == screenHeight / 2);
      assert(drift.x >= -kDriftReachX && drift.x <= kDriftReachX);
      assert(drift.y >= -kDriftReachY && drift.y <= kDriftReachY);
      job.term = ExtraTerm::AngleAndWave;
      job.angleWave = app.AngleWaveSums + (drift.y + kDriftReachY) * kDriftWindowWidth +
                      (drift.x + kDriftReachX);
      job.termPitch = kDriftWindowWidth;
      break;
    case 10:
    case 11:
      job.term = ExtraTerm::TenthOfWave;
      job.wave = DriftedWave(drift);
      job.termPitch = kGridSize;
      break;
    case 12:
      assert(drift.x + kCosineColumnShift >= 0 &&
             drift.x + kCosineColumnShift + screenWidth <= ringSize);
      job.term = ExtraTerm::Cosine;
      job.cosine = app.CosineTable + drift.x + kCosineColumnShift;
      break;
    default:
      break;
  }
  const FrameComposer vector = VectorFrameComposer(app.simdLevel);
  if (vector != nullptr) {
    vector(job);
  } else {
    ComposePortable(job);
  }
}
