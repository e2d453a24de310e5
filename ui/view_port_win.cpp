// The window side of the viewports: class registration, creation, painting,
// the window's menu, scroll bars, message boxes and the file dialogs.
#include "foundation/char_string.h"
#include "platform/op_sys.h"
#include "foundation/win32_win.h"
#include "ui/client_origin_win.h"
#include "ui/window_proc_win.h"
#include "ui/sub_menu.h"
#include "ui/view_port.h"
#include "ui/view_port_errors.h"

namespace {

HINSTANCE Instance() { return gModuleInstance ? gModuleInstance : GetModuleHandleW(nullptr); }

// One file dialog: the record the system fills, with its own name buffer
// and filter copy.
struct sFileDialog {
    static constexpr DWORD kNameRoom = 200;
    OPENFILENAMEW record{};
    wchar_t file[kNameRoom] = {};
    std::u16string filter;
    std::u16string folder;

    sFileDialog(HWND owner, const char16_t *filterText, const char16_t *extension, DWORD flags)
        : filter(FileDialogFilter(filterText)), folder(gOpSys ? gOpSys->GetWorkingFolder() : std::u16string()) {
        record.lStructSize = sizeof record;
        record.hwndOwner = owner;
        record.hInstance = Instance();
        record.lpstrFilter = filterText ? W(filter.c_str()) : nullptr;
        record.nFilterIndex = 1;
        record.lpstrFile = file;
        record.nMaxFile = kNameRoom;
        record.lpstrInitialDir = W(folder.c_str());
        record.Flags = flags;
        record.lpstrDefExt = extension ? W(extension) : nullptr;
    }
    // The chosen path, also made the current file; null when cancelled.
    const char16_t *Result(BOOL chosen) {
        if (!chosen) return nullptr;
        const char16_t *path = TempString(U(file));
        if (gOpSys) gOpSys->SetCurrentFile(path);
        return path;
    }
};

}  // namespace

// ---- cViewPortBase ----------------------------------------------------------

tStatus cViewPortBase::OnKillFocus(sWinMessage &) {
    if (caretCreated) {
        DestroyCaret();
        caretCreated = 0;
    }
    return RC_OK;
}

// ---- cViewPort --------------------------------------------------------------

cViewPort::~cViewPort() {
    if (windowHandle) {
        UnmapWindow(windowHandle);
        if (IsWindow(windowHandle)) DestroyWindow(windowHandle);
        windowHandle = nullptr;
    }
    // A window takes its menu with it; a menu loaded for a window that was
    // never made is destroyed here.
    if (menuHandle && IsMenu(menuHandle)) DestroyMenu(menuHandle);
    if (popupHandle) DestroyMenu(popupHandle);
}

HMENU cViewPort::NewPopupHandle() { return AdoptPopupHandle(::CreatePopupMenu()); }

void cViewPort::ShowPopupAt(int32_t x, int32_t y, cDispDvcBase *window) {
    auto *shown = dynamic_cast<cSubMenu *>(popupMenu);
    auto *device = dynamic_cast<cDispDvc *>(window);
    HWND around = device ? device->GetWindowHandle() : windowHandle;
    RECT r{};
    if (!shown || !GetWindowRect(around, &r)) return;
    ::TrackPopupMenu(shown->GetMenuHandle(), 0, r.left + x, r.top + y, 0, windowHandle, nullptr);
}

tStatus cViewPort::Open() {
    HINSTANCE instance = Instance();
    icon = iconName.IsSet() != RC_FAIL ? LoadIconW(instance, W(iconName.Get())) : LoadIconW(nullptr, IDI_APPLICATION);
    const char16_t *classText = MakeClassName();
    WNDCLASSW known{};
    if (!GetClassInfoW(instance, W(classText), &known)) {
        WNDCLASSW wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = backgroundBrush == kSolidBackground
                               ? CreateSolidBrush(backgroundColor)
                               : static_cast<HBRUSH>(GetStockObject(backgroundBrush));
        wc.lpszMenuName = menuId ? MAKEINTRESOURCEW(menuId) : nullptr;
        wc.lpszClassName = W(classText);
        if (!RegisterClassW(&wc) && gOpSys) gOpSys->ShowLastError(u"RegisterClass");
    }
    int x = frameRect.width == CW_USEDEFAULT ? CW_USEDEFAULT : frameRect.x;
    int y = frameRect.height == CW_USEDEFAULT ? CW_USEDEFAULT : frameRect.y;
    HWND parent = owner ? owner->GetWindowHandle() : nullptr;
    HWND window = CreateWindowExW(0, W(classText), W(name.c_str()), windowStyle, x, y, frameRect.width,
                                  frameRect.height, parent, menuHandle, instance, nullptr);
    if (window) {
        windowHandle = window;
        MapWindow(window, this);
    } else if (gOpSys) {
        gOpSys->ShowLastError(u"CreateWindow");
    }
    tStatus result = cMessageDvc::Open();
    InitControls();
    Attach();
    if (window) {
        ShowWindow(window, showMode);
        UpdateWindow(window);
    }
    return result;
}

tStatus cViewPort::SetSize(int32_t width, int32_t height) {
    cGraphDvcBase::SetSize(width, height);
    if (!windowHandle) return RC_OK;
    RECT r{deviceRect.x, deviceRect.y, deviceRect.x + width - 1, deviceRect.y + height - 1};
    AdjustWindowRect(&r, windowStyle, menuHandle != nullptr);
    sFrameEdges edges = ShiftFrameOnScreen({r.left, r.top, r.right, r.bottom});
    frameRect.SetEdges(edges.left, edges.top, edges.right, edges.bottom);
    // The frame is on the screen; a child window moves in its parent's
    // client coordinates.
    POINT at{frameRect.x, frameRect.y};
    HWND parent = GetParent(windowHandle);
    if ((windowStyle & WS_CHILD) && parent) ScreenToClient(parent, &at);
    MoveWindow(windowHandle, at.x, at.y, frameRect.width, frameRect.height, TRUE);
    ReadClientOrigin(*this, windowHandle, deviceRect);
    return RC_OK;
}

tStatus cViewPort::MoveWindowTo(int32_t x, int32_t y, int32_t width, int32_t height) {
    SetSize(width, height);
    if (!windowHandle) {
        RaiseViewPortError(kViewPortNoWindowHandle);
        return RC_FAIL;
    }
    MoveWindow(windowHandle, x, y, width, height, TRUE);
    ReadClientOrigin(*this, windowHandle, deviceRect);
    return RC_OK;
}

tStatus cViewPort::SetScrollBarInfo(int32_t bar, const sScrollBarInfo &info) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = static_cast<UINT>(info.page);
    si.nPos = info.pos;
    return SetScrollInfo(windowHandle, bar == kScrollBarHorz ? SB_HORZ : SB_VERT, &si, TRUE);
}

int32_t cViewPort::ShowWindowBox(const char16_t *text, const char16_t *caption, uint32_t type) {
    HWND focus = GetFocus();
    int32_t result = RC_FAIL;
    if (windowHandle) result = MessageBoxW(windowHandle, W(text ? text : u""), W(caption ? caption : u""), type);
    SetFocus(focus);
    return result;
}

const char16_t *cViewPort::AskOpenFileName(const char16_t *filter, const char16_t *extension) {
    const char16_t *chosen = nullptr;
    if (TakeScriptedFileDialog(u"Open", chosen)) return chosen;
    sFileDialog dialog(windowHandle, filter, extension, OFN_FILEMUSTEXIST);
    return dialog.Result(GetOpenFileNameW(&dialog.record));
}

const char16_t *cViewPort::AskSaveFileName(const char16_t *filter, const char16_t *extension) {
    const char16_t *chosen = nullptr;
    if (TakeScriptedFileDialog(u"Save", chosen)) return chosen;
    sFileDialog dialog(windowHandle, filter, extension, OFN_OVERWRITEPROMPT);
    return dialog.Result(GetSaveFileNameW(&dialog.record));
}

tStatus cViewPort::LoadMenuResource(uint16_t resourceId, const char16_t *const *hints, int32_t hintCount,
                                    const char16_t *const *keyNames, int32_t keyNameCount) {
    menuId = resourceId;
    if (menuHandle) {
        // The main menu mirrors the handle about to go: it goes first.
        auto *mirror = dynamic_cast<cSubMenu *>(gMainMenu);
        if (mirror && mirror->GetMenuHandle() == menuHandle) SetMainMenu(nullptr);
        if (windowHandle && GetMenu(windowHandle) == menuHandle) SetMenu(windowHandle, nullptr);
        DestroyMenu(menuHandle);
        menuHandle = nullptr;
    }
    if (resourceId == 0) return RC_FAIL;
    tStatus result = RC_OK;
    menuHandle = LoadMenuW(Instance(), MAKEINTRESOURCEW(resourceId));
    if (!menuHandle) {
        if (gOpSys) gOpSys->ShowLastError(u"LoadMenu");
        result = RC_FAIL;
    } else {
        if (windowHandle) SetMenu(windowHandle, menuHandle);
        auto *menu = new cSubMenu(this, uint32_t(reinterpret_cast<uintptr_t>(menuHandle)), nullptr, menuHandle);
        SetMainMenu(std::unique_ptr<cSubMenuBase>(menu));
        menu->LoadFromHandle();
        menu->TakeHintFromList(hints, 0, hintCount);
        menu->TakeKeyNameFromList(keyNames, 0, keyNameCount);
    }
    if (HWND window = GetWindowHandle()) DrawMenuBar(window);
    return result;
}

HMENU cViewPort::AdoptPopupHandle(HMENU popup) {
    if (popupHandle && popupHandle != popup) DestroyMenu(popupHandle);
    popupHandle = popup;
    return popup;
}
