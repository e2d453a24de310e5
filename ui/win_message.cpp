#include "ui/win_message.h"

namespace {

constexpr uint32_t kMsgKeyDown = 0x100;
constexpr uint32_t kMsgChar = 0x102;
constexpr uint32_t kMsgSysKeyDown = 0x104;
constexpr uint32_t kAltContextBit = 1u << 29;
constexpr uint32_t kAltScanCode = 0x38;

}  // namespace

uint16_t SpecialKeyCode(uint32_t vk) {
    if (vk >= 0x70 && vk <= 0x76) return static_cast<uint16_t>(vk - 0x70 + kKeyF1);  // F1..F7
    if (vk >= 0x77 && vk <= 0x7B) return static_cast<uint16_t>(vk - 0x77 + kKeyF8);  // F8..F12
    switch (vk) {
    case 0x25: return kKeyLeft;
    case 0x27: return kKeyRight;
    case 0x26: return kKeyUp;
    case 0x28: return kKeyDown;
    case 0x21: return kKeyPageUp;
    case 0x22: return kKeyPageDown;
    case 0x24: return kKeyHome;
    case 0x23: return kKeyEnd;
    case 0x2D: return kKeyInsert;
    case 0x2E: return kKeyDelete;
    default: return 0;
    }
}

sWinMessage::sWinMessage(uint32_t msg, tWParam wParam, tLParam lp)
    : message(msg), key(static_cast<uint32_t>(wParam)), lParam(lp), flags(0) {
    Normalize();
}

void sWinMessage::Clear() {
    message = 0;
    key = 0;
    lParam = 0;
    flags = 0;
}

void sWinMessage::Set(uint32_t msg, tWParam wParam, tLParam lp) {
    message = msg;
    key = static_cast<uint32_t>(wParam);
    lParam = lp;
    Normalize();
}

uint16_t sWinMessage::Normalize() {
    flags = 0;
    if (message != kMsgKeyDown && message != kMsgChar && message != kMsgSysKeyDown) return 0;
    uint32_t bits = static_cast<uint32_t>(lParam);
    if (bits & kAltContextBit) {
        flags |= kKeyFlagAlt;
        if (((bits >> 16) & 0x7F) == kAltScanCode) key = 0;
    }
    if (message != kMsgChar) {
        key = SpecialKeyCode(key);
        if (key != 0) flags |= kKeyFlagSpecial;
    }
    return static_cast<uint16_t>(key);
}
