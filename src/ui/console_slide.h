// The console's slide: an 80-row panel that moves one row per 5 ms between hidden and open.
#pragma once

#include <cstdint>

constexpr std::uint32_t kConsoleHeight = 80;  // rows of the fully open console
constexpr std::uint32_t kSlideStepMs = 5;     // milliseconds per row of slide

// The TAB command: starts the console sliding, or reverses a slide under way.
void ToggleConsole();

// Whether the console is open or on its way in: TAB would send it out.
bool ConsoleComesIn();

// Moves the console by the time in app.frameMs. Called after every pass of the frame.
void AdvanceConsoleSlide();
