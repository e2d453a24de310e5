#include "ui/gui_control.h"

#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"
#include "platform/translate_file.h"
#include "platform/version_word.h"
#include "ui/status_bar.h"

namespace {

// The key's text up to (not including) its last "_".
std::u16string BeforeLastUnderscore(const std::u16string &key) {
    size_t cut = key.rfind(u'_');
    return cut == std::u16string::npos ? key : key.substr(0, cut);
}

// OK, Cancel and Help share their keys across every dialog.
const char16_t *SharedKeyName(uint32_t maskedId) {
    switch (maskedId) {
    case 1: return u"ALL/OK";
    case 2: return u"ALL/CANCEL";
    case 9: return u"ALL/HELP";
    default: return nullptr;
    }
}

const char16_t *Translation(const char16_t *key) {
    if (!gOpSys || !key) return nullptr;
    return gOpSys->GetTranslateFile().GetValue(key);
}

}  // namespace

cGuiControlBase::cGuiControlBase(cMessageDvcBase *ownerWindow, uint32_t controlId, uint32_t style,
                                 const char16_t *keyword)
    : cMessageDvc(ownerWindow, controlId, style, keyword, 0) {}

tStatus cGuiControlBase::PrepareDraw() {
    SetEnabled(enabled);
    return RC_OK;
}

tStatus cGuiControlBase::Open() {
    Attach();
    PrepareDraw();
    return cMessageDvc::Open();
}

tStatus cGuiControlBase::HitTest(int32_t x, int32_t y) {
    if (y < deviceRect.Top() - 2) return RC_FAIL;
    if (y > deviceRect.Bottom() + 2) return RC_FAIL;
    if (x < deviceRect.Left() - 2) return RC_FAIL;
    if (x > deviceRect.Right() + 2) return RC_FAIL;
    return RC_OK;
}

tStatus cGuiControlBase::OnMessage(uint32_t message, sWinMessage &record) {
    if ((record.key & 0xFFFF) != (id & 0xFFFF)) return MSG_NOT_HANDLED;
    if (message == kMsgCommand) return OnCommand(record);
    if (message == kMsgDrawItem && ownerDrawn) return OnPaint(record);
    return MSG_NOT_HANDLED;
}

tStatus cGuiControlBase::OnMouseMove(int32_t x, int32_t y, sWinMessage &) {
    if (owner) {
        x += owner->GetScreenX();
        y += owner->GetScreenY();
    }
    if (HitTest(x, y) != RC_OK) return RC_OK;
    if (auto *bar = dynamic_cast<cStatusBarBase *>(GetStatusBar())) bar->SetHelpText(hint.c_str());
    return RC_OK;
}

const char16_t *cGuiControlBase::GetTextKey() {
    std::u16string ownerKey = owner ? owner->GetTextKey() : u"";
    uint32_t masked = id & kControlKeyMask;
    std::u16string key;
    if (const char16_t *shared = SharedKeyName(masked)) {
        size_t cut = ownerKey.find(u'_');
        key = (cut == std::u16string::npos ? ownerKey : ownerKey.substr(0, cut + 1)) + shared;
    } else {
        key = BeforeLastUnderscore(ownerKey) + u"/" + FormatUnsigned(masked);
    }
    return TempStringOf(key + u"_text");
}

const char16_t *cGuiControlBase::GetHintKey() {
    return TempStringOf(BeforeLastUnderscore(GetTextKey()) + u"_hint");
}

uint8_t cGuiControlBase::SetLogEnabled(uint8_t flag) {
    uint8_t previous = logEnabled;
    logEnabled = flag;
    return previous;
}

uint8_t cGuiControlBase::IsLogEnabled() { return logEnabled; }

uint16_t cGuiControlBase::GetFontIndex() { return kFontNone; }

uint16_t cGuiControlBase::SetFontIndex(uint16_t index) { return index; }

uint16_t cGuiControlBase::CheckFont() {
    uint16_t index = GetFontIndex();
    cGraphDvcFontBase *font = cFontTable::CheckIndex(index) >= 0 ? cFontTable::GetFont(index) : nullptr;
    if (font && !font->IsWideOutlineFont() && gProgramStatus.IsDebugMode())
        index = SetFontIndex(FindFont(u"Arial", -12, 0));
    return index;
}

// The defaults convert through each other; a control that overrides neither
// of a pair would call round for ever, so a default entered again while it
// runs answers an empty value.
const char16_t *cGuiControlBase::GetValueText() {
    if (converting & kGettingText) return TempString(u"");
    converting |= kGettingText;
    const char16_t *text = TempStringOf(FormatInt(GetValueInt()));
    converting &= ~kGettingText;
    return text;
}

const char16_t *cGuiControlBase::SetValueText(const char16_t *text) {
    const char16_t *previous = TempString(GetValueText());
    if (converting & kSettingText) return previous;
    converting |= kSettingText;
    SetValueInt(ParseLong(text ? text : u"", 10));
    converting &= ~kSettingText;
    return previous;
}

int32_t cGuiControlBase::GetValueInt() {
    if (converting & kGettingInt) return 0;
    converting |= kGettingInt;
    int32_t value = ParseLong(GetValueText(), 10);
    converting &= ~kGettingInt;
    return value;
}

int32_t cGuiControlBase::SetValueInt(int32_t value) {
    int32_t previous = GetValueInt();
    if (converting & kSettingInt) return previous;
    converting |= kSettingInt;
    SetValueText(TempStringOf(FormatInt(value)));
    converting &= ~kSettingInt;
    return previous;
}

bool cGuiControlBase::HasSameId(const cGuiControlBase &other) { return id == other.id; }

bool cGuiControlBase::HasLowerId(const cGuiControlBase &other) { return id < other.id; }

cGuiControlBase *cGuiControlBase::SetBuddy(cGuiControlBase *control) {
    cGuiControlBase *previous = buddy;
    if (control) buddy = control;
    return previous;
}

cGuiControlBase *cGuiControlBase::SetBuddyById(uint32_t buddyId) {
    return SetBuddy(owner ? owner->FindControl(buddyId) : nullptr);
}

int32_t cGuiControlBase::OnBuddyValue(int32_t value) { return SetValueInt(value); }

const char16_t *cGuiControlBase::OnBuddyText(const char16_t *text) { return SetValueText(text); }

tStatus cGuiControlBase::SetHint(const char16_t *text) {
    if (text) hint = text;
    return RC_OK;
}

tStatus cGuiControlBase::TranslateHint() {
    const char16_t *value = Translation(GetHintKey());
    if (!value) return RC_FAIL;
    return SetHint(value);
}

tStatus cGuiControlBase::TranslateText() {
    const char16_t *value = Translation(GetTextKey());
    if (!value) return RC_FAIL;
    return SetWindowTitle(value);
}

const char16_t *cGuiControlBase::GetHint() { return hint.c_str(); }

tStatus cGuiControlBase::WriteLogPart(const std::u16string &text) {
    if (!logEnabled) return RC_FAIL;
    if (!gOpSys) return RC_OK;
    cDebugLog &log = gOpSys->Log();
    return log.WriteString(log.GetCount() != 0 ? u"," + text : text, 0);
}

// ---- cGuiControl (the parts that need no window system) --------------------

cGuiControl::cGuiControl(cMessageDvcBase *ownerWindow, uint32_t controlId)
    : cGuiControlBase(ownerWindow, controlId, 0, nullptr) {}

cGuiControl::cGuiControl(cMessageDvcBase *ownerWindow, uint32_t controlId, uint32_t style, const char16_t *keyword)
    : cGuiControlBase(ownerWindow, controlId, style, keyword) {}
