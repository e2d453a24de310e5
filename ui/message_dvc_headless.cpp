// The message devices without a window system: no window is ever made, so
// these operations find none to act on.
#include "ui/message_dvc.h"

uint8_t cMessageDvc::SetEnabled(uint8_t flag) { return cMessageDvcBase::SetEnabled(flag); }

cMessageDvcBase *cMessageDvc::GetFocusObject() { return nullptr; }

cMessageDvcBase *cMessageDvc::TakeFocus() { return nullptr; }

tStatus cMessageDvc::Open() { return cMessageDvcBase::Open(); }

tStatus cMessageDvc::OnClose(sWinMessage &record) {
    tStatus result = cMessageDvcBase::OnClose(record);
    return result < 0 ? result : RC_OK;
}

tStatus cMessageDvc::OnDestroy(sWinMessage &) {
    UnmapWindow(windowHandle);
    windowHandle = nullptr;
    return RC_OK;
}

const char16_t *cMessageDvc::GetWindowTitle() { return nullptr; }

tStatus cMessageDvc::SetWindowTitle(const char16_t *) { return RC_OK; }
