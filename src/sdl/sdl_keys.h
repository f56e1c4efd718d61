// Keys of the SDL program: which key presses are the program's commands.
#pragma once

#include <cstdint>

#include <SDL2/SDL_keycode.h>

// The virtual-key code (the same values as Windows' VK_ codes, kKey* of app/key_commands.h) of a
// key press, or 0 when it is no command: a key the program does not use, or any key with Alt
// held, which on Windows arrives as a system key and never reaches the commands.
std::uint32_t VirtualKeyOf(SDL_Keycode key, std::uint16_t modifiers);

// Alt+Enter, or F without Ctrl, Alt or the Super (logo) key: switches between full screen and an
// 800 x 600 window. The program's own key, not a command: VirtualKeyOf gives F no meaning.
bool IsFullscreenToggle(SDL_Keycode key, std::uint16_t modifiers);

// H without Ctrl, Alt or the Super key: switches between the picture at the window's own
// resolution and the classic 800 x 600 frame in its 4:3 box. Also the program's own key.
bool IsPictureToggle(SDL_Keycode key, std::uint16_t modifiers);
