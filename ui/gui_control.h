// Child controls of dialogs and windows, each bound to one program variable.
// cGuiControlBase holds what every kind shares whatever the window system:
// the value as int or text, the buddy told about value changes, the hint,
// the translation keys and the log flag.  cGuiControl binds it to the
// control's window (the dialog item, or a window of its own in a viewport).
// The kinds live in ui/button_controls.h, ui/text_controls.h,
// ui/list_controls.h and ui/scroll_controls.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/message_dvc.h"

// The block of ids that the framework's own dialogs and the translatable
// labels of every dialog use: 0x6800 to 0x6FFF.
constexpr uint32_t kTranslatableIdBlock = 0x6800;
constexpr bool IsTranslatableId(uint32_t id) { return (id & ~0x7FFu) == kTranslatableIdBlock; }
// Translation keys name a control by the low eleven bits of its id.
constexpr uint32_t kControlKeyMask = 0x7FF;
// Event codes the controls send their window's event handler (the others
// are kDialogEventInit, kDialogEventClose and the scroll bars' codes).
constexpr int32_t kDialogEventClick = 0;   // radio button, check box, push button
constexpr int32_t kDialogEventSelect = 1;  // list and combo box
// A list or combo selection that selects no entry.
constexpr int32_t kNoSelection = 0xFFFF;

class cGuiControlBase : public cMessageDvc {
public:
    cGuiControlBase(cMessageDvcBase *owner, uint32_t id, uint32_t windowStyle, const char16_t *name);
    ~cGuiControlBase() override = default;

    // Re-applies the enabled flag; the kinds then show their value.
    tStatus PrepareDraw() override;
    // Attach, PrepareDraw (which shows nothing yet), then the message
    // device's open step.
    tStatus Open() override;
    // 0 when the screen point lies within 2 pixels of the control's client
    // area, RC_FAIL otherwise.
    tStatus HitTest(int32_t x, int32_t y) override;
    tStatus LogState() override { return RC_OK; }
    // WM_COMMAND of the control's id goes to OnCommand; WM_DRAWITEM of its
    // id to OnPaint when the control is owner-drawn.
    tStatus OnMessage(uint32_t message, sWinMessage &record) override;
    // The point is relative to the owner.
    tStatus OnMouseMove(int32_t x, int32_t y, sWinMessage &record) override;
    tStatus OnPaint(sWinMessage &) override { return MSG_NOT_HANDLED; }
    // "Dialog_<template>/<id & 0x7FF>_text", built from the owner's title
    // key; OK, Cancel and Help share "Dialog_ALL/OK_text" and so on.
    const char16_t *GetTextKey() override;
    // The text key with its last part replaced by "hint".
    const char16_t *GetHintKey() override;

    virtual uint8_t SetLogEnabled(uint8_t flag);
    virtual uint8_t IsLogEnabled();
    virtual uint16_t GetFontIndex();
    virtual uint16_t SetFontIndex(uint16_t index);
    // In debug mode a control whose font is not a wide outline font
    // switches to Arial; answers the font index in use.
    virtual uint16_t CheckFont();

    // The value as text or as int.  Every kind overrides the natural pair;
    // the others convert through it ("%i").  The Set operations answer the
    // previous value (texts as temporary strings).
    virtual const char16_t *GetValueText();
    virtual const char16_t *SetValueText(const char16_t *text);
    virtual int32_t GetValueInt();
    virtual int32_t SetValueInt(int32_t value);

    virtual bool HasSameId(const cGuiControlBase &other);
    virtual bool HasLowerId(const cGuiControlBase &other);

    // The buddy hears of this control's value changes.  A null control
    // keeps the buddy; answers the previous one.
    virtual cGuiControlBase *SetBuddy(cGuiControlBase *control);
    virtual cGuiControlBase *SetBuddyById(uint32_t id);
    // What a buddy receives; by default SetValueInt and SetValueText.
    virtual int32_t OnBuddyValue(int32_t value);
    virtual const char16_t *OnBuddyText(const char16_t *text);

    // A null hint is ignored.
    virtual tStatus SetHint(const char16_t *text);
    // The language file's hint and text of the control, where it has them.
    virtual tStatus TranslateHint();
    virtual tStatus TranslateText();
    virtual const char16_t *GetHint();
    virtual bool IsStaticText() { return false; }

    bool IsOwnerDrawn() const { return ownerDrawn != 0; }
    cGuiControlBase *GetBuddy() const { return buddy; }

protected:
    // True while the control is open: only then does it show or read its
    // window.
    bool IsUp() { return IsOpen() > 0; }
    // A line part of the closing log line, with the comma that separates it
    // from the previous part; RC_FAIL with the log flag cleared.
    tStatus WriteLogPart(const std::u16string &text);

    cGuiControlBase *buddy = nullptr;
    std::u16string hint;
    uint8_t logEnabled = 1;
    uint8_t ownerDrawn = 0;
    uint8_t listRefresh = 1;

private:
    // Which default conversions are running.
    enum : uint8_t { kGettingText = 1, kSettingText = 2, kGettingInt = 4, kSettingInt = 8 };
    uint8_t converting = 0;
};

class cGuiControl : public cGuiControlBase {
public:
    cGuiControl(cMessageDvcBase *owner, uint32_t id);
    cGuiControl(cMessageDvcBase *owner, uint32_t id, uint32_t windowStyle, const char16_t *name);
    ~cGuiControl() override;

    // Takes the window class from the kind keyword when none is set, opens,
    // then reads the client size and the window rectangle.
    tStatus Open() override;
    // The control's own window only, never the owner's.
    tWindowHandle GetWindowHandle() override;
    // In a dialog the control's window is the owner's dialog item.
    cMessageDvcBase *SetOwner(cMessageDvcBase *window) override;
    // The table index of the font the control's window uses (added to the
    // font table when new); kFontNone while closed or without a font.
    uint16_t GetFontIndex() override;
    uint16_t SetFontIndex(uint16_t index) override;
    const char16_t *GetWindowTitle() override;
    tStatus SetWindowTitle(const char16_t *text) override;

    // Makes the control's own window as a child of the owner's (controls of
    // windows that are not dialogs); RC_FAIL when the system refuses.
    virtual tStatus CreateControlWindow();

    const std::u16string &GetWindowClass() const { return windowClass; }

#if !defined(_WIN32)
    // Without a window system a control keeps what its window would show,
    // so that tests can play the user's part.
    struct sItemState {
        std::u16string text;
        uint32_t checked = 0;
        std::vector<std::u16string> entries;
        int32_t selection = -1;
        int32_t rangeMax = 0;
        int32_t position = 0;
        bool arrowsEnabled = true;
    };
    sItemState &Item() { return item; }
#endif

protected:
    std::u16string windowClass;
#if !defined(_WIN32)
    sItemState item;
#endif
};
