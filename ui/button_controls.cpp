#include "ui/button_controls.h"

#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"
#include "ui/view_help.h"

int32_t gSharedCheckFlags = 0;
uint32_t gNextCheckBit = 1;

namespace {

constexpr uint32_t kRadioStyle = 0x50000029;     // child, visible, text left, auto radio button
constexpr uint32_t kCheckBoxStyle = 0x50000023;  // child, visible, text left, auto check box
constexpr uint32_t kPushButtonStyle = 0x50000000;

// The notification code of a WM_COMMAND record: 0 for a click.
uint32_t Notification(const sWinMessage &record) { return record.key >> 16; }

// The description of a table font at screen resolution; empty for an index
// outside the table.
const char16_t *FontText(uint16_t index) {
    const char16_t *text = cFontTable::GetDescription(index, 96);
    return text ? text : TempString(u"");
}

std::u16string IdPart(const char16_t *kind, uint32_t id) { return kind + (u"<" + FormatUnsigned(id) + u">="); }

}  // namespace

// ---- Radio button -----------------------------------------------------------

cRadioButtonBase::cRadioButtonBase(cMessageDvcBase *ownerWindow, uint32_t controlId, int32_t *bound,
                                   int32_t buttonValue)
    : cGuiControl(ownerWindow, controlId, kRadioStyle, u"RADIOBUTTON"),
      value(buttonValue),
      variable(bound ? bound : &ownVariable) {}

tStatus cRadioButtonBase::Open() {
    tStatus result = cGuiControl::Open();
    CheckFont();
    return result;
}

tStatus cRadioButtonBase::PrepareDraw() {
    if (!IsUp()) return RC_OK;
    cGuiControl::PrepareDraw();
    if (enabled) ShowChecked(*variable == value);
    return RC_OK;
}

tStatus cRadioButtonBase::OnCommand(sWinMessage &record) {
    if (Notification(record) != 0) return RC_OK;
    if (owner && owner->EditTranslation(this, record) >= 0) return RC_OK;
    *variable = value;
    if (owner) owner->CallEventHandler(id, kDialogEventClick);
    return RC_OK;
}

tStatus cRadioButtonBase::LogState() {
    return WriteLogPart(IdPart(u"Radiobutton", id) + (*variable == value ? u"1" : u"0"));
}

int32_t cRadioButtonBase::SetValueInt(int32_t newValue) {
    int32_t previous = *variable;
    *variable = newValue;
    PrepareDraw();
    return previous;
}

// ---- Check box --------------------------------------------------------------

cCheckBoxBase::cCheckBoxBase(cMessageDvcBase *ownerWindow, uint32_t controlId, int32_t *bound, int32_t bits)
    : cGuiControl(ownerWindow, controlId, kCheckBoxStyle, u"AUTOCHECKBOX"), mask(bits), variable(bound) {
    if (!variable) {
        variable = &gSharedCheckFlags;
        mask = static_cast<int32_t>(gNextCheckBit);
        gNextCheckBit <<= 1;
        if (gNextCheckBit == 0) gNextCheckBit = 1;
    }
}

cCheckBoxBase::~cCheckBoxBase() { gNextCheckBit = 1; }

tStatus cCheckBoxBase::Open() {
    tStatus result = cGuiControl::Open();
    CheckFont();
    return result;
}

tStatus cCheckBoxBase::PrepareDraw() {
    if (!IsUp()) return RC_OK;
    cGuiControl::PrepareDraw();
    if (enabled) ShowChecked((*variable & mask) != 0);
    return RC_OK;
}

tStatus cCheckBoxBase::OnCommand(sWinMessage &record) {
    if (Notification(record) != 0) return RC_OK;
    if (owner && owner->EditTranslation(this, record) >= 0) return RC_OK;
    *variable ^= mask;
    if (owner) owner->CallEventHandler(id, kDialogEventClick);
    return RC_OK;
}

tStatus cCheckBoxBase::LogState() { return WriteLogPart(IdPart(u"Checkbox", id) + FormatInt(*variable & mask)); }

int32_t cCheckBoxBase::GetValueInt() { return (*variable & mask) != 0 ? 1 : 0; }

int32_t cCheckBoxBase::SetValueInt(int32_t flag) {
    int32_t previous = *variable;
    *variable &= ~mask;
    if (flag) *variable |= mask;
    PrepareDraw();
    return previous;
}

// ---- Push button ------------------------------------------------------------

cPushButtonBase::cPushButtonBase(cMessageDvcBase *ownerWindow, uint32_t controlId)
    : cGuiControl(ownerWindow, controlId, kPushButtonStyle, u"PUSHBUTTON") {}

tStatus cPushButtonBase::Open() {
    tStatus result = cGuiControl::Open();
    CheckFont();
    return result;
}

tStatus cPushButtonBase::OnCommand(sWinMessage &record) {
    if (Notification(record) != 0) return RC_OK;
    if (owner && owner->EditTranslation(this, record) >= 0) return RC_OK;
    tStatus result = OnPress();
    if (owner) {
        owner->CallEventHandler(id, kDialogEventClick);
        owner->LogState();
    }
    if (gOpSys) {
        const char16_t *text = GetWindowTitle();
        gOpSys->Log().WriteString(u"PushButton " + std::u16string(text ? text : u"") + u"<" + FormatUnsigned(id) + u">",
                                  1);
    }
    return result;
}

const char16_t *cPushButtonBase::GetValueText() {
    const char16_t *text = GetWindowTitle();
    return TempString(text ? text : u"");
}

const char16_t *cPushButtonBase::SetValueText(const char16_t *text) {
    SetWindowTitle(text);
    return TempString(text ? text : u"");
}

// ---- Help button ------------------------------------------------------------

cHelpButtonBase::cHelpButtonBase(cMessageDvcBase *ownerWindow, uint32_t controlId, uint32_t helpTopic)
    : cPushButtonBase(ownerWindow, controlId), topic(helpTopic) {}

cHelpButtonBase::~cHelpButtonBase() {
    cViewHelp *viewer = gOpSys ? gOpSys->GetHelpViewer() : nullptr;
    if (viewer && owner && viewer->GetRecordedWindow() == owner) viewer->CloseHelp();
}

tStatus cHelpButtonBase::OnPress() {
    if (cViewHelp *viewer = gOpSys ? gOpSys->GetHelpViewer() : nullptr) viewer->ShowTopic(owner, topic);
    return RC_OK;
}

// ---- Font button ------------------------------------------------------------

cFontButtonBase::cFontButtonBase(cMessageDvcBase *ownerWindow, uint32_t controlId, uint16_t *bound)
    : cPushButtonBase(ownerWindow, controlId), variable(bound ? bound : &ownVariable) {}

tStatus cFontButtonBase::OnPress() {
    uint16_t chosen = owner ? owner->ChooseFontDialog(*variable) : ChooseFontDialog(*variable);
    if (chosen == kFontNone) return RC_OK;
    *variable = chosen;
    PrepareDraw();
    if (buddy) buddy->OnBuddyText(FontText(chosen));
    return RC_OK;
}

int32_t cFontButtonBase::SetValueInt(int32_t value) {
    int32_t previous = *variable;
    *variable = static_cast<uint16_t>(value);
    return previous;
}

const char16_t *cFontButtonBase::GetValueText() { return FontText(*variable); }

const char16_t *cFontButtonBase::SetValueText(const char16_t *) { return GetValueText(); }
