// The Win32 side of controls: the control's window is the dialog item of
// its id, or a window it makes itself; its font is the window's.
#include "platform/op_sys_base.h"
#include "foundation/win32_win.h"
#include "ui/log_font_win.h"
#include "ui/gui_control.h"

namespace {

HINSTANCE Instance() { return gModuleInstance ? gModuleInstance : GetModuleHandleW(nullptr); }

HWND OwnerWindow(cMessageDvcBase *owner) { return owner ? owner->GetWindowHandle() : nullptr; }

}  // namespace

// The control's window belongs to its dialog or its owner window, which
// destroy it with themselves.
cGuiControl::~cGuiControl() = default;

HWND cGuiControl::GetWindowHandle() { return windowHandle; }

cMessageDvcBase *cGuiControl::SetOwner(cMessageDvcBase *window) {
    cMessageDvcBase *previous = cGuiControlBase::SetOwner(window);
    if (!windowHandle)
        if (HWND parent = OwnerWindow(window)) windowHandle = GetDlgItem(parent, static_cast<int>(id));
    return previous;
}

tStatus cGuiControl::Open() {
    if (windowClass.empty()) windowClass = name;
    tStatus result = cGuiControlBase::Open();
    if (windowHandle) {
        RECT client{}, outer{};
        if (GetClientRect(windowHandle, &client)) deviceRect.SetSize(client.right + 1, client.bottom + 1);
        if (GetWindowRect(windowHandle, &outer)) frameRect.SetEdges(outer.left, outer.top, outer.right, outer.bottom);
    }
    return result;
}

uint16_t cGuiControl::GetFontIndex() {
    if (!IsUp()) return kFontNone;
    auto font = reinterpret_cast<HFONT>(SendDlgItemMessageW(OwnerWindow(owner), static_cast<int>(id), WM_GETFONT, 0, 0));
    if (!font) return kFontNone;
    LOGFONTW logFont{};
    if (!GetObjectW(font, sizeof logFont, &logFont)) {
        if (gOpSys) gOpSys->ShowLastError(u"WinTextInputFont");
        return kFontNone;
    }
    auto *description = new cGraphDvcFont();
    description->SetFromLogFont(nullptr, FromLogFontW(logFont));
    uint16_t index = cFontTable::Find(*description);
    if (index != kFontNone) {
        delete description;
        return index;
    }
    return cFontTable::Append(description);
}

uint16_t cGuiControl::SetFontIndex(uint16_t index) {
    auto *font = dynamic_cast<cGraphDvcFont *>(cFontTable::GetFont(index));
    if (font && font->Realize() == RC_OK)
        SendDlgItemMessageW(OwnerWindow(owner), static_cast<int>(id), WM_SETFONT,
                            reinterpret_cast<WPARAM>(font->GetHandle()), TRUE);
    return index;
}

const char16_t *cGuiControl::GetWindowTitle() { return cGuiControlBase::GetWindowTitle(); }

tStatus cGuiControl::SetWindowTitle(const char16_t *text) { return cGuiControlBase::SetWindowTitle(text); }

tStatus cGuiControl::CreateControlWindow() {
    if (windowClass.empty()) windowClass = name;
    HWND made = CreateWindowExW(0, W(windowClass.c_str()), W(name.c_str()), windowStyle, frameRect.x, frameRect.y,
                                frameRect.Width(), frameRect.Height(), OwnerWindow(owner),
                                reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), Instance(), nullptr);
    if (!made) {
        if (gOpSys) gOpSys->ShowLastError(u"ControlCreate");
        return RC_FAIL;
    }
    windowHandle = made;
    return RC_OK;
}
