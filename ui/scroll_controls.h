// Scroll bars bound to an int between a minimum and a maximum.  The bar
// keeps its position (value - minimum); every scroll step stores the value
// at once, tells the event handler and the buddy (a label showing the
// value, a paged list).
#pragma once

#include <cstdint>

#include "ui/gui_control.h"

class cHorzScrollBase : public cGuiControl {
public:
    // A null variable binds the bar to a value of its own.
    cHorzScrollBase(cMessageDvcBase *owner, uint32_t id, int32_t *variable, int32_t minimum, int32_t maximum);

    // Also shows the value and tells the buddy the start value.
    tStatus Open() override;
    // The position follows the variable.
    tStatus PrepareDraw() override;
    tStatus ReleaseDraw() override;
    // Also the bar's arrows.
    uint8_t SetEnabled(uint8_t flag) override;
    // Scroll messages from this bar's own window move the position by the
    // scroll code; the position is clamped to the range, never wrapped.
    tStatus OnMessage(uint32_t message, sWinMessage &record) override;
    // "Scroller<id>=" and the position.
    tStatus LogState() override;
    int32_t GetValueInt() override { return minimum + position; }
    int32_t SetValueInt(int32_t value) override;

    int32_t GetPosition() const { return position; }
    int32_t GetMinimum() const { return minimum; }
    int32_t GetMaximum() const { return maximum; }

protected:
    // The vertical bar's constructor: its own style and keyword.
    cHorzScrollBase(cMessageDvcBase *owner, uint32_t id, int32_t *variable, int32_t minimum, int32_t maximum,
                    uint32_t style, const char16_t *keyword);

    // The scroll message that this bar's window sends its owner.
    virtual uint32_t ScrollMessage() const { return kMsgHScroll; }
    // The window-system side: range 0 to `range` with the position shown;
    // both arrows on or off.
    virtual void ShowPosition(int32_t range, int32_t shown) = 0;
    virtual void EnableArrows(bool on) = 0;

    int32_t *variable;
    int32_t position;
    int32_t minimum;
    int32_t maximum;

private:
    int32_t ownVariable = 0;
};

class cHorzScroll : public cHorzScrollBase {
public:
    using cHorzScrollBase::cHorzScrollBase;

protected:
    void ShowPosition(int32_t range, int32_t shown) override;
    void EnableArrows(bool on) override;
};

class cVertScrollBase : public cHorzScrollBase {
public:
    cVertScrollBase(cMessageDvcBase *owner, uint32_t id, int32_t *variable, int32_t minimum, int32_t maximum);

protected:
    uint32_t ScrollMessage() const override { return kMsgVScroll; }
};

class cVertScroll : public cVertScrollBase {
public:
    using cVertScrollBase::cVertScrollBase;

protected:
    void ShowPosition(int32_t range, int32_t shown) override;
    void EnableArrows(bool on) override;
};
