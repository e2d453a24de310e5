// Controls without a window system: the control keeps what its window
// would show (sItemState), so that tests can read and change it.  A control
// that is given an owner gets a handle value of its own, which no window
// system gave out: scroll messages name their bar by it.
#include "foundation/char_string.h"
#include "ui/gui_control.h"

cGuiControl::~cGuiControl() = default;

tWindowHandle cGuiControl::GetWindowHandle() { return windowHandle; }

cMessageDvcBase *cGuiControl::SetOwner(cMessageDvcBase *window) {
    cMessageDvcBase *previous = cGuiControlBase::SetOwner(window);
    if (!windowHandle && window) windowHandle = reinterpret_cast<tWindowHandle>(this);
    return previous;
}

tStatus cGuiControl::Open() {
    if (windowClass.empty()) windowClass = name;
    return cGuiControlBase::Open();
}

uint16_t cGuiControl::GetFontIndex() { return kFontNone; }

uint16_t cGuiControl::SetFontIndex(uint16_t index) { return index; }

const char16_t *cGuiControl::GetWindowTitle() { return item.text.empty() ? nullptr : TempStringOf(item.text); }

tStatus cGuiControl::SetWindowTitle(const char16_t *text) {
    item.text = text ? text : u"";
    return RC_OK;
}

tStatus cGuiControl::CreateControlWindow() {
    if (windowClass.empty()) windowClass = name;
    if (!windowHandle) windowHandle = reinterpret_cast<tWindowHandle>(this);
    return RC_OK;
}
