// Readable names of keys for the "Key=" log line and the keyboard-and-mouse
// help window: "cr", "AltF4", "Ctrl^S".
#pragma once

#include <cstdint>

// Modifier flags of a key message.
constexpr uint32_t KEY_ALT = 0x80;
constexpr uint32_t KEY_SHIFT = 0x100;
constexpr uint32_t KEY_CTRL = 0x200;
// The code is one of the special-key codes (F1, cursor and editing keys),
// not a character.
constexpr uint32_t KEY_SPECIAL = 0x400;

// Special-key codes, as the window framework maps the virtual keys.
enum : uint16_t {
    kKeyF1 = 1, kKeyF7 = 7, kKeyF8 = 14, kKeyF12 = 18,
    kKeyLeft = 19, kKeyRight = 20, kKeyUp = 21, kKeyDown = 22,
    kKeyPageUp = 23, kKeyPageDown = 24, kKeyHome = 25, kKeyEnd = 28, kKeyInsert = 29, kKeyDelete = 30,
};

// "Alt", "Ctrl", "Shf" (Shift only for codes below 32), then the name of a
// code below 32 or the character itself; a temporary text, never null.
const char16_t *FormatKeyName(uint16_t code, uint32_t flags);
