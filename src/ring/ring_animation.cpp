#include "ring/ring_animation.h"

#include <cstddef>

#include "ring/ring_rotation_simd.h"
#include "state/app_state.h"
#include "state/rng.h"

namespace {

constexpr std::int32_t kFadeWindowMs = 600;      // length of the fade-in and of the fade-out
constexpr std::uint32_t kFadeStepMs = 2;         // milliseconds per step in both fades
constexpr std::uint32_t kMinRotateStepMs = 3;    // rotation steps take 3 ... 32 ms
constexpr std::int32_t kRotateStepChoices = 30;  // number of rotation intervals to draw from
constexpr std::int32_t kFadeToBlackPasses = 3;   // a fade-to-black step lowers a channel by 3
constexpr std::int32_t kFlipOdds = 2500;         // a flag flips when Rng mod 2500 is 0

constexpr std::uint32_t kRedMask = 0x00FF0000u;
constexpr std::uint32_t kGreenMask = 0x0000FF00u;
constexpr std::uint32_t kBlueMask = 0x000000FFu;
constexpr std::uint32_t kChannelsMask = kRedMask | kGreenMask | kBlueMask;

// The fades work on the ring byte by byte: each channel is one byte, so nothing can carry from one
// channel into the next, and the top byte, 0 in every ring, stays 0. Byte-wide locals and no
// branches let the compiler keep the loops in byte lanes of its widest vectors.
constexpr std::size_t kRingBytes = sizeof(std::uint32_t) * static_cast<std::size_t>(ringSize);

void FlipOnRareDraw(std::int32_t& flag) {
  if (Rng() % kFlipOdds == 0) {
    flag = 1 - flag;
  }
}

void TakeStep() {
  switch (app.ringState) {
    case RingState::FadeToTarget:
      StepFadeToTarget(app.currentRing, app.targetRing);
      break;
    case RingState::Rotate:
      StepRotate(app.currentRing);
      break;
    case RingState::FadeToBlack:
      for (std::int32_t pass = 0; pass < kFadeToBlackPasses; ++pass) {
        StepFadeToBlack(app.currentRing);
      }
      break;
  }
}

}  // namespace

// Windows of the model clock t against the play period P, tested in this order:
//   t > P - 600             -> FadeToBlack, 2 ms steps
//   t < 600                 -> FadeToTarget, 2 ms steps
//   600 <= t <= P - 600     -> Rotate; the interval is drawn only when coming from another window
void AnimateColorRing() {
  app.ringAccumMs += app.frameMs;
  const std::int32_t t = app.modelClockMs;
  if (t > app.playPeriodMs - kFadeWindowMs) {
    app.ringState = RingState::FadeToBlack;
    app.ringStepMs = kFadeStepMs;
  } else if (t < kFadeWindowMs) {
    app.ringState = RingState::FadeToTarget;
    app.ringStepMs = kFadeStepMs;
  } else {
    if (app.ringState != RingState::Rotate) {
      app.ringStepMs = kMinRotateStepMs + static_cast<std::uint32_t>(Rng() % kRotateStepChoices);
    }
    app.ringState = RingState::Rotate;
  }
  // No cap: a long frame runs every step its milliseconds pay for; the rest carries over.
  while (app.ringAccumMs > app.ringStepMs) {
    app.ringAccumMs -= app.ringStepMs;
    TakeStep();
  }
}

void StepFadeToTarget(std::uint32_t* ring, const std::uint32_t* target) {
  auto* bytes = reinterpret_cast<unsigned char*>(ring);
  const auto* goals = reinterpret_cast<const unsigned char*>(target);
  for (std::size_t i = 0; i < kRingBytes; ++i) {
    const unsigned char b = bytes[i];
    const unsigned char goal = goals[i];
    bytes[i] = static_cast<unsigned char>(b + (b < goal) - (b > goal));
  }
}

void StepFadeToBlack(std::uint32_t* ring) {
  auto* bytes = reinterpret_cast<unsigned char*>(ring);
  for (std::size_t i = 0; i < kRingBytes; ++i) {
    const unsigned char b = bytes[i];
    bytes[i] = static_cast<unsigned char>(b - (b != 0));
  }
}

// The portable step works in place with two saved entries: the channels moving down are shifted in
// one ascending pass, which reads each entry before overwriting it, and the channels moving up in
// one descending pass. The two passes touch disjoint bits, so neither disturbs what the other
// reads. The vector steps (ring_rotation_simd.cpp) do both in one pass.
void StepRotate(std::uint32_t* ring) {
  FlipOnRareDraw(app.rotateRed);
  FlipOnRareDraw(app.rotateGreen);
  FlipOnRareDraw(app.rotateBlue);
  const std::uint32_t down = (app.rotateRed != 0 ? kRedMask : 0u) |
                             (app.rotateGreen != 0 ? kGreenMask : 0u) |
                             (app.rotateBlue != 0 ? kBlueMask : 0u);
  const RingRotator vector = VectorRingRotator(app.simdLevel);
  if (vector != nullptr) {
    vector(ring, down);
    return;
  }
  const std::uint32_t up = kChannelsMask & ~down;
  constexpr std::int32_t last = ringSize - 1;

  const std::uint32_t first = ring[0];
  for (std::int32_t i = 0; i < last; ++i) {
    ring[i] = (ring[i] & ~down) | (ring[i + 1] & down);
  }
  ring[last] = (ring[last] & ~down) | (first & down);

  const std::uint32_t lastEntry = ring[last];
  for (std::int32_t i = last; i > 0; --i) {
    ring[i] = (ring[i] & ~up) | (ring[i - 1] & up);
  }
  ring[0] = (ring[0] & ~up) | (lastEntry & up);
}
