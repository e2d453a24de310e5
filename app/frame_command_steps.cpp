// The steps of the frame's own commands, on what they are given rather than
// on the frame: the keys of Save Setup, the help topic of the current
// symbol, the help-forum dialog with its support text and forum page, and
// the end of translate mode before a close.
#include "app/prog_win_class.h"

#include <memory>

#include "app/menu_texts.h"
#include "app/music_window.h"
#include "document/symbol_base.h"
#include "midi/midi_devices.h"
#include "notation/palette.h"
#include "notation/symbol_classes.h"
#include "platform/ini_file.h"
#include "platform/op_sys_base.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/menu_item.h"
#include "ui/text_controls.h"
#include "ui/view_help.h"
#include "ui/win_print.h"

namespace {

constexpr uint32_t kForumHelpTopic = 1012;
constexpr uint32_t kForumButton = 101;
constexpr uint32_t kSupportTextInput = 102;
constexpr int32_t kSupportTextChars = 8000;

std::u16string OrEmpty(const char16_t *text) { return text ? std::u16string(text) : std::u16string(); }

}  // namespace

// ---- Save Setup ---------------------------------------------------------------

tStatus ProgWinClass::SaveSetupTo(cIniFile &settings, cDispDvcBase &frame, cDispDvcBase *floatingPalette,
                                  MusicWin *scoreWindow) {
    settings.SetValue(u"WindowSize", frame.GetRectText());
    // Without the key the next start-up opens no floating window.
    settings.SetOrRemove(u"WindowTools", floatingPalette ? floatingPalette->GetRectText() : nullptr);
    // A device that has found no printer has no name to keep: the name
    // stored earlier stays for a printer that comes back.
    cWinPrint *printer = scoreWindow ? scoreWindow->GetPrinter() : nullptr;
    if (printer && printer->HasPrinter()) settings.SetValue(u"Printer", printer->GetPrinterName());
    return settings.Save(nullptr);
}

// ---- Help > Draw --------------------------------------------------------------

// The selected symbol, a prototype right-clicked on the palette, the pressed
// palette tool or, with none of them, the quarter note.
void ProgWinClass::ShowSymbolHelp(cMessageDvcBase &owner, MusicWin *scoreWindow) {
    cPObjPoint *symbol = scoreWindow ? scoreWindow->TakeCurrentSymbol() : nullptr;
    if (!symbol) {
        cMusicToolBarItem *tool = scoreWindow ? scoreWindow->GetCurrentTool() : nullptr;
        symbol = cPObjBase::PrototypeById(tool ? tool->GetClassId() : Note14::kClassId);
    }
    cViewHelp *viewer = gOpSys ? gOpSys->GetHelpViewer() : nullptr;
    if (!symbol || !viewer) return;
    const int32_t topic = symbol->GetHelpTopic();
    viewer->ShowTopic(&owner, topic > 0 ? uint32_t(topic) : 0);
}

// ---- Help > Help forum --------------------------------------------------------

std::u16string ProgWinClass::ForumPageAddress() {
    const char16_t *localNet = gOpSys ? gOpSys->Settings().GetValue(u"LocalNet") : nullptr;
    const std::u16string host = localNet && *localNet ? localNet : kWebHost;
    return u"http://forum." + host + u"/forum.html";
}

std::u16string ProgWinClass::SupportText(MusicWin *scoreWindow) {
    std::u16string text = gOpSys ? OrEmpty(gOpSys->GetSystemInfo()) : std::u16string();
    if (cWinPrint *printer = scoreWindow ? scoreWindow->GetPrinter() : nullptr)
        text += OrEmpty(printer->Describe()) + u"\n";
    text += OrEmpty(GetMidiDeviceReport()) + u"\n";
    text += u"Log file = ";
    if (gOpSys) text += OrEmpty(gOpSys->Log().GetFileName());
    return text;
}

std::u16string ProgWinClass::WithEditLineEnds(const std::u16string &text) {
    std::u16string shown;
    shown.reserve(text.size() + text.size() / 16);
    for (char16_t c : text) {
        if (c == u'\r') continue;
        if (c == u'\n') shown += u'\r';
        shown += c;
    }
    return shown;
}

void ProgWinClass::ShowHelpForum(cGraphDvc &owner, MusicWin *scoreWindow) {
    std::unique_ptr<cDialogBox> dialog(owner.NewDialogBox(kHelpForumDialogId, kForumHelpTopic));
    if (!dialog) return;
    // The user may edit or copy it; nothing is kept of it afterwards.
    std::u16string support = WithEditLineEnds(SupportText(scoreWindow));
    dialog->NewTextInput(kSupportTextInput, &support, kSupportTextChars);
    dialog->NewPushButton(kForumButton)->SetHint(u"Go to online help forum");
    // The shell opens the page for the main window, which is the frame.
    dialog->SetEventHandler(ForumDialogEvent, 0);
    dialog->Open();
}

int32_t ProgWinClass::ForumDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *, uint32_t) {
    if (controlId != kForumButton || code == kDialogEventInit || !gOpSys) return 0;
    gOpSys->ShellOpen(ForumPageAddress().c_str(), u"");
    return 0;
}

// ---- Closing ------------------------------------------------------------------

void ProgWinClass::EndTranslateMode() {
    if (gOpSys && gOpSys->IsTranslateMode()) ToggleTranslateMode(*gOpSys, gMainMenu);
}
