#include "sdl/sdl_keys.h"

#include "app/key_commands.h"

std::uint32_t VirtualKeyOf(SDL_Keycode key, std::uint16_t modifiers) {
  if ((modifiers & KMOD_ALT) != 0) {
    return 0;
  }
  switch (key) {
    case SDLK_TAB:
      return kKeyTab;
    case SDLK_ESCAPE:
      return kKeyEscape;
    case SDLK_LEFT:
      return kKeyLeft;
    case SDLK_UP:
      return kKeyUp;
    case SDLK_RIGHT:
      return kKeyRight;
    case SDLK_DOWN:
      return kKeyDown;
    case SDLK_a:
      return kKeyA;
    case SDLK_q:
      return kKeyQ;
    case SDLK_z:
      return kKeyZ;
    default:
      return 0;
  }
}

bool IsFullscreenToggle(SDL_Keycode key, std::uint16_t modifiers) {
  if (key == SDLK_f) {
    return (modifiers & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) == 0;
  }
  return (key == SDLK_RETURN || key == SDLK_KP_ENTER) && (modifiers & KMOD_ALT) != 0;
}

bool IsPictureToggle(SDL_Keycode key, std::uint16_t modifiers) {
  return key == SDLK_h && (modifiers & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) == 0;
}
