// The modal run of a dialog, its end, owner-drawn items, and the adoption of
// a template's items.
#include "platform/op_sys_base.h"
#include "foundation/win32_win.h"
#include "ui/window_proc_win.h"
#include "ui/dialog_box.h"

namespace {

HINSTANCE Instance() { return gModuleInstance ? gModuleInstance : GetModuleHandleW(nullptr); }

BOOL CALLBACK AdoptDialogItemProc(HWND child, LPARAM lParam) {
    auto *window = reinterpret_cast<cMessageDvcBase *>(lParam);
    auto id = static_cast<uint32_t>(GetWindowLongW(child, GWL_ID));
    if (id != 0 && (id & 0xFFFF) != 0xFFFF) {
        window->AdoptDialogItem(id, static_cast<uint32_t>(GetWindowLongW(child, GWL_STYLE)));
    } else if (gOpSys && gOpSys->IsTranslateMode() && !IsTranslatableId(window->GetId())) {
        EnableWindow(child, FALSE);
    }
    return TRUE;
}

}  // namespace

tStatus cMessageDvc::AdoptDialogItems() {
    EnumChildWindows(GetWindowHandle(), AdoptDialogItemProc, reinterpret_cast<LPARAM>(static_cast<cMessageDvcBase *>(this)));
    return RC_OK;
}

tStatus cDialogBox::Open() {
    HWND ownerWindow = owner ? owner->GetWindowHandle() : nullptr;
    INT_PTR result = DialogBoxParamW(Instance(), MAKEINTRESOURCEW(id), ownerWindow, DialogProc,
                                     reinterpret_cast<LPARAM>(static_cast<cMessageDvcBase *>(this)));
    return result == 1 ? RC_OK : RC_FAIL;
}

void cDialogBox::EndRun(int32_t result) {
    if (windowHandle) EndDialog(windowHandle, result);
}

