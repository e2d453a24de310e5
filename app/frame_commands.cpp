// The commands the frame handles itself once the score window has left
// them: Save Setup, help on the current symbol and the help-forum dialog.
// Also the close in translate mode, which must not lose the translations
// made so far.  The steps themselves, which need no frame, are in
// frame_command_steps.cpp.
#include "app/prog_win_class.h"

#include "platform/op_sys_base.h"
#include "ui/tool_window.h"

namespace {
constexpr uint32_t kCmdSaveSetup = 611;
constexpr uint32_t kCmdHelpDraw = 701;
constexpr uint32_t kCmdHelpForum = 703;
}  // namespace

tStatus ProgWinClass::OnFrameCommand(uint32_t id) {
    switch (id) {
        case kCmdSaveSetup: SaveSetup(); return RC_OK;
        case kCmdHelpDraw: OnHelpDraw(); return RC_OK;
        case kCmdHelpForum: OnHelpForum(); return RC_OK;
        default: return RC_FAIL;
    }
}

// "WindowTools" keeps the floating palette's place only while it is the
// active palette: the next start reopens it then.
tStatus ProgWinClass::SaveSetup() {
    if (!gOpSys) return RC_FAIL;
    return SaveSetupTo(gOpSys->Settings(), *this, IsPopupPaletteActive() ? GetPopupPaletteWin() : nullptr, scoreWin);
}

void ProgWinClass::OnHelpDraw() { ShowSymbolHelp(*this, scoreWin); }

void ProgWinClass::OnHelpForum() { ShowHelpForum(*this, scoreWin); }

tStatus ProgWinClass::OnClose(sWinMessage &record) {
    EndTranslateMode();
    return cViewPortTop::OnClose(record);
}
