// The SDL program's clock (platform/clock.h): SDL's, or a virtual one for rendered pictures.
#pragma once

#include <cstdint>

// From now on GetTicks answers `tick`, until the next call: the clock of a run rendered to files,
// which moves only when told.
void SetVirtualClock(std::uint32_t tick);
