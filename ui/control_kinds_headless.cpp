// The control kinds without a window system: what each window would show is
// kept in the control's item state.
#include "ui/button_controls.h"
#include "ui/list_controls.h"
#include "ui/scroll_controls.h"
#include "ui/text_controls.h"

namespace {

int32_t SelectedIn(const cGuiControl::sItemState &state) {
    return state.selection >= 0 && size_t(state.selection) < state.entries.size() ? state.selection : -1;
}

}  // namespace

void cRadioButton::ShowChecked(bool checked) { item.checked = checked ? 1 : 0; }

void cCheckBox::ShowChecked(bool checked) { item.checked = checked ? 1 : 0; }

bool cTextInput::ShowText(const std::u16string &shown) {
    item.text = shown;
    return true;
}

std::u16string cTextInput::ReadText(int32_t limit) { return item.text.substr(0, size_t(limit)); }

void cListBox::ResetEntries() {
    item.entries.clear();
    item.selection = -1;
}

void cListBox::AddEntry(const char16_t *text) { item.entries.emplace_back(text); }

void cListBox::SelectEntry(int32_t index) {
    item.selection = index;
    item.selection = SelectedIn(item);
}

int32_t cListBox::SelectedEntry() { return SelectedIn(item); }

void cComboBox::ResetEntries() {
    item.entries.clear();
    item.selection = -1;
}

void cComboBox::AddEntry(const char16_t *text) { item.entries.emplace_back(text); }

void cComboBox::SelectEntry(int32_t index) {
    item.selection = index;
    item.selection = SelectedIn(item);
}

int32_t cComboBox::SelectedEntry() { return SelectedIn(item); }

std::u16string cComboBox::ReadEditText() { return item.text.substr(0, 78); }

void cHorzScroll::ShowPosition(int32_t range, int32_t shown) {
    item.rangeMax = range;
    item.position = shown;
}

void cHorzScroll::EnableArrows(bool on) { item.arrowsEnabled = on; }

void cVertScroll::ShowPosition(int32_t range, int32_t shown) {
    item.rangeMax = range;
    item.position = shown;
}

void cVertScroll::EnableArrows(bool on) { item.arrowsEnabled = on; }
