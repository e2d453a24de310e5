// The Win32 calls of the control kinds: check marks, item texts, list and
// combo entries and the scroll bars' range and position.
#include <vector>

#include "foundation/win32_win.h"
#include "ui/button_controls.h"
#include "ui/list_controls.h"
#include "ui/scroll_controls.h"
#include "ui/text_controls.h"

namespace {

HWND OwnerWindow(cMessageDvcBase *owner) { return owner ? owner->GetWindowHandle() : nullptr; }

LRESULT SendItem(cMessageDvcBase *owner, uint32_t id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageW(OwnerWindow(owner), static_cast<int>(id), message, wParam, lParam);
}

void ShowScroll(HWND bar, int32_t range, int32_t shown) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = range;
    info.nPos = shown;
    if (bar) SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

void EnableScroll(HWND bar, bool on) {
    if (bar) EnableScrollBar(bar, SB_CTL, on ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

}  // namespace

void cRadioButton::ShowChecked(bool checked) {
    CheckDlgButton(OwnerWindow(owner), static_cast<int>(id), checked ? BST_CHECKED : BST_UNCHECKED);
}

void cCheckBox::ShowChecked(bool checked) {
    CheckDlgButton(OwnerWindow(owner), static_cast<int>(id), checked ? BST_CHECKED : BST_UNCHECKED);
}

bool cTextInput::ShowText(const std::u16string &shown) {
    return SetDlgItemTextW(OwnerWindow(owner), static_cast<int>(id), W(shown.c_str())) != 0;
}

// The field itself is not limited: only what is stored is.
std::u16string cTextInput::ReadText(int32_t limit) {
    std::vector<wchar_t> buffer(size_t(limit) + 1, L'\0');
    UINT n = GetDlgItemTextW(OwnerWindow(owner), static_cast<int>(id), buffer.data(), limit + 1);
    return std::u16string(U(buffer.data()), n);
}

void cListBox::ResetEntries() { SendItem(owner, id, LB_RESETCONTENT, 0, 0); }

void cListBox::AddEntry(const char16_t *text) {
    SendItem(owner, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(text)));
}

void cListBox::SelectEntry(int32_t index) { SendItem(owner, id, LB_SETCURSEL, WPARAM(index), 0); }

int32_t cListBox::SelectedEntry() { return static_cast<int32_t>(SendItem(owner, id, LB_GETCURSEL, 0, 0)); }

void cComboBox::ResetEntries() { SendItem(owner, id, CB_RESETCONTENT, 0, 0); }

void cComboBox::AddEntry(const char16_t *text) {
    SendItem(owner, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(text)));
}

void cComboBox::SelectEntry(int32_t index) { SendItem(owner, id, CB_SETCURSEL, WPARAM(index), 0); }

int32_t cComboBox::SelectedEntry() { return static_cast<int32_t>(SendItem(owner, id, CB_GETCURSEL, 0, 0)); }

std::u16string cComboBox::ReadEditText() {
    constexpr int32_t kLimit = 79;  // with the terminating null
    wchar_t buffer[kLimit] = {};
    LRESULT n = SendItem(owner, id, WM_GETTEXT, kLimit, reinterpret_cast<LPARAM>(buffer));
    if (n < 0) n = 0;
    if (n >= kLimit) n = kLimit - 1;
    return std::u16string(U(buffer), size_t(n));
}

void cHorzScroll::ShowPosition(int32_t range, int32_t shown) { ShowScroll(windowHandle, range, shown); }

void cHorzScroll::EnableArrows(bool on) { EnableScroll(windowHandle, on); }

void cVertScroll::ShowPosition(int32_t range, int32_t shown) { ShowScroll(windowHandle, range, shown); }

void cVertScroll::EnableArrows(bool on) { EnableScroll(windowHandle, on); }
