// The colour-ring steps against their plain per-channel versions, one full ring pass per iteration.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "reference/ring_reference.h"
#include "ring/ring_animation.h"
#include "ring/ring_generators.h"
#include "state/app_state.h"
#include "state/simd_level.h"

namespace {

// A fade runs its 255 passes from a fresh start, as after a model switch; the refill is not timed.
constexpr std::int32_t kPassesPerFade = 255;

using FadeToTargetStep = void (*)(std::uint32_t*, const std::uint32_t*);
using RingStep = void (*)(std::uint32_t*);

// From black toward the channel pulses: channels rise at different times, some already match.
void RunFadeToTarget(benchmark::State& state, FadeToTargetStep step) {
  std::vector<std::uint32_t> ring(ringSize, 0u);
  std::vector<std::uint32_t> target(ringSize);
  FillChannelPulses(target.data());
  std::int32_t passes = 0;
  for (auto _ : state) {
    step(ring.data(), target.data());
    benchmark::ClobberMemory();
    if (++passes == kPassesPerFade) {
      state.PauseTiming();
      ring.assign(ringSize, 0u);
      passes = 0;
      state.ResumeTiming();
    }
  }
}

// From the full grey wave down to black.
void RunFadeToBlack(benchmark::State& state, RingStep step) {
  std::vector<std::uint32_t> ring(ringSize);
  FillGreyWave(ring.data());
  std::int32_t passes = 0;
  for (auto _ : state) {
    step(ring.data());
    benchmark::ClobberMemory();
    if (++passes == kPassesPerFade) {
      state.PauseTiming();
      FillGreyWave(ring.data());
      passes = 0;
      state.ResumeTiming();
    }
  }
}

// Red down, green and blue up, so that both directions have work; flags flip as they come. The
// vector path is start-up's choice unless `level` names another.
void RunRotate(benchmark::State& state, RingStep step, SimdLevel level = WidestSimdLevel()) {
  app.simdLevel = level;
  std::vector<std::uint32_t> ring(ringSize);
  FillChannelPulses(ring.data());
  app.rngState = 1;
  app.rotateRed = 1;
  app.rotateGreen = 0;
  app.rotateBlue = 0;
  for (auto _ : state) {
    step(ring.data());
    benchmark::ClobberMemory();
  }
}

void BM_StepFadeToTarget(benchmark::State& state) {
  RunFadeToTarget(state, StepFadeToTarget);
}
void BM_StepFadeToTargetPlain(benchmark::State& state) {
  RunFadeToTarget(state, reference::StepFadeToTarget);
}
void BM_StepFadeToBlack(benchmark::State& state) {
  RunFadeToBlack(state, StepFadeToBlack);
}
void BM_StepFadeToBlackPlain(benchmark::State& state) {
  RunFadeToBlack(state, reference::StepFadeToBlack);
}
void BM_StepRotate(benchmark::State& state) {
  RunRotate(state, StepRotate);
}
// One vector path (argument: 0 portable, 1 SSE2, 2 AVX2).
void BM_StepRotateOnPath(benchmark::State& state) {
  RunRotate(state, StepRotate, static_cast<SimdLevel>(state.range(0)));
}
void BM_StepRotatePlain(benchmark::State& state) {
  RunRotate(state, reference::StepRotate);
}

BENCHMARK(BM_StepFadeToTarget);
BENCHMARK(BM_StepFadeToTargetPlain);
BENCHMARK(BM_StepFadeToBlack);
BENCHMARK(BM_StepFadeToBlackPlain);
BENCHMARK(BM_StepRotate);
BENCHMARK(BM_StepRotateOnPath)->DenseRange(0, static_cast<std::int32_t>(WidestSimdLevel()));
BENCHMARK(BM_StepRotatePlain);

}  // namespace
