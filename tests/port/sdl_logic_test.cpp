// The SDL program's own decisions: which key presses are commands, and how long a frame rests.
#include <gtest/gtest.h>

#include <tuple>

#include "app/key_commands.h"
#include "sdl/sdl_keys.h"

namespace {

TEST(SdlKeys, CommandKeysMapToTheirVirtualKeysWhateverTheShiftOrLock) {
  const std::pair<SDL_Keycode, std::uint32_t> commands[] = {
      {SDLK_TAB, kKeyTab}, {SDLK_ESCAPE, kKeyEscape}, {SDLK_LEFT, kKeyLeft},
      {SDLK_UP, kKeyUp},   {SDLK_RIGHT, kKeyRight},   {SDLK_DOWN, kKeyDown},
      {SDLK_a, kKeyA},     {SDLK_q, kKeyQ},           {SDLK_z, kKeyZ}};
  for (const auto& [key, virtualKey] : commands) {
    for (const std::uint16_t modifiers : {KMOD_NONE, KMOD_LSHIFT, KMOD_CAPS, KMOD_NUM, KMOD_CTRL}) {
      EXPECT_EQ(VirtualKeyOf(key, modifiers), virtualKey) << key << " with " << modifiers;
    }
  }
}

TEST(SdlKeys, AltKeysAndOtherKeysAreNoCommands) {
  for (const int alt : std::initializer_list<int>{KMOD_LALT, KMOD_RALT, KMOD_LALT | KMOD_LSHIFT}) {
    EXPECT_EQ(VirtualKeyOf(SDLK_a, static_cast<std::uint16_t>(alt)), 0u);
    EXPECT_EQ(VirtualKeyOf(SDLK_TAB, static_cast<std::uint16_t>(alt)),
              0u);  // Alt+Tab belongs to the desktop
    EXPECT_EQ(VirtualKeyOf(SDLK_ESCAPE, static_cast<std::uint16_t>(alt)), 0u);
  }
  for (const SDL_Keycode other : std::initializer_list<SDL_Keycode>{
           SDLK_b, SDLK_RETURN, SDLK_SPACE, SDLK_F4, SDLK_LSHIFT, SDLK_KP_4, 0x41}) {
    EXPECT_EQ(VirtualKeyOf(other, KMOD_NONE), 0u) << other;
  }
}

TEST(SdlKeys, AltEnterAndFToggleFullScreenButFWithAShortcutModifierDoesNot) {
  const std::tuple<SDL_Keycode, int, bool> presses[] = {
      {SDLK_RETURN, KMOD_LALT, true},  {SDLK_KP_ENTER, KMOD_RALT, true},
      {SDLK_RETURN, KMOD_NONE, false}, {SDLK_a, KMOD_LALT, false},
      {SDLK_f, KMOD_NONE, true},       {SDLK_f, KMOD_LSHIFT | KMOD_CAPS, true},
      {SDLK_f, KMOD_LCTRL, false},     {SDLK_f, KMOD_LALT, false},
      {SDLK_f, KMOD_LGUI, false},      {SDLK_g, KMOD_NONE, false}};
  for (const auto& [key, modifiers, toggles] : presses) {
    EXPECT_EQ(IsFullscreenToggle(key, static_cast<std::uint16_t>(modifiers)), toggles)
        << key << " with " << modifiers;
  }
  EXPECT_EQ(VirtualKeyOf(SDLK_f, KMOD_NONE), 0u) << "F is no command of the program";
}

TEST(SdlKeys, HWithoutCtrlAltOrSuperSwitchesThePicture) {
  EXPECT_TRUE(IsPictureToggle(SDLK_h, KMOD_NONE));
  EXPECT_TRUE(IsPictureToggle(SDLK_h, KMOD_LSHIFT));
  EXPECT_FALSE(IsPictureToggle(SDLK_h, KMOD_LCTRL));
  EXPECT_FALSE(IsPictureToggle(SDLK_h, KMOD_RALT));
  EXPECT_FALSE(IsPictureToggle(SDLK_g, KMOD_NONE));
  EXPECT_EQ(VirtualKeyOf(SDLK_h, KMOD_NONE), 0u) << "H is no command of the program";
}

}  // namespace
