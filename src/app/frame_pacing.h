// The one pacer of the ports that rest between frames (the desktop program and the Windows screen
// saver): when the next frame is due, on the platform's own microsecond clock. The Windows
// program and the page rest on their display instead (the flip, the browser's animation frames).
#pragma once

#include <cstdint>

// The frame period kept where the display does not pace the loop: 1/60 s.
constexpr std::uint64_t kFramePeriodUs = 1000000 / 60;

// A present that waited for the display's refresh took at least this long since its frame began:
// no display refreshes faster than 250 times a second.
constexpr std::uint64_t kShortestRefreshUs = 4000;

// The due time of the frame after one that began at `startUs` (when it was due, or later) and was
// presented by `nowUs`. A present that really waited for a refresh (`displayPaces`, and at least
// kShortestRefreshUs since the start) has paced the loop already: due now. Otherwise one period
// after the start, or now when that has passed: a late frame moves the schedule instead of
// bringing a burst of frames to catch up. A display that offers to pace but returns at once (a
// virtual one) is paced here too.
std::uint64_t NextFrameDueUs(std::uint64_t startUs, std::uint64_t nowUs, bool displayPaces);
