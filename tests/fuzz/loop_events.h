// The fuzz input as what the program's message loop meets: keys, clicks, frames and display
// answers, one event after another.
//
// Encoding. Each event starts with one byte b; some take the next bytes as arguments. An event
// whose argument bytes are missing ends the input.
//
//   b             event        arguments            meaning
//   0x00 … 0x7F   Frame        -                    one pass after a frame of b ms
//   0x80 … 0x8F   Keys         key code k           b − 0x7F key-downs of k (auto-repeat, 1 … 16);
//                                                   k = 0x1B is Escape instead
//   0x90 … 0x97   Click        -                    a left button press
//   0x98 … 0x9B   Frame        n                    one pass after a stall of 40 × n ms (0 …
//   10,200) 0x9C          Frame        lo, hi               one pass after a frame of
//                                                   (hi × 256 + lo) × 70,000 / 65,535 ms (0 …
//                                                   70,000)
//   0x9D … 0xA4   Absence      n, m                 n + 1 passes with the display away
//   (NotExclusive),
//                                                   m ms apart
//   0xA5 … 0xAC   RefusedLock  m                    one pass after a frame of m ms; the lock is
//   refused 0xAD … 0xB0   Pitch        p                    the back buffer's rows are 800 + p
//   pixels apart 0xB1          TickWrap     m                    the clock moves to m ms before its
//   2^32 wrap 0xB2 … 0xFF   Frame        -                    one pass after a frame of 16 ms (a 60
//   Hz display)
//
// Long frames are rare on purpose: a frame pays the colour ring one full pass per 2 ms of it, so a
// 70-second frame costs tens of thousands of ring passes. Keys and clicks are messages: they take
// no time, and several of them may come between two passes, as in a burst of waiting messages.
//
// Escape is what the window procedure does with Esc: it posts the quit message and hands the key to
// HandleKey (once per key-down); the loop then ends, so decoding stops there.
//
// tests/fuzz/make-corpus writes the seed corpus in this encoding.
#pragma once

#include <cstddef>
#include <cstdint>

enum class LoopEventKind {
  Frame,        // one pass of the loop after `value` ms
  Keys,         // `count` key-downs of virtual key `value`
  Click,        // a left button press: the visuals start
  Absence,      // `count` passes with the display away, `value` ms apart
  RefusedLock,  // one pass after `value` ms, whose back-buffer lock is refused
  Pitch,        // from now on the back buffer's rows are `value` pixels apart
  TickWrap,     // the clock moves to `value` ms before it wraps at 2^32
  Escape,       // `count` key-downs of Esc; the loop ends
};

struct LoopEvent {
  LoopEventKind kind;
  std::uint32_t value;  // milliseconds, a virtual-key code or a pitch, by kind
  std::uint32_t count;  // passes or key-downs; 1 where the kind has no count
};

// Where the decoder stands in the input.
struct LoopEventReader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t next = 0;  // index of the next unread byte
};

// Decodes the next event into `event`. False at the end of the input (or of a truncated event).
bool NextLoopEvent(LoopEventReader& reader, LoopEvent& event);
