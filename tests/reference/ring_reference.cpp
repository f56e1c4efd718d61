#include "reference/ring_reference.h"

#include "state/app_state.h"
#include "state/rng.h"

namespace reference {

namespace {

constexpr std::int32_t kChannelShifts[] = {16, 8, 0};  // red, green, blue
constexpr std::uint32_t kChannelMax = 0xFFu;
constexpr std::uint32_t kRedMask = 0x00FF0000u;
constexpr std::uint32_t kGreenMask = 0x0000FF00u;
constexpr std::uint32_t kBlueMask = 0x000000FFu;

void DrawFlip(std::int32_t& flag) {
  if (Rng() % 2500 == 0) {
    flag = flag == 0 ? 1 : 0;
  }
}

// Turns the channel under `mask` by one place: toward lower indices when `down`, else higher.
void RotateChannel(std::uint32_t* ring, std::uint32_t mask, bool down) {
  const std::int32_t n = ringSize;
  if (down) {
    const std::uint32_t saved = ring[0] & mask;
    for (std::int32_t i = 0; i < n - 1; ++i) {
      ring[i] = (ring[i] & ~mask) | (ring[i + 1] & mask);
    }
    ring[n - 1] = (ring[n - 1] & ~mask) | saved;
  } else {
    const std::uint32_t saved = ring[n - 1] & mask;
    for (std::int32_t i = n - 1; i > 0; --i) {
      ring[i] = (ring[i] & ~mask) | (ring[i - 1] & mask);
    }
    ring[0] = (ring[0] & ~mask) | saved;
  }
}

}  // namespace

void StepFadeToTarget(std::uint32_t* ring, const std::uint32_t* target) {
  for (std::int32_t i = 0; i < ringSize; ++i) {
    std::uint32_t entry = ring[i];
    const std::uint32_t goal = target[i];
    for (std::int32_t shift : kChannelShifts) {
      const std::uint32_t value = (entry >> shift) & kChannelMax;
      const std::uint32_t wanted = (goal >> shift) & kChannelMax;
      if (value > wanted) {
        entry -= 1u << shift;
      } else if (value < wanted) {
        entry += 1u << shift;
      }
    }
    ring[i] = entry;
  }
}

void StepFadeToBlack(std::uint32_t* ring) {
  for (std::int32_t i = 0; i < ringSize; ++i) {
    std::uint32_t entry = ring[i];
    for (std::int32_t shift : kChannelShifts) {
      if (((entry >> shift) & kChannelMax) != 0) {
        entry -= 1u << shift;
      }
    }
    ring[i] = entry;
  }
}

void StepRotate(std::uint32_t* ring) {
  DrawFlip(app.rotateRed);
  DrawFlip(app.rotateGreen);
  DrawFlip(app.rotateBlue);
  RotateChannel(ring, kRedMask, app.rotateRed != 0);
  RotateChannel(ring, kGreenMask, app.rotateGreen != 0);
  RotateChannel(ring, kBlueMask, app.rotateBlue != 0);
}

}  // namespace reference
