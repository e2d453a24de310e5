#include "foundation/win32_win.h"
#include "app/prog_win_class.h"

#include "app/menu_texts.h"
#include "app/music_window.h"
#include "foundation/wide_stream.h"
#include "midi/midi_devices.h"
#include "platform/op_sys.h"
#include "platform/version_word.h"
#include "ui/language_dialogs.h"
#include "ui/menu_item.h"
#include "ui/status_bar.h"
#include "ui/view_help.h"

namespace {
constexpr uint32_t kProgramIcon = 100;
constexpr uint32_t kHelpFileString = 1002;
// The status bar's parts as (width, gap, style): the hints go into part 0;
// the gaps after parts 2 and 3 hold the volume and zoom sliders.
constexpr int32_t kHelpPart = 0;
constexpr int32_t kStatusParts[][3] = {{320, 0, 1}, {120, 0, 1}, {70, 100, 0}, {73, 100, 0}, {120, 0, 1}};
// A command message carries the command's id in the low word of its key.
constexpr uint32_t kCommandIdMask = 0xFFFF;
}  // namespace

ProgWinClass::ProgWinClass(int32_t showMode, const char16_t *title)
    : cViewPortTop(showMode, title) {
    SetIconId(kProgramIcon);
    // The key names are in place before a language file names its texts
    // by them.
    LoadMainMenu(*this);
}

ProgWinClass::~ProgWinClass() = default;

tStatus ProgWinClass::Open() {
    tStatus status = cViewPortTop::Open();
    auto *opSys = static_cast<cOpSysVirtual *>(gOpSys);
    opSys->OpenDebugLog(u"PelmoraLog", u"txt", gProgramStatus.IsDebugMode() ? 10 : 3);
    firstRun = opSys->SetupIniFileInDataFolder(u"PelmoraSetup.ini");
    opSys->LoadAccelerators(u"M_PELMORA");
    if (cViewHelp *help = opSys->GetHelpViewer()) help->SetHelpFile(opSys->LoadString(kHelpFileString));
    OpenStatusBar();
    OpenScoreWindow();
    // The language file named in the settings; a non-English first run asks.
    InstallLanguageDialogs();
    opSys->ChooseLanguage(kLanguageFilePattern);
    // The MIDI devices go into the log before editing begins, so that a
    // report of a sound problem shows what the program found.
    cWideStream devices;
    devices << GetMidiDeviceReport() << u"\n" << u"[edit]" << u"\n";
    opSys->Log().WriteWideStream(devices, 0);
    cMenuItemBase *newItem = gMainMenu ? gMainMenu->FindById(kCmdNew) : nullptr;
    opSys->FillRecentFilesMenu(newItem ? newItem->GetParent() : nullptr, kFirstRecentFileId);
    // The first run leaves a settings file behind at once.
    if (firstRun == RC_FAIL) opSys->Settings().Save(nullptr);
    return status;
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
    scoreWindow = new MusicWin(this);
    AddListener(scoreWindow);
    scoreWindow->Open();
    PlaceScoreWindow(GetWidth(), GetHeight());
    scoreWindow->UpdateStatusText();
}

void ProgWinClass::PlaceScoreWindow(int32_t width, int32_t height) {
    if (!scoreWindow) return;
    auto *bar = dynamic_cast<cStatusBarBase *>(GetStatusBar());
    const int32_t barHeight = bar ? bar->GetHeight() : 0;
    scoreWindow->MoveWindowTo(0, 0, width, height > barHeight ? height - barHeight : 0);
}

tStatus ProgWinClass::OnSize(int32_t width, int32_t height, sWinMessage &record) {
    tStatus status = cViewPortTop::OnSize(width, height, record);
    if (auto *bar = dynamic_cast<cStatusBarBase *>(GetStatusBar())) {
        const int32_t barHeight = bar->GetHeight();
        bar->MoveWindowTo(0, height - barHeight, width, barHeight);
    }
    PlaceScoreWindow(width, height);
    return status;
}

tStatus ProgWinClass::OnCommand(sWinMessage &record) {
    tStatus taken = cViewPortTop::OnCommand(record);
    if (taken >= 0) return taken;
    // A window's popup copy of a frame command does what the command does.
    switch (record.key & kCommandIdMask & ~kWindowCommandBit) {
        case kCmdExit:
            return gOpSys->CloseMainWindow();
        case kCmdTranslate:
            ToggleTranslateMode(*gOpSys, gMainMenu);
            return RC_OK;
        case kCmdResetLanguage:
            ResetMenuTexts(*gOpSys, *this);
            return RC_OK;
        default:
            return OnFrameCommand(record.key & kCommandIdMask & ~kWindowCommandBit);
    }
}
