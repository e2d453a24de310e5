#include "app/prog_win_class.h"

#include <algorithm>
#include <utility>

#include "app/menu_texts.h"
#include "document/document_root.h"
#include "foundation/error_msg.h"
#include "foundation/text_util.h"
#include "foundation/url_query.h"
#include "foundation/wide_stream.h"
#include "midi/midi_devices.h"
#include "notation/palette.h"
#include "platform/op_sys.h"
#include "platform/translate_file.h"
#include "platform/version_word.h"
#include "staves/score_object.h"
#include "ui/dialog_box.h"
#include "ui/button_controls.h"
#include "ui/language_dialogs.h"
#include "ui/menu_item.h"
#include "ui/status_bar.h"
#include "ui/tool_window.h"
#include "ui/view_help.h"
#include "ui/win_print.h"

namespace {
constexpr uint32_t kProgramIcon = 100;
constexpr uint32_t kHelpFileString = 1002;
// The status bar's parts as (width, gap, style): the hints go into part 0,
// the frame's size (diagnostic mode) into part 1; the gaps after parts 2
// and 3 hold the volume and zoom sliders.
constexpr int32_t kHelpPart = 0;
constexpr int32_t kSizePart = 1;
constexpr int32_t kStatusParts[][3] = {{320, 0, 1}, {120, 0, 1}, {70, 100, 0}, {73, 100, 0}, {120, 0, 1}};
constexpr size_t kSizeTextChars = 80;
// A command message carries the command's id in the low word of its key.
constexpr uint32_t kCommandIdMask = 0xFFFF;

constexpr uint32_t kWelcomeHelpTopic = 1005;
constexpr uint32_t kWelcomeVideoButton = 101;
constexpr const char16_t *kDemoVideoPage = u"/PelmoraDemo.wmv";

// The settings keys of the frame's set-up.
constexpr const char16_t *kWindowSizeKey = u"WindowSize";
constexpr const char16_t *kWindowToolsKey = u"WindowTools";
constexpr const char16_t *kPrinterKey = u"Printer";

std::u16string Text(const char16_t *text) { return text ? std::u16string(text) : std::u16string(); }

cOpSysVirtual *OpSys() { return dynamic_cast<cOpSysVirtual *>(gOpSys); }

bool Translating() { return gOpSys && gOpSys->IsTranslateMode(); }
}  // namespace

ProgWinClass::ProgWinClass(int32_t showMode, const char16_t *title) : cViewPortTop(showMode, title) {
    SetIconId(kProgramIcon);
    // The key names are in place before a language file names its texts
    // by them.
    LoadMainMenu(*this);
}

// Each bar takes the window it still shows with it; a window that has gone
// waits in closedPaletteWin.
ProgWinClass::~ProgWinClass() {
    delete std::exchange(staticPaletteBar, nullptr);
    staticPaletteWin = nullptr;
    DeletePopupPalette();
}

// No step's failure stops the sequence: a program without a log, a help file
// or a printer still edits scores.
tStatus ProgWinClass::Open() {
    cViewPortTop::Open();
    cOpSysVirtual *opSys = OpSys();
    if (!opSys) return RC_OK;
    opSys->OpenDebugLog(u"PelmoraLog", u"txt", gProgramStatus.IsDebugMode() ? 10 : 3);
    firstRun = opSys->SetupIniFileInDataFolder(u"PelmoraSetup.ini");
    opSys->LoadAccelerators(u"M_PELMORA");
    if (cViewHelp *help = opSys->GetHelpViewer()) help->SetHelpFile(opSys->LoadString(kHelpFileString));
    OpenStatusBar();
    OpenScoreWindow();
    if (ScoreObject *score = scoreWin->GetScore()) SetWindowTitle(score->GetFileName());
    // The first reported error writes the score into the log, so that the
    // error report carries the work and a restart can load it back.
    SetErrorCallback(PointWindowObject::OnFirstReportedError);
    // The language file named in the settings; a non-English first run asks.
    InstallLanguageDialogs();
    if (opSys->ChooseLanguage(kLanguageFilePattern) == RC_OK) cPObjBase::LoadClassTexts(&opSys->GetTranslateFile());
    OpenStaticPalette();
    scoreWin->TakeFocus();
    // The devices go into the log before editing begins, so that a report
    // of a sound or printing problem shows what the program found.
    cWideStream devices;
    if (cWinPrint *printer = scoreWin->GetPrinter()) devices << printer->Describe() << u"\n";
    devices << GetMidiDeviceReport() << u"\n" << u"[edit]" << u"\n";
    opSys->Log().WriteWideStream(devices, 0);
    Layout();
    if (!opSys->GetCommandLine().empty()) {
        if (ScoreObject *score = scoreWin->GetScore()) {
            score->Clear(0);
            const std::u16string path = Text(opSys->GetStoredPathName(opSys->GetCommandLine().c_str()));
            scoreWin->LoadFile(path.c_str());
            SetWindowTitle(score->GetFileName());
        }
    }
    RestoreSetup();
    if (firstRun == RC_FAIL) {
        ShowWelcomeDialog();
        // The first run leaves a settings file behind at once, so that the
        // next start is no first run even when this one does not end well.
        opSys->Settings().Save(nullptr);
    }
    return RC_OK;
}

void ProgWinClass::OpenStatusBar() {
    CreateStatusBar(kHelpPart);
    auto *bar = dynamic_cast<cStatusBarBase *>(GetStatusBar());
    if (!bar) return;
    for (const auto &part : kStatusParts) bar->AppendPart(part[0], part[1], part[2]);
    bar->Open();
}

// The score window takes the commands first and goes with the frame: the
// frame deletes its listeners.
void ProgWinClass::OpenScoreWindow() {
    scoreWin = new MusicWin(this);
    scoreWin->SetPaletteHost(this);
    AddListener(scoreWin);
    scoreWin->UseVertScrollBar();
    scoreWin->UseHorzScrollBar();
    scoreWin->Open();
    Layout();
    scoreWin->UpdateStatusText();
}

void ProgWinClass::RestoreSetup() {
    cOpSysVirtual *opSys = OpSys();
    if (!opSys) return;
    cIniFile &settings = opSys->Settings();
    if (const char16_t *size = settings.GetValue(kWindowSizeKey)) {
        SetRectFromText(size);
        SetSize(GetWidth(), GetHeight());
    }
    if (const char16_t *tools = settings.GetValue(kWindowToolsKey)) ShowAllToolsWindow(std::u16string(tools).c_str());
    if (const char16_t *printer = settings.GetValue(kPrinterKey))
        if (scoreWin) scoreWin->OnPrinterSetup(std::u16string(printer).c_str());
    // "Sound" and "NoteGrid" come back here once the score window keeps
    // its view settings.
    cMenuItemBase *newItem = gMainMenu ? gMainMenu->FindById(kCmdNew) : nullptr;
    opSys->FillRecentFilesMenu(newItem ? newItem->GetParent() : nullptr, kFirstRecentFileId);
}

void ProgWinClass::ShowWelcomeDialog() {
    std::unique_ptr<cDialogBox> dialog(NewDialogBox(kWelcomeDialogId, kWelcomeHelpTopic));
    if (!dialog) return;
    if (cPushButton *video = dialog->NewPushButton(kWelcomeVideoButton)) video->SetHint(u"Watch demo video online");
    dialog->SetEventHandler(WelcomeDialogEvent, 0);
    // OK is button 2: the dialog ends as by Cancel, and its result says
    // nothing.
    dialog->Open();
}

// The page opens through the shell of the operating-system object, owned by
// the main window, which is this frame.
int32_t ProgWinClass::WelcomeDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *, uint32_t) {
    if (controlId != kWelcomeVideoButton || code == kDialogEventInit || !gOpSys) return 0;
    const char16_t *localNet = gOpSys->Settings().GetValue(u"LocalNet");
    std::u16string address = u"http://" + Text(localNet && *localNet ? localNet : kErrorReportHost) + kDemoVideoPage;
    gOpSys->ShellOpen(address.c_str(), nullptr);
    return 0;
}

tStatus ProgWinClass::OnSize(int32_t width, int32_t height, sWinMessage &record) {
    cViewPortTop::OnSize(width, height, record);
    return Layout();
}

tStatus ProgWinClass::Layout() {
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    int32_t paletteHeight = 0;
    if (staticPaletteWin && staticPaletteBar) {
        paletteHeight = staticPaletteBar->GetHeight();
        staticPaletteWin->MoveWindowTo(0, 0, staticPaletteBar->GetWidth(), paletteHeight);
    }
    auto *bar = dynamic_cast<cStatusBarBase *>(GetStatusBar());
    const int32_t barHeight = bar ? bar->GetHeight() : 0;
    if (bar) bar->MoveWindowTo(0, height - barHeight, width, barHeight);
    if (scoreWin && bar)
        scoreWin->MoveWindowTo(0, paletteHeight, width, std::max(0, height - paletteHeight - barHeight));
    if (bar && gProgramStatus.IsDebugMode()) {
        std::u16string size = FormatInt(width);
        if (size.size() < 4) size.insert(0, 4 - size.size(), u' ');
        size = (u"Size " + size + u", " + FormatInt(height)).substr(0, kSizeTextChars);
        bar->SetPartText(kSizePart, size.c_str());
    }
    return RC_OK;
}

tStatus ProgWinClass::OnSetFocus(sWinMessage &record) {
    tStatus result = cViewPortTop::OnSetFocus(record);
    if (scoreWin) {
        scoreWin->TakeFocus();
        scoreWin->OnSetFocus(record);
    }
    if (!Translating()) MusicWin::UpdatePasteStates();
    return result;
}

tStatus ProgWinClass::PreviewMessage(uint32_t message, sWinMessage &record) {
    if (message == kMsgCommand && gOpSys) {
        const uint32_t id = uint32_t(record.key) & kCommandIdMask & ~kWindowCommandBit;
        if (id == MusicWin::kCmdSelectStaff || id == MusicWin::kCmdSelectBrace) {
            gOpSys->Log().WriteText(id == MusicWin::kCmdSelectStaff ? u"Select Staff" : u"Select Brace", 1);
            return RC_OK;
        }
    }
    return cViewPortTop::PreviewMessage(message, record);
}

// ---- Commands ----------------------------------------------------------------

namespace {

// The frame's own commands: the ids first to last run the handler with the
// id.  Every other id belongs to nobody.
struct sFrameCommand {
    uint32_t first;
    uint32_t last;
    void (ProgWinClass::*run)(uint32_t id);
};

}  // namespace

tStatus ProgWinClass::OnCommand(sWinMessage &record) {
    if (cViewPortTop::OnCommand(record) >= 0) return RC_OK;
    static const sFrameCommand kFrameCommands[] = {
        {kCmdExit, kCmdExit, &ProgWinClass::OnExitCommand},
        {kCmdFirstPalettePage, kCmdPaletteNone, &ProgWinClass::SelectPalettePage},
        {kCmdPaletteAll, kCmdPaletteAll, &ProgWinClass::OnDrawAll},
        {kCmdTranslate, kCmdTranslate, &ProgWinClass::OnTranslateCommand},
        {kCmdResetLanguage, kCmdResetLanguage, &ProgWinClass::OnResetLanguageCommand},
        // Save Setup, Help > Draw and Help > Help forum: OnFrameCommand.
    };
    // A window's popup copy of a frame command does what the command does.
    const uint32_t id = uint32_t(record.key) & kCommandIdMask & ~kWindowCommandBit;
    tStatus result = RC_FAIL;
    for (const sFrameCommand &command : kFrameCommands) {
        if (id < command.first || id > command.last) continue;
        (this->*command.run)(id);
        result = RC_OK;
        break;
    }
    if (result != RC_OK) result = OnFrameCommand(id);
    // A right-clicked palette prototype serves one command at most.
    if (scoreWin) scoreWin->TakeCurrentSymbol();
    return result;
}

// The operating-system object leaves the window open in translate mode.
void ProgWinClass::OnExitCommand(uint32_t) {
    if (gOpSys) gOpSys->CloseMainWindow();
}

void ProgWinClass::OnDrawAll(uint32_t) { ShowAllToolsWindow(nullptr); }

void ProgWinClass::OnTranslateCommand(uint32_t) {
    if (gOpSys) ToggleTranslateMode(*gOpSys, gMainMenu);
}

void ProgWinClass::OnResetLanguageCommand(uint32_t) {
    if (gOpSys) ResetMenuTexts(*gOpSys, *this);
}

// ---- Symbol palette windows ---------------------------------------------------

namespace {

constexpr uint32_t kCmdSetupDraw = 600;
constexpr uint32_t kCmdHelp = 700;
constexpr uint32_t kToolHintHelpTopic = 1052;
constexpr uint32_t kToolHintInputId = 101;
constexpr int32_t kToolHintChars = 50;
constexpr size_t kTitleChars = 100;
// Where Draw > All opens the floating window: left of the frame's right
// client edge and below its top, before it is sized to its buttons.
constexpr int32_t kFloatingLeftOfRight = 300;
constexpr int32_t kFloatingBelowTop = 20;
constexpr int32_t kFloatingWidth = 400;
constexpr int32_t kFloatingHeight = 300;
// The popup menu opens beside the click; the floating window's caption
// lies above its client area.
constexpr int32_t kMenuOffsetX = 10;
constexpr int32_t kMenuOffsetY = 10;
constexpr int32_t kMenuOffsetYCaption = 35;

cPObjPoint *PrototypeOf(const cToolBarItem *button) {
    auto *tool = dynamic_cast<const cMusicToolBarItem *>(button);
    return tool ? cPObjBase::PrototypeById(tool->GetClassId()) : nullptr;
}

// The plain label of the top-level menu that holds the command.
std::u16string TopMenuLabel(uint32_t commandId) {
    cMenuItemBase *item = gMainMenu ? gMainMenu->FindById(commandId) : nullptr;
    cMenuItemBase *top = item ? item->GetTopLevelMenu() : nullptr;
    return top ? Text(top->GetPlainLabel()) : std::u16string();
}

std::u16string CommandLabel(uint32_t commandId) {
    return gMainMenu ? Text(gMainMenu->GetCommandPlainLabel(commandId)) : std::u16string();
}

// The floating window of every symbol.  When it goes (the user's close box,
// or the frame's own end), it leaves its bar, so that deleting the bar never
// touches it, and tells the frame, which deletes the bar and forgets both.
class cFloatingPaletteWin : public cViewPortPopupToolWin {
public:
    cFloatingPaletteWin(ProgWinClass *frameWindow, const char16_t *title)
        : cViewPortPopupToolWin(frameWindow, title), frame(frameWindow) {}

    tStatus OnClose(sWinMessage &record) override {
        tStatus result = cViewPortPopupToolWin::OnClose(record);
        if (result >= 0) LeaveFrame();
        return result;
    }
    tStatus OnDestroy(sWinMessage &record) override {
        tStatus result = cViewPortPopupToolWin::OnDestroy(record);
        LeaveFrame();
        return result;
    }

private:
    void LeaveFrame() {
        if (toolBar) toolBar->SetWindow(nullptr);
        toolBar = nullptr;
        if (ProgWinClass *told = std::exchange(frame, nullptr)) {
            told->UnregisterWindow(this);
            told->OnFloatingPaletteGone(this);
        }
    }

    ProgWinClass *frame;
};

}  // namespace

void ProgWinClass::OpenStaticPalette() {
    staticPaletteWin = new cViewPortStaticToolWin(this);
    staticPaletteBar = new cMusicToolBar(kPalettePages, kPalettePageCount, staticPaletteWin);
    staticPaletteWin->SetToolBar(staticPaletteBar);
    staticPaletteWin->Open();
}

cViewPortStaticToolWin *ProgWinClass::GetActivePaletteWin() {
    if (popupPaletteWin && FindRegisteredWindow(popupPaletteWin)) return popupPaletteWin;
    return staticPaletteWin;
}

bool ProgWinClass::IsPopupPaletteActive() { return popupPaletteWin && GetActivePaletteWin() == popupPaletteWin; }

cMusicToolBarItem *ProgWinClass::GetCurrentTool() {
    cMusicToolBar *bar = popupPaletteBar && IsPopupPaletteActive() ? popupPaletteBar : staticPaletteBar;
    return bar ? dynamic_cast<cMusicToolBarItem *>(bar->GetPressedItem()) : nullptr;
}

// The window leaves the register before it goes, so that a later window at
// the same address is not taken for it.
void ProgWinClass::DeletePopupPalette() {
    if (popupPaletteWin) UnregisterWindow(popupPaletteWin);
    delete std::exchange(popupPaletteBar, nullptr);
    popupPaletteWin = nullptr;
}

void ProgWinClass::SelectPalettePage(uint32_t pageId) {
    if (IsPopupPaletteActive()) {
        if (pageId == kCmdPaletteNone) {
            popupPaletteWin->SetToolBarEnabled(0);
            popupPaletteWin->InvalidateAll();
        } else {
            DeletePopupPalette();
        }
    }
    if (!IsPopupPaletteActive() && staticPaletteBar) {
        staticPaletteBar->SelectGroup(pageId);
        // The palette is as tall as the page's rows.
        Layout();
        if (staticPaletteWin) staticPaletteWin->InvalidateAll();
    }
    PostToolSelected();
    if (scoreWin) scoreWin->UpdateStatusText();
}

void ProgWinClass::ShowAllToolsWindow(const char16_t *rectText) {
    if (IsPopupPaletteActive()) {
        popupPaletteWin->SetToolBarEnabled(1);
        popupPaletteWin->InvalidateAll();
        return;
    }
    SelectPalettePage(kCmdPaletteNone);
    DeletePopupPalette();
    closedPaletteWin.reset();

    // "Draw All", translated with the menu.
    const std::u16string title =
        (TopMenuLabel(kCmdFirstPalettePage) + u" " + CommandLabel(kCmdPaletteAll)).substr(0, kTitleChars);
    popupPaletteWin = new cFloatingPaletteWin(this, title.c_str());
    popupPaletteBar = new cMusicToolBar(kPalettePages, kPalettePageCount, popupPaletteWin);
    if (rectText) {
        popupPaletteWin->SetRectFromText(rectText);
        const cRectangl &place = popupPaletteWin->DeviceRect();
        popupPaletteWin->SetFrameRect(place.x, place.y, place.Width(), place.Height());
    } else {
        popupPaletteWin->SetFrameRect(GetScreenX() + GetWidth() - kFloatingLeftOfRight,
                                      GetScreenY() + kFloatingBelowTop, kFloatingWidth, kFloatingHeight);
    }
    popupPaletteWin->SetToolBar(popupPaletteBar);
    popupPaletteWin->Open();
    if (rectText) {
        popupPaletteWin->SetRectFromText(rectText);
        const cRectangl &place = popupPaletteWin->DeviceRect();
        popupPaletteWin->SetSize(place.Width(), place.Height());
    }
    // Every button in rows across the window, then the window fits them.
    popupPaletteBar->SelectGroup(kAllToolsGroup);
    popupPaletteWin->SetSize(popupPaletteBar->GetWidth(), popupPaletteBar->GetHeight());
    popupPaletteWin->InvalidateAll();
}

void ProgWinClass::OnFloatingPaletteGone(cViewPortPopupToolWin *window) {
    if (!window || window != popupPaletteWin) return;
    // The window has left the bar: deleting the bar leaves it alone.
    delete std::exchange(popupPaletteBar, nullptr);
    popupPaletteWin = nullptr;
    closedPaletteWin.reset(window);
}

cToolBarItem *ProgWinClass::LiveButton(tLParam carried) const {
    auto *button = reinterpret_cast<const cToolBarItem *>(carried);
    if (!button) return nullptr;
    for (cMusicToolBar *bar : {staticPaletteBar, popupPaletteBar})
        if (bar && bar->HoldsButton(button)) return const_cast<cToolBarItem *>(button);
    return nullptr;
}

void ProgWinClass::OnToolSelected() {
    cPObjPoint *prototype = PrototypeOf(GetCurrentTool());
    const bool translating = Translating();
    if (prototype && gOpSys) {
        std::u16string line = translating ? u"translating: " : u"";
        line += u"(Tool=" + Text(prototype->GetTypeName()) + u")";
        gOpSys->Log().WriteString(line, 1);
    }
    if (!translating) {
        if (gMainMenu) {
            if (prototype && prototype->HasClassSetup() == RC_OK)
                gMainMenu->EnableCommand(kCmdSetupDraw);
            else
                gMainMenu->DisableCommand(kCmdSetupDraw);
        }
        return;
    }
    // The floating palette stays enabled while the frame's dialog runs, and
    // the dialog's loop hands its choice to this handler again: one hint is
    // edited at a time, never a dialog over a dialog.
    if (editingToolHint) return;
    std::unique_ptr<cDialogBox> dialog(NewDialogBox(kToolHintDialogId, kToolHintHelpTopic));
    if (!dialog || !prototype) return;
    std::u16string hint = Text(prototype->GetHint()).substr(0, kToolHintChars);
    dialog->NewTextInput(kToolHintInputId, &hint, kToolHintChars);
    editingToolHint = true;
    const tStatus answer = dialog->Open();
    editingToolHint = false;
    if (answer != RC_FAIL) prototype->SetHint(hint.c_str());
}

void ProgWinClass::OnToolRightClick(const sWinMessage &record) {
    cPObjPoint *prototype = PrototypeOf(LiveButton(record.lParam));
    if (!prototype) return;
    if (scoreWin) scoreWin->SetRightClicked(prototype);
    cSubMenuBase *menu = CreatePopupMenu(u"ToolRBtn", 0, 0);
    if (!menu) return;
    menu->AddItem(CommandLabel(kCmdHelp).c_str(), kWindowCommandBit | kCmdHelp, 0);
    if (prototype->HasClassSetup() == RC_OK) {
        const std::u16string label = TopMenuLabel(kCmdSetupDraw) + u" " + CommandLabel(kCmdSetupDraw);
        menu->AddItem(label.c_str(), kWindowCommandBit | kCmdSetupDraw, 0);
    }
    const int32_t x = int32_t(uint32_t(record.key) & 0xFFFF);
    const int32_t y = int32_t((uint32_t(record.key) >> 16) & 0xFFFF);
    const int32_t dy = IsPopupPaletteActive() ? kMenuOffsetYCaption : kMenuOffsetY;
    TrackPopupMenu(x + kMenuOffsetX, y + dy, GetActivePaletteWin());
}

void ProgWinClass::OnToolHover(const sWinMessage &record) {
    cPObjPoint *prototype = PrototypeOf(LiveButton(record.lParam));
    auto *bar = dynamic_cast<cStatusBarBase *>(GetStatusBar());
    if (prototype && bar) bar->SetHelpText(prototype->GetHint());
}

tStatus ProgWinClass::OnMessage(uint32_t message, sWinMessage &record) {
    switch (message) {
        case kMsgToolSelected: OnToolSelected(); return RC_OK;
        case kMsgToolRightClick: OnToolRightClick(record); return RC_OK;
        case kMsgToolHover: OnToolHover(record); return RC_OK;
        default: return cViewPortTop::OnMessage(message, record);
    }
}
