// Controls that show or edit a text: the static text (a label bound to a
// wide string, or to a text of its own), the owner-drawn static that a
// derived class paints, and the one-line text input with a maximum length.
#pragma once

#include <cstdint>
#include <string>

#include "ui/gui_control.h"

class cStaticTextBase : public cGuiControl {
public:
    // A null text binds the label to a text of its own.  Centred 1 or left 0.
    cStaticTextBase(cMessageDvcBase *owner, uint32_t id, std::u16string *text, int32_t centred);

    // An empty bound text first takes the dialog item's text.
    tStatus Open() override;
    // Shows the bound text.
    tStatus PrepareDraw() override;
    // The bound text becomes the window's text.
    tStatus ReleaseDraw() override;
    // "StaticText<id>='text'"; labels are not logged unless asked to be.
    tStatus LogState() override;
    const char16_t *GetValueText() override;
    const char16_t *SetValueText(const char16_t *text) override;
    bool IsStaticText() override { return true; }

    const std::u16string &GetText() const { return *text; }

protected:
    std::u16string ownText;
    std::u16string *text;
};

class cStaticText : public cStaticTextBase {
public:
    using cStaticTextBase::cStaticTextBase;
};

// A static item that shows nothing itself: the dialog hands it WM_DRAWITEM
// (OnPaint) with the item's rectangle and drawing context set.
class cStaticOwnerDrawBase : public cStaticTextBase {
public:
    cStaticOwnerDrawBase(cMessageDvcBase *owner, uint32_t id, std::u16string *text, int32_t centred);

    // Only the enabled flag; the owner's painting shows the value.
    tStatus PrepareDraw() override;
    tStatus ReleaseDraw() override { return RC_OK; }
    // Stores the value and has the owner repaint the control's area;
    // answers the previous value.  GetValueInt stays the text read as a
    // number.
    int32_t SetValueInt(int32_t newValue) override;
    tStatus InvalidateArea(int32_t x, int32_t y, int32_t w, int32_t h) override;
    tStatus InvalidateAll() override;

    int32_t GetDrawValue() const { return value; }

protected:
    // The owner repaints the control's frame, taken relative to its own.
    tStatus RepaintArea();

    int32_t value = 0;
};

class cStaticOwnerDraw : public cStaticOwnerDrawBase {
public:
    using cStaticOwnerDrawBase::cStaticOwnerDrawBase;
};

class cTextInputBase : public cGuiControl {
public:
    // A null text binds the field to a text of its own.
    cTextInputBase(cMessageDvcBase *owner, uint32_t id, std::u16string *text, int32_t maxChars);

    tStatus Open() override;
    // Shows the text; a refusal is reported as "WinTextInputRefresh".
    tStatus PrepareDraw() override;
    // Stores at most the maximum length of the field's text.
    tStatus ReleaseDraw() override;
    // "Text<id>='text'," and the description of the field's font.
    tStatus LogState() override;
    const char16_t *GetValueText() override;
    const char16_t *SetValueText(const char16_t *newText) override;

    int32_t GetMaxChars() const { return maxChars; }

protected:
    // The window-system side: shows a text (false when refused); reads at
    // most `limit` characters.
    virtual bool ShowText(const std::u16string &shown) = 0;
    virtual std::u16string ReadText(int32_t limit) = 0;

    std::u16string *text;
    int32_t maxChars;

private:
    std::u16string ownText;
};

class cTextInput : public cTextInputBase {
public:
    using cTextInputBase::cTextInputBase;

protected:
    bool ShowText(const std::u16string &shown) override;
    std::u16string ReadText(int32_t limit) override;
};
