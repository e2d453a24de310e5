// Dialogs without a window system: nothing is shown, so a dialog answers
// Cancel at once unless a test plays the user through a script.
#include "foundation/char_string.h"
#include "ui/dialog_box.h"

namespace {

cDialogBox::tScript &Script() {
    static cDialogBox::tScript script;
    return script;
}

}  // namespace

tStatus cMessageDvc::AdoptDialogItems() { return RC_OK; }

cDialogBox::tScript cDialogBox::SetScript(tScript script) {
    tScript previous = std::move(Script());
    Script() = std::move(script);
    return previous;
}

tStatus cDialogBox::Open() {
    // A copy: the script may open further dialogs that install their own.
    tScript script = Script();
    if (!script) return RC_FAIL;
    endCode = 0;
    sWinMessage init(kMsgInitDialog, 0, 0);
    OnMessage(kMsgInitDialog, init);
    script(*this);
    return endCode == 1 ? RC_OK : RC_FAIL;
}

tStatus cDialogBox::Command(uint32_t controlId, uint32_t notification) {
    sWinMessage record(kMsgCommand, tWParam(notification << 16 | (controlId & 0xFFFF)), 0);
    return OnMessage(kMsgCommand, record);
}

void cDialogBox::EndRun(int32_t result) { endCode = result; }

const char16_t *cDialogBox::GetWindowTitle() { return title.empty() ? nullptr : TempStringOf(title); }

tStatus cDialogBox::SetWindowTitle(const char16_t *text) {
    title = text ? text : u"";
    return RC_OK;
}
