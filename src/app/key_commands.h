// The keyboard commands.
#pragma once

#include <cstdint>

// Virtual-key codes of the commands (the same values as the platform's VK_ codes).
constexpr std::uint32_t kKeyTab = 0x09;
constexpr std::uint32_t kKeyEscape = 0x1B;
constexpr std::uint32_t kKeyLeft = 0x25;
constexpr std::uint32_t kKeyUp = 0x26;
constexpr std::uint32_t kKeyRight = 0x27;
constexpr std::uint32_t kKeyDown = 0x28;
constexpr std::uint32_t kKeyA = 0x41;
constexpr std::uint32_t kKeyQ = 0x51;
constexpr std::uint32_t kKeyZ = 0x5A;

// Runs the command of one key-down (auto-repeats included). Every other key, Esc included, does
// nothing here; nothing at all happens before the scene is prepared.
void HandleKey(std::uint32_t virtualKey);
