// Platform boundary: the input and the rest of a port whose loop the core runs
// (app/resting_loop.h): the desktop program and the Windows screen saver.
#pragma once

#include <cstdint>

// Hands every piece of input that waits to the run (PostClick, PostKey, or ending it on a closed
// window or a stop signal). False once the run is to end.
bool TakeWaitingInput();

// Rests until input waits or GetMicroseconds() reaches `dueUs`. It may wake a little early
// (the loop rests again) but never spins: a wait is rounded up to the platform's next unit.
void RestUntil(std::uint64_t dueUs);
