#include "ui/text_controls.h"

#include <algorithm>

#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"

namespace {

constexpr uint32_t kTextInputStyle = 0x50800000;  // child, visible, border

const char16_t *StaticKeyword(int32_t centred) { return centred == 1 ? u"CENTERTEXT" : u"LEFTTEXT"; }

}  // namespace

// ---- Static text ------------------------------------------------------------

cStaticTextBase::cStaticTextBase(cMessageDvcBase *ownerWindow, uint32_t controlId, std::u16string *bound,
                                 int32_t centred)
    : cGuiControl(ownerWindow, controlId, static_cast<uint32_t>(centred), StaticKeyword(centred)),
      text(bound ? bound : &ownText) {
    logEnabled = 0;
}

tStatus cStaticTextBase::Open() {
    tStatus result = cGuiControl::Open();
    if (text->empty()) ReleaseDraw();
    PrepareDraw();
    CheckFont();
    return result;
}

tStatus cStaticTextBase::PrepareDraw() {
    if (!IsUp()) return RC_OK;
    cGuiControl::PrepareDraw();
    if (enabled) SetWindowTitle(text->c_str());
    return RC_OK;
}

tStatus cStaticTextBase::ReleaseDraw() {
    const char16_t *shown = GetWindowTitle();
    *text = shown ? shown : u"";
    return RC_OK;
}

tStatus cStaticTextBase::LogState() {
    return WriteLogPart(u"StaticText<" + FormatUnsigned(id) + u">='" + *text + u"'");
}

const char16_t *cStaticTextBase::GetValueText() { return TempStringOf(*text); }

const char16_t *cStaticTextBase::SetValueText(const char16_t *newText) {
    const char16_t *previous = TempStringOf(*text);
    *text = newText ? newText : u"";
    PrepareDraw();
    return previous;
}

// ---- Owner-drawn static -----------------------------------------------------

cStaticOwnerDrawBase::cStaticOwnerDrawBase(cMessageDvcBase *ownerWindow, uint32_t controlId, std::u16string *bound,
                                           int32_t centred)
    : cStaticTextBase(ownerWindow, controlId, bound, centred) {
    ownerDrawn = 1;
}

tStatus cStaticOwnerDrawBase::PrepareDraw() {
    if (!IsUp()) return RC_OK;
    return cGuiControlBase::PrepareDraw();
}

int32_t cStaticOwnerDrawBase::SetValueInt(int32_t newValue) {
    int32_t previous = value;
    value = newValue;
    RepaintArea();
    return previous;
}

tStatus cStaticOwnerDrawBase::RepaintArea() {
    if (!owner) return RC_FAIL;
    cRectangl *own = GetFrameRect();
    cRectangl *ownerFrame = owner->GetFrameRect();
    if (!own || !ownerFrame) return RC_FAIL;
    return owner->InvalidateArea(own->Left() - ownerFrame->Left(), own->Top() - ownerFrame->Top(), own->Width(),
                                 own->Height());
}

tStatus cStaticOwnerDrawBase::InvalidateArea(int32_t, int32_t, int32_t, int32_t) { return RepaintArea(); }

tStatus cStaticOwnerDrawBase::InvalidateAll() { return RepaintArea(); }

// ---- Text input -------------------------------------------------------------

cTextInputBase::cTextInputBase(cMessageDvcBase *ownerWindow, uint32_t controlId, std::u16string *bound,
                               int32_t limit)
    : cGuiControl(ownerWindow, controlId, kTextInputStyle, u"EDIT"),
      text(bound ? bound : &ownText),
      maxChars(std::max(limit, 0)) {}

tStatus cTextInputBase::Open() {
    tStatus result = cGuiControl::Open();
    CheckFont();
    return result;
}

tStatus cTextInputBase::PrepareDraw() {
    if (!IsUp()) return RC_OK;
    cGuiControl::PrepareDraw();
    if (enabled && !ShowText(*text) && gOpSys) gOpSys->ShowLastError(u"WinTextInputRefresh");
    return RC_OK;
}

tStatus cTextInputBase::ReleaseDraw() {
    if (IsUp()) *text = ReadText(maxChars);
    return RC_OK;
}

tStatus cTextInputBase::LogState() {
    const char16_t *font = cFontTable::GetDescription(GetFontIndex(), 96);
    return WriteLogPart(u"Text<" + FormatUnsigned(id) + u">='" + *text + u"'," + (font ? font : u""));
}

const char16_t *cTextInputBase::GetValueText() {
    ReleaseDraw();
    return TempStringOf(*text);
}

const char16_t *cTextInputBase::SetValueText(const char16_t *newText) {
    const char16_t *previous = TempStringOf(*text);
    *text = newText ? newText : u"";
    PrepareDraw();
    return previous;
}
