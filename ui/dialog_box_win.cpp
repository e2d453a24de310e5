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

tStatus cDialogBox::OnMessage(uint32_t message, sWinMessage &record) {
    if (message != kMsgDrawItem) return cDialogBoxBase::OnMessage(message, record);
    cGuiControl *control = FindControl(record.key & 0xFFFF);
    auto *item = reinterpret_cast<DRAWITEMSTRUCT *>(record.lParam);
    if (!control || !control->IsOwnerDrawn() || !item) return cDialogBoxBase::OnMessage(message, record);
    // The control paints on the item's context, in the item's rectangle.
    // Only the drawing device is prepared around it: the controls' own
    // prepare and release would show every variable again and store it
    // back, wiping what the user typed since the dialog opened.
    record.lParam = reinterpret_cast<LPARAM>(&item->rcItem);
    HDC previous = control->SetDeviceContext(item->hDC);
    cGraphDvc::PrepareDraw();
    tStatus result = cDialogBoxBase::OnMessage(message, record);
    cGraphDvc::ReleaseDraw();
    control->SetDeviceContext(previous);
    return result;
}
