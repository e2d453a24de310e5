// The viewports without a window system: Open registers, counts, brings the
// controls up and attaches, but no window is made, so every operation on a
// window finds none; menus do not load and the file dialogs are cancelled.
#include "ui/view_port.h"
#include "ui/view_port_errors.h"

tStatus cViewPortBase::OnKillFocus(sWinMessage &) {
    caretCreated = 0;
    return RC_OK;
}

cViewPort::~cViewPort() = default;

tStatus cViewPort::Open() {
    MakeClassName();
    tStatus result = cMessageDvc::Open();
    InitControls();
    Attach();
    return result;
}

tStatus cViewPort::SetSize(int32_t width, int32_t height) { return cGraphDvcBase::SetSize(width, height); }

tStatus cViewPort::MoveWindowTo(int32_t, int32_t, int32_t width, int32_t height) {
    SetSize(width, height);
    RaiseViewPortError(kViewPortNoWindowHandle);
    return RC_FAIL;
}


tStatus cViewPort::SetScrollBarInfo(int32_t, const sScrollBarInfo &) { return RC_OK; }

int32_t cViewPort::ShowWindowBox(const char16_t *, const char16_t *, uint32_t) { return RC_FAIL; }

// No dialog opens here: only a scripted answer chooses a file.
const char16_t *cViewPort::AskOpenFileName(const char16_t *, const char16_t *) {
    const char16_t *chosen = nullptr;
    TakeScriptedFileDialog(u"Open", chosen);
    return chosen;
}

const char16_t *cViewPort::AskSaveFileName(const char16_t *, const char16_t *) {
    const char16_t *chosen = nullptr;
    TakeScriptedFileDialog(u"Save", chosen);
    return chosen;
}

tStatus cViewPort::LoadMenuResource(uint16_t resourceId, const char16_t *const *, int32_t, const char16_t *const *,
                                    int32_t) {
    menuId = resourceId;
    return RC_FAIL;
}

tMenuHandle cViewPort::NewPopupHandle() { return nullptr; }

void cViewPort::ShowPopupAt(int32_t, int32_t, cDispDvcBase *) {}

tMenuHandle cViewPort::AdoptPopupHandle(tMenuHandle popup) {
    popupHandle = popup;
    return popup;
}
