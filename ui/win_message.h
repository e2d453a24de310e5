// The record every window message travels in, with keyboard messages
// normalised to the program's own key codes.
#pragma once

#include <cstdint>

#include "platform/key_names.h"
#include "platform/os_handles.h"

// The system's message record; only the _win files know its fields.
struct tagMSG;

// Flag bits of sWinMessage::flags.
constexpr uint32_t kKeyFlagAlt = 0x80;
constexpr uint32_t kKeyFlagShift = 0x100;
constexpr uint32_t kKeyFlagCtrl = 0x200;
constexpr uint32_t kKeyFlagSpecial = 0x400;

// The internal codes of the special keys (kKeyF1 ...) are those of the key
// names (platform/key_names.h).  With kKeyFlagSpecial they name the key;
// without it the same numbers are control characters from WM_CHAR.

// The internal code of a virtual key, 0 for keys without one.
uint16_t SpecialKeyCode(uint32_t virtualKey);

struct sWinMessage {
    uint32_t message = 0;
    // wParam; after normalising a key message its low 16 bits are the
    // character or the internal key code.
    uint32_t key = 0;
    // lParam; the viewport may point it at a device rectangle while painting.
    // Kept pointer-sized so that it can carry an address in a 64-bit build.
    tLParam lParam = 0;
    uint32_t flags = 0;

    sWinMessage() = default;
    sWinMessage(uint32_t message, tWParam wParam, tLParam lParam);

    void Clear();
    void Set(uint32_t message, tWParam wParam, tLParam lParam);
    void Assign(const tagMSG &msg);
    uint16_t Normalize();
    uint16_t KeyCode() const { return static_cast<uint16_t>(key); }
};

// The flag of a WM_MENUSELECT record (high word of wParam) that marks a
// popup item (MF_POPUP).
constexpr uint32_t kMenuFlagPopup = 0x10;

// The item of a WM_MENUSELECT record: the command id, or for a popup item
// the handle of its sub-menu.
uintptr_t GetMenuSelectItem(const sWinMessage &record);
