#include "ui/message_dvc.h"

cMessageDvcBase::cMessageDvcBase(cMessageDvcBase *ownerWindow, uint32_t controlId, uint32_t style,
                                 const char16_t *text, uint32_t topic)
    : cGraphDvc(text), id(controlId), windowStyle(style), owner(ownerWindow), helpTopic(topic) {}

cDispDvcBase *cMessageDvcBase::GetStatusBar() {
    if (cDispDvcBase *own = cGraphDvc::GetStatusBar()) return own;
    return owner ? owner->GetStatusBar() : nullptr;
}

cMessageDvcBase *cMessageDvcBase::SetOwner(cMessageDvcBase *window) {
    cMessageDvcBase *previous = owner;
    owner = window;
    return previous;
}

HWND cMessageDvc::GetWindowHandle() {
    if (windowHandle) return windowHandle;
    return owner ? owner->GetWindowHandle() : nullptr;
}
