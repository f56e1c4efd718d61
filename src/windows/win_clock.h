// The Windows programs' clock (platform/clock.h): the system's tick count, or for a while a
// virtual one that moves only when told: the screen saver's self-check draws its frame at a tick
// of its choosing, whatever the time it takes.
#pragma once

#include <cstdint>

// From now on GetTicks answers `tick`, until EndVirtualClock.
void SetVirtualClock(std::uint32_t tick);

// GetTicks answers the system's tick count again.
void EndVirtualClock();
