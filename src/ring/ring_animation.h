// The colour ring's animation: fade in toward the target, rotate, fade to black before the end of
// the play period.
#pragma once

#include <cstdint>

// Chooses the window from app.modelClockMs and app.playPeriodMs and takes as many steps as
// app.frameMs pays for, carrying the remainder into the next frame.
void AnimateColorRing();

// Moves every channel of every entry one unit toward the same channel of `target`.
void StepFadeToTarget(std::uint32_t* ring, const std::uint32_t* target);

// Lowers every non-zero channel of every entry by one.
void StepFadeToBlack(std::uint32_t* ring);

// Draws the three direction flips, then turns each channel's cycle by one entry in its direction.
// The ring's entries are 0x00RRGGBB: the vector paths that app.simdLevel may choose rebuild each
// entry from its neighbours' channels and leave the top byte 0.
void StepRotate(std::uint32_t* ring);
