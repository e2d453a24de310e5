#include "ui/key_mouse_window.h"

#include "foundation/char_string.h"
#include "platform/key_names.h"
#include "platform/op_sys_base.h"

namespace {

// Where the two pictures sit, in device pixels.
constexpr int32_t kKeyboardX = 0, kKeyboardY = 91;
constexpr int32_t kMouseX = 0, kMouseY = 0;
constexpr tColour kKeyFieldColour = 0x37FFFF;

// Scan codes of the modifier keys.
constexpr uint32_t kScanLeftShift = 0x2A, kScanRightShift = 0x36, kScanCtrl = 0x1D, kScanAlt = 0x38;
constexpr int32_t kVirtualLeftButton = 1, kVirtualRightButton = 2;

sKeyMouseDraw Bitmap(const char16_t *name, int32_t x, int32_t y, int32_t w, int32_t h, bool copy) {
    sKeyMouseDraw d;
    d.kind = sKeyMouseDraw::kBitmap;
    d.name = name;
    d.x = x, d.y = y, d.width = w, d.height = h;
    d.copyMode = copy;
    return d;
}

}  // namespace

const char16_t *MousePictureName(uint32_t buttons) {
    switch (buttons & 7) {
    case 0: return u"MouseBMap";
    case 1: return u"MouseLeftBMap";
    case 2: return u"MouseRightBMap";
    case 3: return u"MouseBothBMap";
    default: return u"MouseWheelBMap";
    }
}

std::vector<sKeyMouseDraw> KeyMousePaintPlan(const sKeyMouseState &state) {
    std::vector<sKeyMouseDraw> plan;
    const int32_t kx = kKeyboardX, ky = kKeyboardY;
    plan.push_back(Bitmap(u"KeyboardGray150BMap", kx, ky, 150, 75, false));
    plan.push_back(Bitmap(MousePictureName(state.buttons), kMouseX, kMouseY, 46, 86, false));
    if (state.shift || state.alt || state.ctrl || !state.keyText.empty()) {
        sKeyMouseDraw fill;
        fill.kind = sKeyMouseDraw::kFill;
        fill.x = kx + 5, fill.y = ky + 20, fill.width = 140, fill.height = 50;
        fill.colour = kKeyFieldColour;
        plan.push_back(fill);
    }
    if (state.shift)
        plan.push_back(Bitmap(u"KeyShiftBMap", 10, ky + 25, 86, 41, true));
    else if (state.alt)
        plan.push_back(Bitmap(u"KeyAltBMap", 32, ky + 25, 64, 41, true));
    else if (state.ctrl)
        plan.push_back(Bitmap(u"KeyCtrlBMap", 32, ky + 25, 64, 41, true));
    if (!state.keyText.empty()) {
        plan.push_back(Bitmap(u"KeyNoneBMap", 96, ky + 25, 44, 41, true));
        sKeyMouseDraw text;
        text.kind = sKeyMouseDraw::kText;
        text.name = state.keyText;
        text.x = 105, text.y = ky + 50;
        plan.push_back(text);
    }
    return plan;
}

cKeyMouseWin::cKeyMouseWin(cMessageDvcBase *parent, const char16_t *title)
    : cViewPort(parent, 0x948C0000, title ? title : u"Keyboard and Mouse") {
    fontIndex = FindFont(u"arial", -18, 0);
    SetFrameRect(800, 200, 205, 180);
}

tStatus cKeyMouseWin::InvalidateAll() {
    if (!windowHandle) return RC_OK;
    return cViewPort::InvalidateAll();
}

tStatus cKeyMouseWin::OnClose(sWinMessage &record) {
    tStatus result = cViewPort::OnClose(record);
    if (result >= 0 && gOpSys && gOpSys->GetKeyMouseWindow() == this) gOpSys->ShowKeyMouseHelp(nullptr, nullptr);
    return result;
}

tStatus cKeyMouseWin::OnPaint(sWinMessage &) {
    for (const sKeyMouseDraw &step : KeyMousePaintPlan(State())) {
        switch (step.kind) {
        case sKeyMouseDraw::kBitmap: {
            int32_t oldMode = step.copyMode ? SetBitmapMode(0) : 0;
            if (tBitmapHandle bitmap = LoadBitmapResource(step.name.c_str())) {
                DrawBitmap(bitmap, step.x, step.y, step.width, step.height);
                FreeBitmap(bitmap);
            }
            if (step.copyMode) SetBitmapMode(oldMode);
            break;
        }
        case sKeyMouseDraw::kFill: FillRect(step.x, step.y, step.width, step.height, step.colour); break;
        case sKeyMouseDraw::kText: {
            int32_t oldBackground = SetBackgroundMode(2);
            DrawTextAt(step.name.c_str(), step.x, step.y, fontIndex);
            SetBackgroundMode(oldBackground);
            break;
        }
        }
    }
    return RC_OK;
}

sKeyMouseState cKeyMouseWin::State() const {
    sKeyMouseState state;
    state.keyText = keyText;
    state.shift = shift != 0;
    state.alt = alt != 0;
    state.ctrl = ctrl != 0;
    state.buttons = buttons;
    return state;
}

const char16_t *cKeyMouseWin::SetKeyText(const char16_t *text) {
    const char16_t *old = TempStringOf(keyText);
    keyText = text ? text : u"";
    if (!keyText.empty()) InvalidateAll();
    return old;
}

const char16_t *cKeyMouseWin::GetKeyText() { return TempStringOf(keyText); }

uint16_t cKeyMouseWin::SetFontIndex(uint16_t index) {
    uint16_t old = fontIndex;
    fontIndex = index;
    InvalidateAll();
    return old;
}

uint16_t cKeyMouseWin::GetFontIndex() { return fontIndex; }

uint8_t cKeyMouseWin::SetStateByte(uint8_t value, uint8_t &stateByte) {
    uint8_t old = stateByte;
    stateByte = value;
    if (!keyText.empty() || value != 0) InvalidateAll();
    return old;
}

uint8_t cKeyMouseWin::SetShift(uint8_t value) { return SetStateByte(value, shift); }
uint8_t cKeyMouseWin::IsShift() { return shift; }
uint8_t cKeyMouseWin::SetAlt(uint8_t value) { return SetStateByte(value, alt); }
uint8_t cKeyMouseWin::IsAlt() { return alt; }
uint8_t cKeyMouseWin::SetCtrl(uint8_t value) { return SetStateByte(value, ctrl); }
uint8_t cKeyMouseWin::IsCtrl() { return ctrl; }

uint8_t cKeyMouseWin::SetButtonBits(uint8_t on, uint32_t bits) {
    uint32_t before = buttons;
    if (on) {
        if (!(bits & kKeyMouseWheel)) buttons &= ~kKeyMouseWheel;
        buttons |= bits;
    } else {
        buttons &= ~(bits | kKeyMouseWheel);
    }
    if ((before & bits) != (buttons & bits)) InvalidateAll();
    return (before & bits) != 0;
}

uint8_t cKeyMouseWin::SetLeftButton(uint8_t value) { return SetButtonBits(value, kKeyMouseLeft); }
uint8_t cKeyMouseWin::IsLeftButton() { return (buttons & kKeyMouseLeft) != 0; }
uint8_t cKeyMouseWin::SetRightButton(uint8_t value) { return SetButtonBits(value, kKeyMouseRight); }
uint8_t cKeyMouseWin::IsRightButton() { return (buttons & kKeyMouseRight) != 0; }
uint8_t cKeyMouseWin::SetWheel(uint8_t value) { return SetButtonBits(value, kKeyMouseWheel); }
uint8_t cKeyMouseWin::IsWheel() { return (buttons & kKeyMouseWheel) != 0; }

void cKeyMouseWin::FollowHardwareButton(uint32_t bit, int32_t virtualKey) {
    bool held = IsButtonHeld(virtualKey);
    if ((buttons & bit) && !held)
        SetButtonBits(0, bit);
    else if (!(buttons & bit) && held)
        SetButtonBits(1, bit);
}

void cKeyMouseWin::FollowKeyDown(const sWinMessage &record, uint32_t scan) {
    if (scan == kScanLeftShift || scan == kScanRightShift) SetShift(1);
    if (scan == kScanCtrl) SetCtrl(1);
    if (scan == kScanAlt) {
        SetAlt(1);
    } else {
        uint16_t key = record.KeyCode();
        uint32_t special = record.flags & KEY_SPECIAL;
        if (key != 0) {
            // Ctrl+S arrives as character 19 and is shown as the letter; a
            // special key (F1 is code 1) keeps its own name.
            if (key < 32 && ctrl && !special) key = static_cast<uint16_t>(key + 64);
            SetKeyText(FormatKeyName(key, special));
        }
    }
    buttons &= ~kKeyMouseWheel;
}

void cKeyMouseWin::FollowKeyUp(uint32_t scan) {
    if (scan == kScanLeftShift || scan == kScanRightShift)
        SetShift(0);
    else if (scan == kScanCtrl)
        SetCtrl(0);
    else if (scan == kScanAlt)
        SetAlt(0);
    else
        SetKeyText(u"");
}

tStatus cKeyMouseWin::OnInputEvent(const sWinMessage &record) {
    FollowHardwareButton(kKeyMouseLeft, kVirtualLeftButton);
    FollowHardwareButton(kKeyMouseRight, kVirtualRightButton);
    uint32_t scan = (static_cast<uint32_t>(record.lParam) >> 16) & 0x7F;
    switch (record.message) {
    case kMsgNcLeftDown:
    case kMsgLeftDown: SetLeftButton(1); break;
    case kMsgNcLeftUp:
    case kMsgLeftUp: SetLeftButton(0); break;
    case kMsgNcRightDown:
    case kMsgRightDown:
        SetRightButton(1);
        if (record.key & kMouseLeftButtonBit) SetLeftButton(1);
        break;
    case kMsgNcRightUp:
    case kMsgRightUp: SetRightButton(0); break;
    case kMsgKeyDown:
    case kMsgChar:
    case kMsgSysKeyDown: FollowKeyDown(record, scan); break;
    case kMsgKeyUp:
    case kMsgSysKeyUp: FollowKeyUp(scan); break;
    case kMsgCommand:
        SetAlt(0);
        InvalidateAll();
        break;
    case kMsgMouseMove: SetWheel(0); break;
    case kMsgMouseWheel: SetWheel(1); break;
    default: break;
    }
    return RC_OK;
}
