// Another program's X window as the desktop program's display: XScreenSaver's window, the root
// window, or any window given by its id.
//
// SDL draws on the window (SDL_CreateWindowFrom) but selects no events on a window it did not
// make, and an X error about a window that went away would end the program through Xlib's
// default handler. So this file keeps a connection of its own to the X server: it checks that
// the window exists before SDL is given it, hears of its new sizes and of its destruction, and
// keeps X errors about it from ending the program.
#pragma once

#include <cstdint>
#include <string>

#include "sdl/command_line.h"
#include "state/frame_description.h"

// Connects to the X display and finds the window that `target` names: for ScreenSaver the id in
// `screenSaverWindow` (the value of XSCREENSAVER_WINDOW) or, when that is null or empty, the
// root window of the default screen; for GivenWindow `givenId`. Checks that the window exists
// and can be drawn on, and asks to hear of its changes. On failure answers false with
// `problem` set to one line, and holds nothing.
//
// Then, until CloseForeignWindow, an X error that names the window (BadWindow, BadDrawable)
// marks it gone instead of ending the program; other errors go to Xlib's handler as before.
// Call it before SDL_Init, so that SDL_Quit puts this guard back (not Xlib's handler, which
// would end the program) before it closes SDL's connection.
bool OpenForeignWindow(DrawTarget target, std::uint32_t givenId, const char* screenSaverWindow,
                       std::string& problem);

// Call right after SDL_Init: puts the guard in front of the handler that SDL_Init installed.
// SDL's handler, before it passes an error on, sets the display modes back with requests of its
// own made from inside the handler, which can hang the program when its window has just gone.
void PutForeignWindowGuardFirst();

// The window's X id, for SDL_CreateWindowFrom.
std::uint32_t ForeignWindowId();

// The window's size when last seen (CheckForeignWindow follows it), in pixels; 0 x 0 while none
// is open.
PictureSize ForeignWindowSize();

// What became of the window since the last look.
enum class ForeignWindowNews : std::int32_t {
  Unchanged = 0,
  Resized = 1,  // its owner gave it another size (XScreenSaver does when the screens change)
  Gone = 2,     // it was destroyed
};

// Reads the events waiting on this file's connection and the errors caught since
// OpenForeignWindow. Never blocks.
ForeignWindowNews CheckForeignWindow();

// Puts the previous X error handler back and closes this file's connection. Call after
// SDL_Quit. Harmless when nothing is open.
void CloseForeignWindow();
