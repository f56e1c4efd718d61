// Doubles of the Windows layer for native tests: a memory back buffer, a settable clock, a
// recorder of text output and of logo copies. Each records the platform calls in order, so tests
// can check whole frames and key sequences.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/logo_surfaces.h"
#include "platform/text_output.h"

namespace doubles {

// The back buffer and the display state that CheckDisplay reports.
struct DisplayDouble {
  std::vector<std::uint32_t> memory;  // guard words, pitchPixels x screenHeight pixels, guard words
  std::size_t guardWords = 0;         // words before the first row and after the last one
  std::int32_t pitchPixels = 800;     // row length the lock reports
  std::deque<DisplayCheck> checks;    // next answers of BeginFrame; Ready once empty
  bool lockFails = false;             // LockBackBuffer refuses
  bool locked = false;                // between LockBackBuffer and UnlockBackBuffer
  bool dcHeld = false;                // between GetBackBufferDc and ReleaseBackBufferDc
  std::vector<std::string> calls;     // every display and clock call, in order
  std::vector<std::uint32_t> picture;  // a picture of another size than the classic, if not empty
  std::int32_t pictureWidth = 0;       // its size; the back buffer is then the console layer
  std::int32_t pictureHeight = 0;
  std::vector<FrameView> morePictures;  // pictures 1, 2, ... of the frame, in memory of the test's
};

// One text drawn with PutText, with the device-context state it was drawn in.
struct TextCall {
  std::int32_t x;
  std::int32_t y;
  std::string text;
  std::uint32_t ink;
  TextAnchor anchor;
};

// What MeasureText answers for each letter of a text.
constexpr std::int32_t kRecordedLetterWidth = 6;

struct TextRecorder {
  std::vector<TextCall> texts;  // every PutText since the last reset
  std::uint32_t ink = 0;        // current ink of the device context
  TextAnchor anchor = TextAnchor::Left;
  bool fontSelected = false;  // between BeginText and EndText
  bool transparent = false;   // BeginText set transparent mode since the DC was taken
};

struct LogoBlit {
  Logo logo;
  std::int32_t x;
  std::int32_t y;
};

struct LogoRecorder {
  std::int32_t createCalls = 0;  // CreateLogoSurfaces calls
  std::vector<LogoBlit> blits;   // BlitLogo calls
};

extern DisplayDouble display;
extern TextRecorder text;
extern LogoRecorder logos;
extern std::uint32_t clockTicks;  // what GetTicks answers

// Back to a fresh, unlocked display of the given pitch, filled with `fill` (the guard words too);
// clears every record.
void ResetDoubles(std::int32_t pitchPixels = 800, std::uint32_t fill = 0xDEADBEEF,
                  std::size_t guardWords = 0);

// Pixel (x, y) of the memory back buffer.
std::uint32_t PixelAt(std::int32_t x, std::int32_t y);

}  // namespace doubles
