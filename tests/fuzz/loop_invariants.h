// What must hold after every pass of the main loop, whatever the events were. Each check aborts
// with a message on the first broken invariant, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstddef>
#include <cstdint>

// The memory back buffer is surrounded by kGuardWords words of kGuardWord, and the words between
// the width and the pitch of every row hold it too. Its top byte is not 0, so it is no colour
// that any frame stores.
constexpr std::uint32_t kGuardWord = 0xA5C3F00D;
constexpr std::size_t kGuardWords = 1024;

// Aborts with `what` on stderr unless `holds`.
void Require(bool holds, const char* what);

// Cheap enough for every pass: the console slide's bounds, the pixel pointer null outside a lock,
// the guard words and row ends of the back buffer untouched, the top byte of both rings 0.
void CheckPassInvariants();

// Every IndexBuffer value is an index into the colour ring.
void CheckIndexField();

// Every pixel that ComposeFrame drew in this pass, and that the console's glow and panel did not
// draw over, is one of the visible ring's colours.
void CheckComposedRows();
