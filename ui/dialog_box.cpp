#include "ui/dialog_box.h"

#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"
#include "platform/translate_file.h"
#include "ui/status_bar.h"
#include "ui/text_controls.h"
#include "ui/view_port_top.h"

namespace {

uint32_t Notification(const sWinMessage &record) { return record.key >> 16; }

std::u16string Text(const char16_t *text) { return text ? text : u""; }

bool IsTranslateMode() { return gOpSys && gOpSys->IsTranslateMode(); }

// The editor's fields and their lengths.
constexpr uint32_t kEditTitle = 101;
constexpr uint32_t kEditItem = 102;
constexpr uint32_t kEditHint = 103;
constexpr int32_t kTitleChars = 50;
constexpr int32_t kItemChars = 250;
constexpr int32_t kHintChars = 50;

}  // namespace

cDialogBoxBase::cDialogBoxBase(cMessageDvcBase *ownerWindow, uint32_t templateId, uint32_t topic)
    : cMessageDvc(ownerWindow, templateId, 0, nullptr, topic) {}

cDialogBoxBase::~cDialogBoxBase() {
    if (openCount > 0) UnregisterWindow(this);
}

tStatus cDialogBoxBase::SetUp() {
    cMessageDvc::Open();
    Attach();
    tStatus result = InitControls();
    AdoptDialogItems();
    if (gOpSys)
        if (const char16_t *title = gOpSys->GetTranslateFile().GetValue(GetTextKey())) SetWindowTitle(title);
    for (size_t i = 0; i < controls->size(); ++i) {
        cGuiControl *control = (*controls)[i];
        if (!control) continue;
        control->TranslateText();
        control->TranslateHint();
    }
    // Translate mode makes every item clickable; labels that cannot be
    // translated are greyed, and a click on a disabled label reaches the
    // dialog, which opens the editor.
    if (IsTranslateMode() && !IsTranslatableId(id)) {
        for (size_t i = 0; i < controls->size(); ++i) {
            cGuiControl *control = (*controls)[i];
            if (!control) continue;
            bool grey = control->IsStaticText() && !IsTranslatableId(control->GetId());
            control->SetEnabled(grey ? 0 : 1);
        }
    }
    return result;
}

tStatus cDialogBoxBase::Close() {
    tStatus result = cMessageDvc::Close();
    ReleaseDraw();
    LogState();
    if (gOpSys) gOpSys->Log().SetCount(0);
    for (size_t i = 0; i < controls->size(); ++i)
        if (cGuiControl *control = (*controls)[i]) control->LogState();
    return result;
}

tStatus cDialogBoxBase::LogState() {
    if (!gOpSys) return RC_OK;
    return gOpSys->Log().WriteString(u"Dialog_" + Text(GetWindowTitle()) + u"<" + FormatUnsigned(id) + u">:", 0);
}

tStatus cDialogBoxBase::OnMessage(uint32_t message, sWinMessage &record) {
    switch (message) {
    case kMsgInitDialog: return SetUp();
    case kMsgCommand: return OnCommand(record);
    default: return cMessageDvc::OnMessage(message, record);
    }
}

tStatus cDialogBoxBase::OnCommand(sWinMessage &record) {
    // A click that the translation editor took is done: the editor has
    // already cancelled the dialog for the Cancel button, and OK only edits
    // its texts.
    translationRan = false;
    tStatus routed = cMessageDvc::OnMessage(kMsgCommand, record);
    if (translationRan) return routed;
    switch (record.key & 0xFFFF) {
    case kDialogOk: return OnOk(record);
    case kDialogCancel: return OnCancel(record);
    default: return routed;
    }
}

cGuiControl *cDialogBoxBase::ControlAt(int32_t x, int32_t y) {
    int32_t screenX = x + GetScreenX();
    int32_t screenY = y + GetScreenY();
    for (size_t i = 0; i < controls->size(); ++i) {
        cGuiControl *control = (*controls)[i];
        if (control && control->HitTest(screenX, screenY) == RC_OK) return control;
    }
    return nullptr;
}

tStatus cDialogBoxBase::OnLeftDown(int32_t x, int32_t y, sWinMessage &record) {
    if (cGuiControl *control = ControlAt(x, y)) EditTranslation(control, record);
    return RC_OK;
}

// The hint of the control under the mouse goes to the status bar (the
// dialog's own, else its owner's); off every control the help text empties.
tStatus cDialogBoxBase::OnMouseMove(int32_t x, int32_t y, sWinMessage &) {
    cGuiControl *control = ControlAt(x, y);
    if (auto *bar = dynamic_cast<cStatusBarBase *>(GetStatusBar())) bar->SetHelpText(control ? control->GetHint() : u"");
    return RC_OK;
}

tStatus cDialogBoxBase::EditTranslation(cGuiControl *control, sWinMessage &record) {
    if (!control || !IsTranslateMode() || IsTranslatableId(id)) return RC_FAIL;
    cViewPortTop *main = gOpSys->GetMainWindow();
    cDialogBox *editor = main ? main->NewDialogBox(kTranslateDialogItemId, 0) : nullptr;
    if (!editor) return RC_FAIL;
    translationRan = true;

    uint32_t masked = control->GetId() & kControlKeyMask;
    bool shared = masked == kDialogOk || masked == kDialogCancel || masked == kDialogHelp;
    bool translatable = shared || IsTranslatableId(control->GetId());
    if (shared) control->CheckFont();

    std::u16string title = Text(GetWindowTitle());
    std::u16string item = translatable ? Text(control->GetWindowTitle()) : u"";
    std::u16string hintText = Text(control->GetHint());
    editor->NewTextInput(kEditTitle, &title, kTitleChars);
    editor->NewTextInput(kEditItem, &item, kItemChars);
    editor->NewTextInput(kEditHint, &hintText, kHintChars);
    if (!translatable) editor->DisableControl(kEditItem);
    if (control->IsStaticText()) editor->DisableControl(kEditHint);
    if (editor->Open() == RC_OK) {
        SetWindowTitle(title.c_str());
        if (translatable) control->SetWindowTitle(item.c_str());
        control->SetHint(hintText.c_str());
        cOpSysBase::cTranslateFile &file = gOpSys->GetTranslateFile();
        file.SetOrRemove(GetTextKey(), title.c_str());
        if (translatable) file.SetOrRemove(control->GetTextKey(), item.c_str());
        file.SetOrRemove(control->GetHintKey(), hintText.c_str());
    }
    delete editor;
    if (masked == kDialogCancel) return OnCancel(record);
    return RC_OK;
}

const char16_t *cDialogBoxBase::GetTextKey() { return TempStringOf(u"Dialog_" + FormatUnsigned(id) + u"_text"); }

const char16_t *cDialogBoxBase::GetHintKey() { return TempStringOf(u"Dialog_" + FormatUnsigned(id) + u"_hint"); }

tStatus cDialogBoxBase::AcceptClick(sWinMessage &record) { return Notification(record) == 0 ? RC_OK : RC_FAIL; }

uint32_t cDialogBoxBase::SetBusy(uint32_t flag) {
    uint32_t previous = busy;
    busy = flag;
    return previous;
}

tStatus cDialogBoxBase::Finish(sWinMessage &record, const char16_t *tag) {
    if (AcceptClick(record) < 0) return RC_FAIL;
    if (eventHandler && CallEventHandler(id, kDialogEventClose) < 0) return RC_FAIL;
    if (ReleaseDraw() < 0) return RC_FAIL;
    if (busy) return RC_FAIL;
    Close();
    if (gOpSys) gOpSys->Log().WriteString(tag, 1);
    return RC_OK;
}

tStatus cDialogBoxBase::OnOk(sWinMessage &record) { return Finish(record, u"<OK>"); }

tStatus cDialogBoxBase::OnCancel(sWinMessage &record) { return Finish(record, u"<Cancel>"); }

// ---- Dialogs and controls of viewports --------------------------------------

cDialogBox::cDialogBox(cMessageDvcBase *ownerWindow, uint32_t templateId, uint32_t topic)
    : cDialogBoxBase(ownerWindow, templateId, topic) {}

cDialogBox::~cDialogBox() = default;

cDialogBox *cViewPortBase::NewDialogBox(uint32_t, uint32_t) { return nullptr; }

cDialogBox *cViewPort::NewDialogBox(uint32_t templateId, uint32_t topic) {
    return new cDialogBox(this, templateId, topic);
}

tStatus cViewPort::RealizeControl(cGuiControl *control) { return control ? control->CreateControlWindow() : RC_FAIL; }

// The run ends with 1 for OK and 2 for Cancel once the dialog lets them close it.
tStatus cDialogBox::OnOk(sWinMessage &record) {
    tStatus result = cDialogBoxBase::OnOk(record);
    if (result >= 0) EndRun(1);
    return result;
}

tStatus cDialogBox::OnCancel(sWinMessage &record) {
    tStatus result = cDialogBoxBase::OnCancel(record);
    if (result >= 0) EndRun(2);
    return result;
}

tStatus cDialogBox::OnMessage(uint32_t message, sWinMessage &record) {
    if (message != kMsgDrawItem) return cDialogBoxBase::OnMessage(message, record);
    cGuiControl *control = FindControl(record.key & 0xFFFF);
    sDeviceBox area;
    if (!control || !control->IsOwnerDrawn() || control->BeginItemPaint(record.lParam, area) != RC_OK)
        return cDialogBoxBase::OnMessage(message, record);
    // The control paints on the item's context, in the item's rectangle.
    // Only the drawing device is prepared around it: the controls' own
    // prepare and release would show every variable again and store it
    // back, wiping what the user typed since the dialog opened.
    record.lParam = reinterpret_cast<tLParam>(&area);
    cGraphDvc::PrepareDraw();
    tStatus result = cDialogBoxBase::OnMessage(message, record);
    cGraphDvc::ReleaseDraw();
    control->EndItemPaint();
    return result;
}
