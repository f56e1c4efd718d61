#include "ring/ring_generators.h"

#include <algorithm>
#include <new>

#include "state/app_state.h"
#include "state/rng.h"

namespace {

constexpr std::int32_t kBlueShift = 0;
constexpr std::int32_t kGreenShift = 8;
constexpr std::int32_t kRedShift = 16;
constexpr std::int32_t kPaletteModeCount = 3;
constexpr std::int32_t kDirectionCount = 2;  // a rotation flag is 0 or 1

// Phases of a period's halves and pulses (palette modes 0 and 1: rising up to 254, then falling).
constexpr std::int32_t kLastRisingPhase = 254;
// Mode 2: three single-channel pulses of 128 phases each, then the grey pulse from phase 384.
constexpr std::int32_t kPulsePhases = 128;
constexpr std::int32_t kPulsePhaseMask = kPulsePhases - 1;
constexpr std::int32_t kGreyPulseStart = 3 * kPulsePhases;
// A ramp value past the channel maximum is reflected: 256 becomes 255, 258 becomes 253, ...
constexpr std::int32_t kChannelMax = 255;
constexpr std::int32_t kReflect = 511;

constexpr std::uint32_t Grey(std::int32_t v) {
  const auto channel = static_cast<std::uint32_t>(v);
  return (channel << kRedShift) | (channel << kGreenShift) | (channel << kBlueShift);
}

// A ramp of slope `slope` over `step` phases, reflected at the channel maximum.
constexpr std::int32_t ReflectedRamp(std::int32_t step, std::int32_t slope) {
  const std::int32_t b = slope * step;
  return b > kChannelMax ? kReflect - b : b;
}

constexpr std::uint32_t GreyWaveEntry(std::int32_t a) {
  return Grey(a <= kLastRisingPhase ? a : kPalettePeriod - a);
}

constexpr std::uint32_t GreyPulseEntry(std::int32_t a) {
  // For a <= 254 the doubled phase reaches 508 at most, so the reflection keeps it in 3 ... 255.
  return a <= kLastRisingPhase ? Grey(ReflectedRamp(a, 2)) : 0;
}

constexpr std::uint32_t ChannelPulsesEntry(std::int32_t a) {
  if (a >= kGreyPulseStart) {
    return Grey(ReflectedRamp(a - kGreyPulseStart, 4));
  }
  // Segment 0, 1, 2 of 128 phases each carries blue, green, red: one byte further up per segment.
  const std::int32_t segment = a / kPulsePhases;
  const auto b = static_cast<std::uint32_t>(ReflectedRamp(a & kPulsePhaseMask, 4));
  return b << (kGreenShift * segment);
}

// Every entry depends only on its phase i mod 510.
template <typename EntryOfPhase>
void FillByPhase(std::uint32_t* ring, EntryOfPhase entryOfPhase) {
  for (std::int32_t i = 0; i < ringSize; ++i) {
    ring[i] = entryOfPhase(i % kPalettePeriod);
  }
}

// Indexed by the palette mode that Rng draws.
constexpr void (*kPaletteFills[kPaletteModeCount])(std::uint32_t*) = {FillGreyWave, FillGreyPulse,
                                                                      FillChannelPulses};

}  // namespace

void FillGreyWave(std::uint32_t* ring) {
  FillByPhase(ring, GreyWaveEntry);
}

void FillGreyPulse(std::uint32_t* ring) {
  FillByPhase(ring, GreyPulseEntry);
}

void FillChannelPulses(std::uint32_t* ring) {
  FillByPhase(ring, ChannelPulsesEntry);
}

void GenerateRing(std::uint32_t* ring) {
  kPaletteFills[Rng() % kPaletteModeCount](ring);
  app.rotateRed = Rng() % kDirectionCount;
  app.rotateGreen = Rng() % kDirectionCount;
  app.rotateBlue = Rng() % kDirectionCount;
}

bool CreateColorRings() {
  // Uninitialised: the visible ring is cleared and the target written in full right below.
  app.currentRing = new (std::nothrow) std::uint32_t[ringSize];
  app.targetRing = new (std::nothrow) std::uint32_t[ringSize];
  if (app.currentRing == nullptr || app.targetRing == nullptr) {
    delete[] app.currentRing;
    delete[] app.targetRing;
    app.currentRing = nullptr;
    app.targetRing = nullptr;
    return false;
  }
  NewColorRing(1);
  return true;
}

void NewColorRing(std::int32_t fromBlack) {
  if (fromBlack != 0) {
    std::fill_n(app.currentRing, ringSize, 0u);
    GenerateRing(app.targetRing);
  } else {
    GenerateRing(app.currentRing);
  }
}
