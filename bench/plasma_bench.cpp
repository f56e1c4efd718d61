// The plasma engine's fast paths against the plain point-by-point loops of the same formulas,
// timed in the same run. Every benchmark starts from the scene of SelectModel from a fixed seed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "plasma/frame_composition.h"
#include "plasma/geometry_tables.h"
#include "plasma/model_evaluation.h"
#include "plasma/model_selection.h"
#include "reference/plasma_reference.h"
#include "state/app_state.h"
#include "state/rng.h"
#include "state/simd_level.h"

namespace {

constexpr std::uint32_t kSeed = 1234;
constexpr std::int32_t kClockMs = 1234;  // a drift away from the rest position
constexpr std::size_t kFramePixels = static_cast<std::size_t>(screenWidth) * screenHeight;

// The frame that the plasma benchmarks draw into.
std::vector<std::uint32_t> benchFrame(kFramePixels);
const FrameView benchView{benchFrame.data(), screenWidth, screenWidth, screenHeight};

// The buffers of a running scene, allocated and built on first use; they live until exit like
// the program's own. The vector path is start-up's choice unless a benchmark sets another.
void PrepareBenchScene() {
  app.simdLevel = WidestSimdLevel();
  app.settings.classic = true;  // model switches evaluate the classic field
  if (app.RADIUS != nullptr) {
    return;
  }
  app.RADIUS = new std::int32_t[kRadiusWaveEntries];
  app.WAVE = new std::int32_t[kRadiusWaveEntries];
  app.ANGLE = new std::int32_t[kGridEntries];
  app.AngleWaveSums = new std::uint16_t[kDriftWindowEntries];
  app.IndexBuffer = new std::int32_t[kFramePixels];
  app.CosineTable = new std::int32_t[ringSize];
  app.currentRing = new std::uint32_t[ringSize];
  for (std::int32_t i = 0; i < ringSize; ++i) {
    app.currentRing[i] = static_cast<std::uint32_t>(i) * 0x010203u & 0x00FFFFFFu;
  }
  BuildGeometryTables();
  BuildAngleWaveSums();
  app.classicTables = true;
}

void SelectBenchModel(std::int32_t model) {
  PrepareBenchScene();
  SeedRng(kSeed);
  SelectModel(model);
  app.consoleTop = screenHeight;
  app.modelClockMs = kClockMs;
}

void BM_BuildGeometryTables(benchmark::State& state) {
  PrepareBenchScene();
  for (auto _ : state) {
    BuildGeometryTables();
    benchmark::ClobberMemory();
  }
}

void BM_BuildGeometryTablesPlain(benchmark::State& state) {
  PrepareBenchScene();
  for (auto _ : state) {
    reference::BuildGeometryTablesPlain(app.RADIUS, app.WAVE, app.ANGLE);
    benchmark::ClobberMemory();
  }
}

void BM_EvaluateModel(benchmark::State& state) {
  SelectBenchModel(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) {
    EvaluateModel();
    benchmark::ClobberMemory();
  }
}

void BM_EvaluateModelPlain(benchmark::State& state) {
  SelectBenchModel(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) {
    reference::EvaluateModelPlain(app.IndexBuffer);
    benchmark::ClobberMemory();
  }
}

// A table window that a model's formula reads: `table` at each pixel's grid point moved by (dx,
// dy).
struct TermWindow {
  const std::int32_t* table;
  std::int32_t dx;
  std::int32_t dy;
};

// The table windows of each model's formula, CosineTable look-ups aside: the bytes that any
// evaluation must bring in. (Models 8 and 9 read RADIUS, which the program reads for half the rows
// only, since RADIUS is the same at y and -y.)
std::vector<TermWindow> WindowsOf(std::int32_t model) {
  const TermWindow r0{app.RADIUS, 0, 0};
  const TermWindow a0{app.ANGLE, 0, 0};
  const TermWindow w0{app.WAVE, 0, 0};
  const TermWindow wsx{app.WAVE, app.smallOffsetX, 0};
  const TermWindow ws{app.WAVE, app.smallOffsetX, app.smallOffsetY};
  const TermWindow wwx{app.WAVE, app.wideOffsetX, 0};
  const TermWindow ww{app.WAVE, app.wideOffsetX, app.wideOffsetY};
  const TermWindow wf{app.WAVE, app.fixedOffsetX, app.fixedOffsetY};
  const TermWindow wh{app.WAVE, app.halfScreenOffsetX, app.halfScreenOffsetY};
  const TermWindow ah{app.ANGLE, app.halfScreenOffsetX, app.halfScreenOffsetY};
  const std::vector<TermWindow> windows[kModelCount] = {
      {wwx, w0, a0},    {a0, wsx},     {a0},         {wsx, w0}, {wf, ww, ws, wh},
      {ah, wf, ww, ws}, {w0, a0},      {wf, ww, ws}, {r0, a0},  {r0, a0},
      {wsx, w0},        {wsx, w0, a0}, {a0},         {a0, wsx}};
  return windows[model];
}

// First entry of window `w` in screen row `row`.
const std::int32_t* WindowRow(const TermWindow& w, std::int32_t row) {
  return w.table + GridIndex(w.dx - app.centreX, row - app.centreY + w.dy);
}

// The memory floor of an evaluation: the model's table windows summed into the IndexBuffer in one
// pass per row and nothing else computed.
template <std::size_t kWindows>
void SumWindows(const std::vector<TermWindow>& windows) {
  for (std::int32_t row = 0; row < screenHeight; ++row) {
    const std::int32_t* term[kWindows];
    for (std::size_t k = 0; k < kWindows; ++k) {
      term[k] = WindowRow(windows[k], row);
    }
    std::int32_t* out = app.IndexBuffer + row * screenWidth;
    for (std::int32_t col = 0; col < screenWidth; ++col) {
      std::int32_t sum = 0;
      for (std::size_t k = 0; k < kWindows; ++k) {
        sum += term[k][col];
      }
      out[col] = sum;
    }
  }
}

void BM_EvaluateModelBytes(benchmark::State& state) {
  SelectBenchModel(static_cast<std::int32_t>(state.range(0)));
  const std::vector<TermWindow> windows = WindowsOf(static_cast<std::int32_t>(state.range(0)));
  const auto sum = windows.size() == 1   ? SumWindows<1>
                   : windows.size() == 2 ? SumWindows<2>
                   : windows.size() == 3 ? SumWindows<3>
                                         : SumWindows<4>;
  for (auto _ : state) {
    sum(windows);
    benchmark::ClobberMemory();
  }
}

void BM_ComposeFrame(benchmark::State& state) {
  SelectBenchModel(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) {
    ComposeFrame(benchView, app.consoleTop);
    benchmark::ClobberMemory();
  }
}

// One model (first argument) on one vector path (second argument: 0 portable, 1 SSE2, 2 AVX2).
void BM_ComposeFrameOnPath(benchmark::State& state) {
  SelectBenchModel(static_cast<std::int32_t>(state.range(0)));
  app.simdLevel = static_cast<SimdLevel>(state.range(1));
  for (auto _ : state) {
    ComposeFrame(benchView, app.consoleTop);
    benchmark::ClobberMemory();
  }
}

// Every model on every vector path that this build and processor offer.
void EveryModelOnEveryPath(benchmark::internal::Benchmark* benchmark) {
  for (std::int32_t level = 0; level <= static_cast<std::int32_t>(WidestSimdLevel()); ++level) {
    for (std::int32_t model = 0; model < kModelCount; ++model) {
      benchmark->Args({model, level});
    }
  }
}

void BM_ComposeFramePlain(benchmark::State& state) {
  SelectBenchModel(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) {
    reference::ComposeFramePlain(benchView);
    benchmark::ClobberMemory();
  }
}

// What a frame costs at the least: moving its 800 x 600 x 4 bytes once.
void BM_CopyFrameBytes(benchmark::State& state) {
  PrepareBenchScene();
  const std::vector<std::uint32_t> source(kFramePixels, 0x00123456u);
  for (auto _ : state) {
    std::memcpy(benchFrame.data(), source.data(), kFramePixels * sizeof(std::uint32_t));
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_BuildGeometryTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildGeometryTablesPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateModel)->DenseRange(0, kModelCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EvaluateModelBytes)->DenseRange(0, kModelCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EvaluateModelPlain)->DenseRange(0, kModelCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeFrame)->DenseRange(0, kModelCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeFrameOnPath)->Apply(EveryModelOnEveryPath)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeFramePlain)->DenseRange(0, kModelCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyFrameBytes)->Unit(benchmark::kMicrosecond);
