// The control operations of every window and dialog: the factories of the
// control kinds, access to controls by id, and the default controls that
// the items of a dialog template get.
#include "ui/button_controls.h"
#include "ui/list_controls.h"
#include "ui/message_dvc.h"
#include "ui/scroll_controls.h"
#include "ui/text_controls.h"

namespace {

template <class T>
T *Added(cMessageDvcBase &window, T *control) {
    window.AddControl(control);
    return control;
}

sListEntries FromArray(const char16_t *const *entries) {
    sListEntries source;
    source.array = entries;
    return source;
}

sListEntries FromIndirect(const char16_t *const *const *entries) {
    sListEntries source;
    source.indirect = entries;
    return source;
}

sListEntries FromList(cStringArray *entries) {
    sListEntries source;
    source.list = entries;
    return source;
}

}  // namespace

uint16_t cMessageDvcBase::ChooseFontDialog(uint16_t index) {
    return owner ? owner->ChooseFontDialog(index) : cGraphDvc::ChooseFontDialog(index);
}

cRadioButton *cMessageDvcBase::NewRadioButton(uint32_t controlId, int32_t *variable, int32_t value) {
    return Added(*this, new cRadioButton(this, controlId, variable, value));
}

cCheckBox *cMessageDvcBase::NewCheckBox(uint32_t controlId, int32_t *variable, int32_t mask) {
    return Added(*this, new cCheckBox(this, controlId, variable, mask));
}

cStaticText *cMessageDvcBase::NewStaticText(uint32_t controlId, std::u16string *text, int32_t centred) {
    return Added(*this, new cStaticText(this, controlId, text, centred));
}

cPushButton *cMessageDvcBase::NewPushButton(uint32_t controlId) {
    return Added(*this, new cPushButton(this, controlId));
}

cHelpButton *cMessageDvcBase::NewHelpButton(uint32_t controlId, uint32_t topic) {
    return Added(*this, new cHelpButton(this, controlId, topic));
}

cFontButton *cMessageDvcBase::NewFontButton(uint32_t controlId, uint16_t *fontIndex) {
    return Added(*this, new cFontButton(this, controlId, fontIndex));
}

cTextInput *cMessageDvcBase::NewTextInput(uint32_t controlId, std::u16string *text, int32_t maxChars) {
    return Added(*this, new cTextInput(this, controlId, text, maxChars));
}

cListBox *cMessageDvcBase::NewListBox(uint32_t controlId, const char16_t *const *entries, int32_t *selection,
                                      int32_t pageSize) {
    return Added(*this, new cListBox(this, controlId, FromArray(entries), selection, pageSize));
}

cListBox *cMessageDvcBase::NewListBoxIndirect(uint32_t controlId, const char16_t *const *const *entries,
                                              int32_t *selection, int32_t pageSize) {
    return Added(*this, new cListBox(this, controlId, FromIndirect(entries), selection, pageSize));
}

cListBox *cMessageDvcBase::NewListBoxFromList(uint32_t controlId, cStringArray *entries, int32_t *selection,
                                              int32_t pageSize) {
    return Added(*this, new cListBox(this, controlId, FromList(entries), selection, pageSize));
}

cComboBox *cMessageDvcBase::NewComboBox(uint32_t controlId, const char16_t *const *entries, int32_t *selection,
                                        int32_t pageSize) {
    return Added(*this, new cComboBox(this, controlId, FromArray(entries), selection, pageSize));
}

cComboBox *cMessageDvcBase::NewComboBoxIndirect(uint32_t controlId, const char16_t *const *const *entries,
                                                int32_t *selection, int32_t pageSize) {
    return Added(*this, new cComboBox(this, controlId, FromIndirect(entries), selection, pageSize));
}

cComboBox *cMessageDvcBase::NewComboBoxFromList(uint32_t controlId, cStringArray *entries, int32_t *selection,
                                                int32_t pageSize) {
    return Added(*this, new cComboBox(this, controlId, FromList(entries), selection, pageSize));
}

cHorzScroll *cMessageDvcBase::NewHorzScroll(uint32_t controlId, int32_t *variable, int32_t minimum,
                                            int32_t maximum) {
    return Added(*this, new cHorzScroll(this, controlId, variable, minimum, maximum));
}

cVertScroll *cMessageDvcBase::NewVertScroll(uint32_t controlId, int32_t *variable, int32_t minimum,
                                            int32_t maximum) {
    return Added(*this, new cVertScroll(this, controlId, variable, minimum, maximum));
}

cGuiControl *cMessageDvcBase::FindControl(uint32_t controlId) {
    for (size_t i = 0; i < controls->size(); ++i)
        if (cGuiControl *control = (*controls)[i]; control && control->GetId() == controlId) return control;
    return nullptr;
}

tStatus cMessageDvcBase::SetControlBuddy(uint32_t buddyId, uint32_t controlId) {
    if (cGuiControl *control = FindControl(controlId)) control->SetBuddyById(buddyId);
    return RC_OK;
}

tStatus cMessageDvcBase::DisableControl(uint32_t controlId) {
    cGuiControl *control = FindControl(controlId);
    if (!control) return RC_FAIL;
    control->SetEnabled(0);
    return RC_OK;
}

tStatus cMessageDvcBase::EnableControl(uint32_t controlId) {
    cGuiControl *control = FindControl(controlId);
    if (!control) return RC_FAIL;
    control->SetEnabled(1);
    return RC_OK;
}

int32_t cMessageDvcBase::GetControlInt(uint32_t controlId) {
    cGuiControl *control = FindControl(controlId);
    return control ? control->GetValueInt() : 0;
}

const char16_t *cMessageDvcBase::GetControlText(uint32_t controlId) {
    cGuiControl *control = FindControl(controlId);
    return control ? control->GetValueText() : nullptr;
}

int32_t cMessageDvcBase::SetControlInt(uint32_t controlId, int32_t value) {
    cGuiControl *control = FindControl(controlId);
    return control ? control->SetValueInt(value) : 0;
}

const char16_t *cMessageDvcBase::SetControlText(uint32_t controlId, const char16_t *text) {
    cGuiControl *control = FindControl(controlId);
    return control ? control->SetValueText(text) : nullptr;
}

cGuiControl *cMessageDvcBase::AdoptDialogItem(uint32_t controlId, uint32_t style) {
    if (cGuiControl *existing = FindControl(controlId)) return existing;
    cGuiControl *control = nullptr;
    if (controlId == 1 || controlId == 2)
        control = new cPushButton(this, controlId);
    else if (controlId == 9)
        control = new cHelpButton(this, controlId, helpTopic);
    else
        control = new cStaticText(this, controlId, nullptr, 1);
    AddControl(control);
    control->SetWindowStyle(style);
    control->SetOwner(this);
    RealizeControl(control);
    control->Open();
    control->Attach();
    control->ReleaseDraw();
    return control;
}

tStatus cMessageDvcBase::AdoptDialogItems() { return RC_FAIL; }
