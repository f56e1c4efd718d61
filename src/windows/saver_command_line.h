// What Windows asks of a screen saver, read from the command line it starts the saver with.
//
// The forms: "/s" runs the saver, "/p HANDLE" draws its preview in a child of that window, "/c",
// "/c:HANDLE" and an empty line ask for its settings, "/a HANDLE" for a new password. A switch is
// '/' or '-' and a letter in either case; a handle is an unsigned decimal number after a space or
// a colon. Blanks around the whole line are allowed, nothing else.
#pragma once

#include <cstdint>
#include <string_view>

enum class SaverAction : std::int32_t {
  Nothing = 0,   // "/a" and every line that is none of the forms: end at once with code 0
  Run = 1,       // "/s": cover the screen until the user comes back
  Preview = 2,   // "/p HANDLE": draw into a child of that window
  Settings = 3,  // "/c", "/c:HANDLE" or nothing: the settings dialog
};

struct SaverCommand {
  SaverAction action;
  std::uintptr_t window;  // the handle given with /p or /c; 0 when none was given
};

// Reads the command line after the program's name (WinMain's lpCmdLine). Pure: no system call.
SaverCommand ParseSaverCommandLine(std::string_view commandLine);
