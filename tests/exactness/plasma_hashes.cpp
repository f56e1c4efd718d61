// Prints hashes of everything the plasma computes in floating point: the geometry tables, the 14
// cosine tables with the index fields evaluated from them, and long runs of drift values; then of
// whole frames of every model (ring animation, composition, console panel), where the compiler's
// vector code must give the plain results; then of the picture at four other sizes. The native
// build and the WebAssembly build must print the same lines; both are compared with
// plasma_hashes.txt, recorded from the native build.
//
// One line per run: name, number of 32-bit values, FNV-1a 64 over their little-endian bytes.
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <new>
#include <vector>

#include "plasma/frame_composition.h"
#include "plasma/geometry_tables.h"
#include "plasma/model_selection.h"
#include "plasma/scaled_composition.h"
#include "plasma/scaled_evaluation.h"
#include "plasma/scaled_picture.h"
#include "ring/ring_animation.h"
#include "ring/ring_generators.h"
#include "state/app_state.h"
#include "state/rng.h"
#include "state/simd_level.h"
#include "ui/console_panel.h"
#include "ui/console_slide.h"

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037u;
constexpr std::uint64_t kFnvPrime = 1099511628211u;
constexpr std::int32_t kByteBits = 8;
constexpr std::int32_t kDriftSamples = 215000;  // two values each: 430,000 per run
constexpr std::int32_t kSmallOffsetSpan = 100;  // rest points cycle through -50 ... 49
constexpr std::int32_t kLongRunStepMs = 9987;   // the last sample lands just below 2^31 ms
constexpr std::uint32_t kAddOnSeed = 20399;     // any fixed seed: the add-ons of every model
constexpr std::size_t kNameLength = 32;
constexpr std::int32_t kFramesPerModel = 9;
constexpr std::int32_t kModelClockStepMs = 2503;  // nine frames cross the fades and the rotation
constexpr std::uint32_t kFrameMs = 40;            // each frame takes four ring steps
constexpr std::int32_t kSlideStepRows = 13;       // console tops walk through 520 ... 600
constexpr std::size_t kFramePixels = std::size_t{screenWidth} * screenHeight;

class Fnv1a {
 public:
  void Add(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::int32_t shift = 0; shift < 32; shift += kByteBits) {
      hash_ = (hash_ ^ ((bits >> shift) & 0xFFu)) * kFnvPrime;
    }
    ++count_;
  }
  void Print(const char* name) const {
    std::printf("%s %" PRIu32 " %016" PRIx64 "\n", name, count_, hash_);
  }

 private:
  std::uint64_t hash_ = kFnvOffset;
  std::uint32_t count_ = 0;
};

template <typename Entry>
void PrintTable(const char* name, const Entry* table, std::size_t entries) {
  Fnv1a hash;
  for (std::size_t i = 0; i < entries; ++i) {
    hash.Add(static_cast<std::int32_t>(table[i]));
  }
  hash.Print(name);
}

// Drift at model clock `stepMs` x k for k = 0 ... kDriftSamples - 1, around rest points that walk
// through the whole small add-on square.
void PrintDriftRun(const char* name, std::int32_t stepMs) {
  Fnv1a hash;
  for (std::int32_t k = 0; k < kDriftSamples; ++k) {
    const std::int32_t restX = k % kSmallOffsetSpan - kSmallOffsetSpan / 2;
    const std::int32_t restY = k / kSmallOffsetSpan % kSmallOffsetSpan - kSmallOffsetSpan / 2;
    const FrameDrift drift = ComputeFrameDrift(k * stepMs, restX, restY);
    hash.Add(drift.x);
    hash.Add(drift.y);
  }
  hash.Print(name);
}

// Frames of `model` with a fresh palette, the clock stepping through its RANDOM period and the
// console at a different height each time, hashed together.
void PrintFrames(std::int32_t model, std::uint32_t* frame) {
  SelectModel(model);
  NewColorRing(0);
  app.modelClockMs = 0;
  const FrameView view{frame, screenWidth, screenWidth, screenHeight};
  LayOutConsole();
  Fnv1a hash;
  for (std::int32_t k = 0; k < kFramesPerModel; ++k) {
    app.frameMs = kFrameMs;
    app.modelClockMs += kModelClockStepMs;
    AnimateColorRing();
    app.consoleTop =
        screenHeight - static_cast<std::int32_t>(k * kSlideStepRows % (kConsoleHeight + 1));
    ComposeFrame(view, app.consoleTop);
    DrawConsolePanel(view);
    for (std::size_t i = 0; i < kFramePixels; ++i) {
      hash.Add(static_cast<std::int32_t>(frame[i]));
    }
  }
  char name[kNameLength];
  std::snprintf(name, sizeof name, "frames-%02" PRId32, model);
  hash.Print(name);
}

// The picture at sizes of other shapes than the classic one: each model's field, and one frame of
// it with the drift away from its rest, hashed per size.
constexpr PictureSize kPictureSizes[] = {{1920, 1080}, {1366, 768}, {2560, 1080}, {1080, 1920}};
constexpr std::int32_t kPictureClockMs = 1234;

bool PrintPictures(PictureSize size) {
  std::vector<std::uint32_t> frame(static_cast<std::size_t>(size.width) * size.height);
  if (!PrepareScaledPicture(app.fields[0], size.width, size.height)) {
    return false;
  }
  const FrameView view{frame.data(), size.width, size.width, size.height};
  for (std::int32_t model = 0; model < kModelCount; ++model) {
    SelectModel(model);
    NewColorRing(0);
    AnimateColorRing();  // from black toward the new ring: a picture of many colours
    EvaluateModelInto(app.fields[0].Index, size.width, size.height, 0, size.height);
    app.modelClockMs = kPictureClockMs;
    ComposeFrameInto(view, app.fields[0], app.fields[0].Index, size.height, 0, size.height);
    char name[kNameLength];
    std::snprintf(name, sizeof name, "field-%" PRId32 "x%" PRId32 "-%02" PRId32, size.width,
                  size.height, model);
    PrintTable(name, app.fields[0].Index, frame.size());
    std::snprintf(name, sizeof name, "picture-%" PRId32 "x%" PRId32 "-%02" PRId32, size.width,
                  size.height, model);
    PrintTable(name, frame.data(), frame.size());
  }
  return true;
}

}  // namespace

int main() {
  app.RADIUS = new (std::nothrow) std::int32_t[kRadiusWaveEntries];
  app.WAVE = new (std::nothrow) std::int32_t[kRadiusWaveEntries];
  app.ANGLE = new (std::nothrow) std::int32_t[kGridEntries];
  app.AngleWaveSums = new (std::nothrow) std::uint16_t[kDriftWindowEntries];
  app.IndexBuffer = new (std::nothrow) std::int32_t[screenWidth * screenHeight];
  app.CosineTable = new (std::nothrow) std::int32_t[ringSize];
  app.ConsoleRaster = new (std::nothrow) std::uint32_t[kConsoleRasterPixels];
  auto* frame = new (std::nothrow) std::uint32_t[kFramePixels];
  if (app.RADIUS == nullptr || app.WAVE == nullptr || app.ANGLE == nullptr ||
      app.AngleWaveSums == nullptr || app.IndexBuffer == nullptr || app.CosineTable == nullptr ||
      app.ConsoleRaster == nullptr || frame == nullptr || !CreateColorRings()) {
    std::fputs("not enough memory for the tables\n", stderr);
    return 1;
  }
  BuildGeometryTables();
  BuildAngleWaveSums();
  app.classicTables = true;
  app.settings.classic = true;        // every model switch evaluates the classic field
  app.simdLevel = WidestSimdLevel();  // the vector paths start-up would choose must match too
  PrintTable("radius", app.RADIUS, std::size_t{kGridEntries});
  PrintTable("wave", app.WAVE, std::size_t{kGridEntries});
  PrintTable("angle", app.ANGLE, std::size_t{kGridEntries});

  SeedRng(kAddOnSeed);
  for (std::int32_t model = 0; model < kModelCount; ++model) {
    SelectModel(model);
    char name[kNameLength];
    std::snprintf(name, sizeof name, "cosine-%02" PRId32, model);
    PrintTable(name, app.CosineTable, std::size_t{ringSize});
    std::snprintf(name, sizeof name, "index-field-%02" PRId32, model);
    PrintTable(name, app.IndexBuffer, kFramePixels);
  }

  PrintDriftRun("drift-each-ms", 1);
  PrintDriftRun("drift-long-clock", kLongRunStepMs);

  for (std::int32_t model = 0; model < kModelCount; ++model) {
    PrintFrames(model, frame);
  }
  delete[] frame;
  for (const PictureSize size : kPictureSizes) {
    if (!PrintPictures(size)) {
      std::fputs("not enough memory for the pictures\n", stderr);
      return 1;
    }
  }
  return 0;
}
