// The keyboard-and-mouse help window: a small floating window that shows,
// with pictures, which modifier keys and mouse buttons are down and the name
// of the last key.  The operating-system object makes and deletes it and
// feeds it input from the message loop, the window procedure (WM_CHAR) and
// the dialog procedure (every message).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/view_port.h"

// Button bits of the window.
constexpr uint32_t kKeyMouseLeft = 1;
constexpr uint32_t kKeyMouseRight = 2;
constexpr uint32_t kKeyMouseWheel = 4;

// What the window shows.
struct sKeyMouseState {
    std::u16string keyText;
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
    uint32_t buttons = 0;
};

// One step of painting the window, in device pixels.
struct sKeyMouseDraw {
    enum Kind { kBitmap, kFill, kText };
    Kind kind = kBitmap;
    std::u16string name;  // bitmap resource, or the text to draw
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool copyMode = false;  // the bitmap is copied (bitmap mode 0), not combined
    tColour colour = 0;
};

// The picture of the mouse for the button bits (left, right, both, wheel).
const char16_t *MousePictureName(uint32_t buttons);
// Everything the window paints for a state, in order: keyboard, mouse, the
// yellow key field when a key or modifier shows, the modifier (Shift before
// Alt before Ctrl), the key cap and the key's name.
std::vector<sKeyMouseDraw> KeyMousePaintPlan(const sKeyMouseState &state);

class cKeyMouseWin : public cViewPort {
public:
    // A popup of the parent window, "Keyboard and Mouse" without a title.
    cKeyMouseWin(cMessageDvcBase *parent, const char16_t *title);

    // Repaints only when its window exists.
    tStatus InvalidateAll() override;
    // The window is destroyed, then the operating-system object deletes this
    // object: nothing may touch it after the call.
    tStatus OnClose(sWinMessage &record) override;
    tStatus OnPaint(sWinMessage &record) override;

    // Answers the old text as a temporary string; repaints for a text that
    // is not empty.
    virtual const char16_t *SetKeyText(const char16_t *text);
    virtual const char16_t *GetKeyText();
    virtual uint16_t SetFontIndex(uint16_t index);
    virtual uint16_t GetFontIndex();
    // Follows one message: buttons (checked against the hardware), the
    // wheel, the modifiers and the last key.  Answers 0.
    virtual tStatus OnInputEvent(const sWinMessage &record);
    // Stores a state byte, answers its old value; repaints when a key shows
    // or the value is set.
    virtual uint8_t SetStateByte(uint8_t value, uint8_t &stateByte);
    virtual uint8_t SetShift(uint8_t value);
    virtual uint8_t IsShift();
    virtual uint8_t SetAlt(uint8_t value);
    virtual uint8_t IsAlt();
    virtual uint8_t SetCtrl(uint8_t value);
    virtual uint8_t IsCtrl();
    // Sets or clears button bits (setting a button ends the wheel state);
    // repaints when they changed; answers whether any of them was set.
    virtual uint8_t SetButtonBits(uint8_t on, uint32_t bits);
    virtual uint8_t SetLeftButton(uint8_t value);
    virtual uint8_t IsLeftButton();
    virtual uint8_t SetRightButton(uint8_t value);
    virtual uint8_t IsRightButton();
    virtual uint8_t SetWheel(uint8_t value);
    virtual uint8_t IsWheel();

    sKeyMouseState State() const;

protected:
    // Whether the hardware reports the mouse button (VK_LBUTTON 1,
    // VK_RBUTTON 2) down or pressed since the last look.
    virtual bool IsButtonHeld(int32_t virtualKey);

private:
    void FollowHardwareButton(uint32_t bit, int32_t virtualKey);
    void FollowKeyDown(const sWinMessage &record, uint32_t scan);
    void FollowKeyUp(uint32_t scan);

    std::u16string keyText;
    uint16_t fontIndex;
    uint8_t shift = 0;
    uint8_t alt = 0;
    uint8_t ctrl = 0;
    uint32_t buttons = 0;
};
