// Platform boundary: the two console logos, kept in off-screen display surfaces.
#pragma once

#include <cstdint>

// The logo pictures: bitmap resource 106 is the large one, 107 the small one.
enum class Logo { Large, Small };

constexpr std::int32_t kLargeLogoWidth = 166;
constexpr std::int32_t kLargeLogoHeight = 57;
constexpr std::int32_t kSmallLogoWidth = 200;
constexpr std::int32_t kSmallLogoHeight = 27;

// Creates both logo surfaces and copies the bitmaps into them. A surface that cannot be created
// stays null and is never filled or copied.
void CreateLogoSurfaces();

// Copies the whole logo onto the unlocked back buffer with its top-left corner at (x, y). Does
// nothing when the logo's surface does not exist. The copy does not clip: the caller keeps the
// rectangle on the screen.
void BlitLogo(Logo logo, std::int32_t x, std::int32_t y);
