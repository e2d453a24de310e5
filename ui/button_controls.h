// Buttons bound to program variables: radio buttons (an int that takes the
// button's value), check boxes (bits of an int), push buttons, the help
// button (shows a help topic) and the font button (a font-table index
// chosen in the font dialog).  The "Base" classes hold the behaviour; the
// classes without it make the window-system calls.
#pragma once

#include <cstdint>

#include "ui/gui_control.h"

// Check boxes made without a variable share this word, one bit each.
extern int32_t gSharedCheckFlags;
// The bit the next such check box takes; back to 1 after bit 31 and
// whenever a check box is destroyed.
extern uint32_t gNextCheckBit;

class cRadioButtonBase : public cGuiControl {
public:
    // A null variable binds the button to a variable of its own.
    cRadioButtonBase(cMessageDvcBase *owner, uint32_t id, int32_t *variable, int32_t value);

    tStatus Open() override;
    // Checked while the variable holds this button's value.
    tStatus PrepareDraw() override;
    // A click stores the button's value (unless translate mode takes it)
    // and tells the event handler.
    tStatus OnCommand(sWinMessage &record) override;
    // "Radiobutton<id>=" 1 or 0.
    tStatus LogState() override;
    int32_t GetValueInt() override { return *variable; }
    // Stores the value and shows it; answers the previous variable.
    int32_t SetValueInt(int32_t newValue) override;

    int32_t GetButtonValue() const { return value; }

protected:
    virtual void ShowChecked(bool checked) = 0;

    int32_t value;
    int32_t *variable;

private:
    int32_t ownVariable = 0;
};

class cRadioButton : public cRadioButtonBase {
public:
    using cRadioButtonBase::cRadioButtonBase;

protected:
    void ShowChecked(bool checked) override;
};

class cCheckBoxBase : public cGuiControl {
public:
    // A null variable binds the box to gSharedCheckFlags with the next free
    // bit as its mask.
    cCheckBoxBase(cMessageDvcBase *owner, uint32_t id, int32_t *variable, int32_t mask);
    // Gives the bits out from 1 again.
    ~cCheckBoxBase() override;

    tStatus Open() override;
    tStatus PrepareDraw() override;
    // A click toggles the mask bits.
    tStatus OnCommand(sWinMessage &record) override;
    // "Checkbox<id>=" the variable's mask bits.
    tStatus LogState() override;
    // 1 when any mask bit is set.
    int32_t GetValueInt() override;
    // Sets (non-zero) or clears the mask bits; answers the previous variable.
    int32_t SetValueInt(int32_t flag) override;

    int32_t GetMask() const { return mask; }

protected:
    virtual void ShowChecked(bool checked) = 0;

    int32_t mask;
    int32_t *variable;
};

class cCheckBox : public cCheckBoxBase {
public:
    using cCheckBoxBase::cCheckBoxBase;

protected:
    void ShowChecked(bool checked) override;
};

class cPushButtonBase : public cGuiControl {
public:
    cPushButtonBase(cMessageDvcBase *owner, uint32_t id);

    tStatus Open() override;
    // A click (unless translate mode takes it): OnPress, the event handler,
    // then the press line "PushButton <text><id>" after the dialog's prefix.
    tStatus OnCommand(sWinMessage &record) override;
    // The button's text.
    const char16_t *GetValueText() override;
    const char16_t *SetValueText(const char16_t *text) override;

    virtual tStatus OnPress() { return RC_OK; }
};

class cPushButton : public cPushButtonBase {
public:
    using cPushButtonBase::cPushButtonBase;
};

class cHelpButtonBase : public cPushButtonBase {
public:
    cHelpButtonBase(cMessageDvcBase *owner, uint32_t id, uint32_t topic);
    // Closes the help that this button's window opened.
    ~cHelpButtonBase() override;

    // Shows the topic for the button's owner.
    tStatus OnPress() override;

    uint32_t GetTopic() const { return topic; }

protected:
    uint32_t topic;
};

class cHelpButton : public cHelpButtonBase {
public:
    using cHelpButtonBase::cHelpButtonBase;
};

class cFontButtonBase : public cPushButtonBase {
public:
    // A null variable binds the button to an index of its own.
    cFontButtonBase(cMessageDvcBase *owner, uint32_t id, uint16_t *variable);

    // The font dialog, starting from the variable's font; a new choice is
    // stored and its description goes to the buddy.
    tStatus OnPress() override;
    int32_t GetValueInt() override { return *variable; }
    // Stores without showing; answers the previous index.
    int32_t SetValueInt(int32_t value) override;
    // The font's description at 96 dots per inch.
    const char16_t *GetValueText() override;
    // Changes nothing.
    const char16_t *SetValueText(const char16_t *text) override;

protected:
    uint16_t *variable;

private:
    uint16_t ownVariable = 0;
};

class cFontButton : public cFontButtonBase {
public:
    using cFontButtonBase::cFontButtonBase;
};
