// The SDL program's input: SDL's events turned into the run's clicks and keys, the desktop's own
// commands (full screen, the classic frame), the end of the run, and the rest between frames
// (platform/input.h, for the core's resting loop).
#pragma once

// Whose window the program draws on. Another program's window leaves the keyboard and the mouse
// to that program, and the run ends on a stop signal or when the window goes away.
enum class WindowOwner { Own, Foreign };

// The input of the run about to start: from the program's own window, or from none but the
// stop signals and the news of another program's window.
void TakeInputFor(WindowOwner owner);

// Whether the run ended because the display was lost and could not be made again (a foreign
// window whose resize could not be followed), rather than on input.
bool DisplayWasLost();

// The GL context was reset by its driver or could not draw (sdl/gl_window.h): the run goes on
// with a new context on the same window, its renderer started again and handed everything anew,
// or where none can be had, with the window opened for the software renderer. False where
// neither can draw: the run ends as on a lost display. TakeWaitingInput calls it when it sees one.
bool RestoreLostGlDrawing();
