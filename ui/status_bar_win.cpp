#include "foundation/win32_win.h"
#include "ui/status_bar.h"

#include <commctrl.h>

cStatusBar::cStatusBar(cMessageDvcBase *parentWindow, int32_t helpPartIndex)
    : cStatusBarBase(parentWindow, helpPartIndex) {
    UseNoBackground();
}

// The status control is a child of the parent window; a bar replaced while
// the parent lives takes its control with it.
cStatusBar::~cStatusBar() {
    if (control && IsWindow(control)) DestroyWindow(control);
}

tStatus cStatusBar::PrepareDraw() {
    if (!control || IsOpen() < 0) return RC_OK;
    cMessageDvcBase::PrepareDraw();
    std::vector<const cPart *> sorted(parts.begin(), parts.end());
    std::vector<int32_t> fieldIndexes;
    std::vector<int32_t> edges = StatusFieldEdges(sorted, &fieldIndexes);
    for (size_t i = 0; i < parts.size(); ++i) parts[i]->SetControlIndex(fieldIndexes[i]);
    std::vector<int> rights(edges.begin(), edges.end());
    SendMessageW(control, SB_SETPARTS, WPARAM(rights.size()), reinterpret_cast<LPARAM>(rights.data()));
    for (size_t j = 0; j < rights.size(); ++j)
        SendMessageW(control, SB_SETTEXTW, WPARAM(j | SBT_NOBORDERS), reinterpret_cast<LPARAM>(L"  "));
    for (int32_t i = 0; i < GetPartCount(); ++i) ShowPart(i);
    return RC_OK;
}

tStatus cStatusBar::Open() {
    tStatus result = cViewPort::Open();
    HWND parentHandle = nullptr;
    if (auto *parentWindow = dynamic_cast<cDispDvc *>(GetOwner())) parentHandle = parentWindow->GetWindowHandle();
    control = CreateStatusWindowW(0x50800100, L" ", parentHandle, 1000);
    if (control) {
        RECT r{};
        GetWindowRect(control, &r);
        // The window rectangle's bottom edge lies outside the control: its
        // difference is the height, so that a window laid out above the bar
        // meets it without a gap.
        int32_t h = r.bottom - r.top;
        if (cMessageDvcBase *parentWindow = GetOwner()) {
            MoveWindowTo(0, parentWindow->GetHeight() - h, parentWindow->GetWidth(), h);
            parentWindow->AddListener(this);
        }
    }
    PrepareDraw();
    return result;
}

tStatus cStatusBar::SetSize(int32_t width, int32_t height) {
    tStatus result = cViewPort::SetSize(width, height);
    if (control) SendMessageW(control, WM_SIZE, 0, LPARAM(uint32_t(width) | uint32_t(height) << 16));
    return result;
}

tStatus cStatusBar::ShowPart(int32_t index) {
    cPart *part = GetPart(index);
    if (!part) return RC_FAIL;
    if (!control) return RC_OK;
    WPARAM field = WPARAM(part->GetControlIndex()) | (part->GetStyle() == 0 ? SBT_NOBORDERS : 0);
    SendMessageW(control, SB_SETTEXTW, field, reinterpret_cast<LPARAM>(W(part->Text().c_str())));
    return RC_OK;
}
