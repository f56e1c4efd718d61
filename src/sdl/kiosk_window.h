// Full screen where no window manager makes windows full screen: X with none, as in a kiosk that
// runs one program under X (xinit, a signage player). SDL asks the window manager for full screen
// and takes the window to have the display's size at once; with nobody to act on the request the
// window keeps its 800 x 600 in the middle of the screen, and the program would draw the display's
// pixels for the window's. There the window lays itself over the display and rises, as a window
// manager would do it; the X server tells SDL the new size (ConfigureNotify) as it would tell it
// a window manager's, and the picture's size follows SDL's.
#pragma once

struct SDL_Window;

// The full-screen `window` over its display's bounds and above the other windows, where no window
// manager puts it there (X only; elsewhere the desktop does). Called again whenever SDL may have
// made the window anew: it does so for an OpenGL renderer on a window made without OpenGL.
void CoverDisplayWithoutWindowManager(SDL_Window* window);
