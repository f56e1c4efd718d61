// SIGTERM and SIGINT as a request to stop: how XScreenSaver ends a display mode, and how a
// terminal does. The handler only sets a flag; the loop reads it between frames and ends the run
// in order (display released, exit code 0).
#pragma once

// Installs the handler for SIGTERM and SIGINT. Call it before SDL_Init: SDL installs its own
// handlers (which turn the signals into SDL_QUIT events) only where none is installed yet.
void CatchStopSignals();

// Whether SIGTERM or SIGINT arrived since CatchStopSignals.
bool StopRequested();
