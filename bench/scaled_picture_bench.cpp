// The picture at any output size: evaluation and composition at 1920 x 1080 and 3840 x 2160 on
// one thread, against the plain loops of the same definition, timed in the same run. Arguments:
// the model, then the size (0: 1920 x 1080, 1: 3840 x 2160).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "doubles/test_scene.h"
#include "plasma/model_selection.h"
#include "plasma/scaled_composition.h"
#include "plasma/scaled_evaluation.h"
#include "plasma/scaled_picture.h"
#include "platform/row_bands.h"
#include "reference/scaled_reference.h"
#include "state/app_state.h"
#include "state/frame_view.h"
#include "state/simd_level.h"

namespace {

constexpr std::uint32_t kSeed = 1234;
constexpr std::int32_t kClockMs = 1234;  // a drift away from the rest position

struct Size {
  std::int32_t width, height;
};
constexpr Size kSizes[] = {{1920, 1080}, {3840, 2160}};

// The frame that the benchmarks draw into, at the size of the last SelectSized.
std::vector<std::uint32_t> sizedFrame;

// The scene, the model, the picture buffers and an evaluated field at the benchmark's size.
FrameView SelectSized(const benchmark::State& state) {
  const Size size = kSizes[state.range(1)];
  doubles::PrepareTestScene(kSeed);
  app.simdLevel = WidestSimdLevel();
  SelectModel(static_cast<std::int32_t>(state.range(0)));
  app.modelClockMs = kClockMs;
  PrepareScaledPicture(app.fields[0], size.width, size.height);
  EvaluateModelInto(app.fields[0].Index, size.width, size.height, 0, size.height);
  sizedFrame.assign(static_cast<std::size_t>(size.width) * size.height, 0);
  return {sizedFrame.data(), size.width, size.width, size.height};
}

void BM_EvaluateModelInto(benchmark::State& state) {
  const FrameView view = SelectSized(state);
  for (auto _ : state) {
    EvaluateModelInto(app.fields[0].Index, view.width, view.height, 0, view.height);
    benchmark::ClobberMemory();
  }
}

void BM_EvaluateModelScaledPlain(benchmark::State& state) {
  const FrameView view = SelectSized(state);
  for (auto _ : state) {
    reference::EvaluateModelScaledPlain(app.fields[0].Index, view.width, view.height);
    benchmark::ClobberMemory();
  }
}

void BM_ComposeFrameInto(benchmark::State& state) {
  const FrameView view = SelectSized(state);
  for (auto _ : state) {
    ComposeFrameInto(view, app.fields[0], app.fields[0].Index, view.height, 0, view.height);
    benchmark::ClobberMemory();
  }
}

void BM_ComposeFrameScaledPlain(benchmark::State& state) {
  const FrameView view = SelectSized(state);
  for (auto _ : state) {
    reference::ComposeFrameScaledPlain(view, app.fields[0].Index, view.height);
    benchmark::ClobberMemory();
  }
}

// The same on every core, by a run's crew, as the programs run them (wall-clock time).
void BM_EvaluateModelOnEveryCore(benchmark::State& state) {
  SelectSized(state);
  StartRowCrew(ProcessorRowThreads());
  for (auto _ : state) {
    ForRowBands(app.fields[0].height, [](std::int32_t first, std::int32_t end) {
      EvaluateModelInto(app.fields[0].Index, app.fields[0].width, app.fields[0].height, first, end);
    });
    benchmark::ClobberMemory();
  }
  StopRowCrew();
}

FrameView everyCoreView;  // the frame BM_ComposeFrameOnEveryCore's bands draw into

void BM_ComposeFrameOnEveryCore(benchmark::State& state) {
  everyCoreView = SelectSized(state);
  StartRowCrew(ProcessorRowThreads());
  for (auto _ : state) {
    ForRowBands(everyCoreView.height, [](std::int32_t first, std::int32_t end) {
      ComposeFrameInto(everyCoreView, app.fields[0], app.fields[0].Index, everyCoreView.height,
                       first, end);
    });
    benchmark::ClobberMemory();
  }
  StopRowCrew();
}

// The floor of any composition: a plain copy of the frame's bytes, from a buffer as large.
void BM_CopyPictureBytes(benchmark::State& state) {
  const Size size = kSizes[state.range(0)];
  const std::vector<std::uint32_t> source(static_cast<std::size_t>(size.width) * size.height, 7);
  std::vector<std::uint32_t> frame(source.size());
  for (auto _ : state) {
    std::memcpy(frame.data(), source.data(), source.size() * sizeof(std::uint32_t));
    benchmark::ClobberMemory();
  }
}

// Making the buffers of a size and its drifted terms: once per change of output size.
void BM_PrepareScaledPicture(benchmark::State& state) {
  SelectSized(state);
  const Size size = kSizes[state.range(1)];
  for (auto _ : state) {
    GiveBackScaledPicture(app.fields[0]);  // makes it again
    PrepareScaledPicture(app.fields[0], size.width, size.height);
    benchmark::ClobberMemory();
  }
}

void EveryModelAtBothSizes(benchmark::internal::Benchmark* benchmark) {
  for (std::int32_t size = 0; size < 2; ++size) {
    for (std::int32_t model = 0; model < kModelCount; ++model) {
      benchmark->Args({model, size});
    }
  }
}

}  // namespace

BENCHMARK(BM_EvaluateModelInto)->Apply(EveryModelAtBothSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateModelScaledPlain)
    ->Apply(EveryModelAtBothSizes)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposeFrameInto)->Apply(EveryModelAtBothSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposeFrameScaledPlain)->Apply(EveryModelAtBothSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateModelOnEveryCore)
    ->Apply(EveryModelAtBothSizes)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposeFrameOnEveryCore)
    ->Apply(EveryModelAtBothSizes)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyPictureBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrepareScaledPicture)->Args({0, 0})->Args({0, 1})->Unit(benchmark::kMillisecond);
