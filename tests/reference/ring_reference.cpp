#include "reference/ring_reference.h"

#include "state/app_state.h"
#include "state/rng.h"

namespace reference {

namespace {

constexpr std::int32_t kChannelShifts[] = {16, 8, 0};  // red, green, blue
constexpr std::uint32_t kChannelMax = 0xFFu;

std::uint32_t ChannelOf(std::uint32_t entry, std::int32_t shift) {
  return (entry >> shift) & kChannelMax;
}

std::uint32_t WithChannel(std::uint32_t entry, std::int32_t shift, std::uint32_t value) {
  return (entry & ~(kChannelMax << shift)) | (value << shift);
}

void DrawFlip(std::int32_t& flag) {
  if (Rng() % 2500 == 0) {
    flag = flag == 0 ? 1 : 0;
  }
}

// Turns one channel's cycle by one place: toward lower indices when `down`, else toward higher.
void RotateChannel(std::uint32_t* ring, std::int32_t shift, bool down) {
  const std::int32_t n = ringSize;
  if (down) {
    const std::uint32_t saved = ChannelOf(ring[0], shift);
    for (std::int32_t i = 0; i < n - 1; ++i) {
      ring[i] = WithChannel(ring[i], shift, ChannelOf(ring[i + 1], shift));
    }
    ring[n - 1] = WithChannel(ring[n - 1], shift, saved);
  } else {
    const std::uint32_t saved = ChannelOf(ring[n - 1], shift);
    for (std::int32_t i = n - 1; i > 0; --i) {
      ring[i] = WithChannel(ring[i], shift, ChannelOf(ring[i - 1], shift));
    }
    ring[0] = WithChannel(ring[0], shift, saved);
  }
}

}  // namespace

void StepFadeToTarget(std::uint32_t* ring, const std::uint32_t* target) {
  for (std::int32_t i = 0; i < ringSize; ++i) {
    for (std::int32_t shift : kChannelShifts) {
      std::uint32_t value = ChannelOf(ring[i], shift);
      const std::uint32_t goal = ChannelOf(target[i], shift);
      if (value > goal) {
        --value;
      } else if (value < goal) {
        ++value;
      }
      ring[i] = WithChannel(ring[i], shift, value);
    }
  }
}

void StepFadeToBlack(std::uint32_t* ring) {
  for (std::int32_t i = 0; i < ringSize; ++i) {
    for (std::int32_t shift : kChannelShifts) {
      const std::uint32_t value = ChannelOf(ring[i], shift);
      if (value != 0) {
        ring[i] = WithChannel(ring[i], shift, value - 1);
      }
    }
  }
}

void StepRotate(std::uint32_t* ring) {
  DrawFlip(app.rotateRed);
  DrawFlip(app.rotateGreen);
  DrawFlip(app.rotateBlue);
  RotateChannel(ring, kChannelShifts[0], app.rotateRed != 0);
  RotateChannel(ring, kChannelShifts[1], app.rotateGreen != 0);
  RotateChannel(ring, kChannelShifts[2], app.rotateBlue != 0);
}

}  // namespace reference
