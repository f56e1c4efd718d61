// Platform boundary: the clock.
#pragma once

#include <cstdint>

// Milliseconds since the system started; wraps at 2^32, so take differences modulo 2^32.
std::uint32_t GetTicks();

// Microseconds on a steady clock of the platform's, for pacing the loop; only differences count.
std::uint64_t GetMicroseconds();

// From now on GetTicks answers `tick`, until EndVirtualClock: the clock of a run rendered to files
// or of a renderer's self-check, which moves only when told, whatever the drawing costs.
void SetVirtualClock(std::uint32_t tick);

// GetTicks answers the platform's own clock again.
void EndVirtualClock();
