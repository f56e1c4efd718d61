// How long the SDL program rests after presenting a frame, so that it never spins a core.
#pragma once

#include <cstdint>

// The frame period the program keeps when the display does not pace it: 1/60 s.
constexpr std::uint64_t kFramePeriodUs = 1000000 / 60;

// A present that waited for the display's refresh took at least this long since the previous
// frame began: no display refreshes faster than 250 times a second.
constexpr std::uint64_t kShortestRefreshUs = 4000;

// Microseconds to wait before the next frame, `sinceFrameStartUs` after the one just presented
// began. A renderer with vsync that really waited has paced the loop already: no wait. Otherwise
// (no vsync, or a vsync that returns at once, as on a virtual display) the loop waits out the
// rest of 1/60 s; a frame that took longer than that waits for nothing.
std::uint64_t PacingWaitUs(bool vsyncOffered, std::uint64_t sinceFrameStartUs);
