#include "app/music_window.h"

#include "app/menu_texts.h"

#include <cmath>

#include "document/block_mark.h"
#include "document/undo_list.h"
#include "foundation/clipboard_text.h"
#include "foundation/path_names.h"
#include "foundation/text_util.h"
#include "midi/midi_track.h"
#include "platform/op_sys_base.h"
#include "platform/version_word.h"
#include "staves/score_object.h"
#include "staves/score_registry.h"
#include "staves/staff.h"
#include "ui/menu_item.h"
#include "ui/message_ids.h"
#include "ui/status_bar.h"
#include "ui/status_slider.h"
#include "ui/win_print.h"

namespace {
// Status-bar parts of the score window; the frame makes them.
constexpr int32_t kModePart = 0;
constexpr int32_t kPositionPart = 1;
constexpr int32_t kVolumePart = 2;
constexpr int32_t kZoomPart = 3;
constexpr int32_t kCountPart = 4;

constexpr uint32_t kStaffPage = 307;
constexpr uint32_t kCmdCopy = 200;
constexpr uint32_t kCmdCut = 201;
constexpr uint32_t kCmdPaste = 202;
constexpr uint32_t kCmdDelete = 203;
constexpr uint32_t kCmdUndo = 204;
constexpr uint32_t kCmdDeselect = 205;
constexpr uint32_t kCmdPasteLyrics = 207;
constexpr uint32_t kCmdPasteText = 208;
constexpr uint32_t kCmdMove = 209;
constexpr uint32_t kCmdResize = 210;
constexpr uint32_t kCmdPlay = 400;
constexpr uint32_t kCmdStop = 401;
constexpr uint32_t kCmdPlayConfig = 402;
constexpr uint32_t kCmdMoveAll = 508;
constexpr uint32_t kCmdProperties = 601;

constexpr uint32_t kEditModeMove = 2;
constexpr uint32_t kEditModeResize = 3;
constexpr uint32_t kMoveAllFlag = 0x10;
constexpr int16_t kMusicTextId = 178;
constexpr uint32_t kUnicodeTextFormat = 13;  // CF_UNICODETEXT
constexpr int16_t kRedrawVisiblePages = 128;
// A command message carries its id in the low word of its key.
constexpr uint32_t kCommandIdMask = 0xFFFF;
constexpr uint32_t kMessageUser = 0x400;

// Appends the piece, cut so that the text stays within the status length.
void AppendLimited(std::u16string &text, const std::u16string &piece) {
    if (text.size() >= MusicWin::kStatusTextLength) return;
    text.append(piece, 0, MusicWin::kStatusTextLength - text.size());
}

std::u16string OrEmpty(const char16_t *text) { return text ? std::u16string(text) : std::u16string(); }

std::u16string PadLeft(const std::u16string &text, size_t width) {
    return text.size() >= width ? text : std::u16string(width - text.size(), u' ') + text;
}

cStatusBarBase *StatusBarOf(cMessageDvcBase &window) {
    return dynamic_cast<cStatusBarBase *>(window.GetStatusBar());
}
}  // namespace

uint32_t EditModeMenuId(uint32_t editMode) {
    switch (editMode) {
        case kEditModeMove: return kCmdMove;
        case kEditModeResize: return kCmdResize;
        default: return 0;
    }
}

std::u16string ZoomLogText(int32_t sliderValue, int32_t lineSpacing) {
    const float zoom = float(sliderValue) / float(lineSpacing ? lineSpacing : 1);
    const double scaled = std::floor(double(zoom * zoom * 100.0f) + 0.5);
    const uint32_t percent = scaled <= 0 ? 0u : scaled >= 4294967295.0 ? 0xFFFFFFFFu : uint32_t(scaled);
    return u"Status: Zoom=" + FormatUnsigned(percent) + u"%";
}

MusicWin::MusicWin(cMessageDvcBase *owningFrame)
    : cViewPort(owningFrame, kScoreWindowStyle, u"MusicWin"), frame(owningFrame) {
    player = gOpSys ? gOpSys->NewMidiTrack(kPlayerTicksPerQuarter, kPlayerBufferSize) : nullptr;
}

MusicWin::~MusicWin() {
    zoomSlider = nullptr;
    volumeSlider = nullptr;
    if (score) {
        delete score;
        score = nullptr;
        cPObjBase::ShutDown();
    }
    if (gCurrentScoreWindow == this) cPObjBase::SetCurrentWindow(nullptr);
    if (gOutputWindow == printer) cPObjBase::SetOutputWindow(nullptr);
    delete printer;
    delete player;
    delete productWin;
}

tStatus MusicWin::Open() {
    cViewPort::Open();
    SetDefaultTextFont();
    cPObjBase::SetCurrentWindow(this);
    printer = new cWinPrint();
    printer->Attach();
    cPObjBase::SetOutputWindow(printer);
    CreateScoreRegistry();
    score = new ScoreObject(this);
    score->AddStaff(new StaffObject());
    score->SetFileName(kNoNameScore);
    SetFrameTitle(kNoNameScore);
    score->Paginate();
    score->SetSoundOutput(player);
    MakeSliders();
    // The items are right before the first paint comes.
    if (!gOpSys || !gOpSys->IsTranslateMode()) UpdateMenuStates();
    return RC_OK;
}

// Arial where it is installed, Times otherwise; without either the default
// stays as it was.
void MusicWin::SetDefaultTextFont() {
    constexpr uint16_t kNoFont = 0xFFFF;
    uint16_t font = FindFont(u"arial", -13, 0);
    if (font == kNoFont) font = FindFont(u"times", -13, 0);
    if (font != kNoFont) SetDefaultFont(font);
}

void MusicWin::MakeSliders() {
    cStatusBarBase *bar = StatusBarOf(*this);
    if (!bar) return;
    volumeSlider = new cStatusVolume(bar, kVolumePart, player, this);
    const int32_t spacing = cStaffBase::CurrentLineSpacing();
    zoomSlider = new cStatusZoom(bar, kZoomPart, this, spacing, spacing / 2, 3 * spacing);
}

tStatus MusicWin::OnMessage(uint32_t message, sWinMessage &record) {
    if (message == kMsgHScroll && zoomSlider) {
        tWindowHandle handle = zoomSlider->GetWindowHandle();
        if (handle && record.lParam == reinterpret_cast<tLParam>(handle)) {
            ApplyZoomSlider();
            return RC_OK;
        }
    }
    if (message == kMessageUser) return OnPlayerNotice(uint32_t(record.key), record.lParam);
    return cViewPort::OnMessage(message, record);
}

void MusicWin::ApplyZoomSlider() {
    if (!zoomSlider || !zoomSlider->IsEnabled()) return;
    const int32_t spacing = cStaffBase::CurrentLineSpacing();
    const int32_t value = zoomSlider->GetValueInt();
    const float zoom = float(value) / float(spacing ? spacing : 1);
    SetZoomX(zoom);
    SetZoomY(zoom);
    ApplyOrigin();
    UpdateScrollExtent();
    if (gOpSys) gOpSys->Log().WriteString(ZoomLogText(value, spacing));
}

tStatus MusicWin::OnPaint(sWinMessage &) {
    if (busy || !score) return RC_OK;
    cGraphDvc *previous = cPObjBase::SetCurrentWindow(this);
    score->Redraw(kRedrawVisiblePages);
    cPObjBase::SetCurrentWindow(previous);
    // Translate mode enables every item so that each can be translated.
    if (gOpSys && gOpSys->IsTranslateMode()) return RC_OK;
    UpdateMenuStates();
    return RC_OK;
}

void MusicWin::UpdateMenuStates() {
    if (!gMainMenu) return;
    auto set = [](uint32_t id, bool on) { on ? gMainMenu->EnableCommand(id) : gMainMenu->DisableCommand(id); };
    cPObjPoint *selected = gSelectedObject;
    set(kCmdProperties, selected && selected->HasObjectSetup() == 0);
    set(kCmdDelete, selected != nullptr);
    set(kCmdDeselect, selected != nullptr);
    set(kCmdUndo, gPointUndo && gPointUndo->GetRecordCount() > 0);
    set(kCmdPaste, gBlockClipboard != nullptr);
    set(kCmdCopy, gCurrentBlockMark != nullptr);
    set(kCmdCut, gCurrentBlockMark != nullptr);
    UpdatePasteStates();
}

void MusicWin::UpdatePasteStates() {
    if (!gMainMenu) return;
    const bool unicodeText = ClipboardTextLength(kUnicodeTextFormat) != 0;
    unicodeText ? gMainMenu->EnableCommand(kCmdPasteLyrics) : gMainMenu->DisableCommand(kCmdPasteLyrics);
    gMainMenu->DisableCommand(kCmdPasteText);
    cPObjPoint *selected = gSelectedObject;
    if (selected && selected->GetTypeId() == kMusicTextId && (unicodeText || ClipboardRtfLength() != 0))
        gMainMenu->EnableCommand(kCmdPasteText);
}

tStatus MusicWin::OnSize(int32_t width, int32_t height, sWinMessage &record) {
    cViewPortBase::OnSize(width, height, record);
    if (score) SetScoreExtent();
    return RC_OK;
}

void MusicWin::SetScoreExtent() {
    const cRectangl &bounds = *score->GetBounds();
    const int32_t right = bounds.Right();
    const int32_t bottom = bounds.Bottom();
    int32_t page = right;
    if (printer) {
        const float zoom = printer->GetZoomX();
        page = zoom != 0 ? int32_t(float(printer->GetWidth()) / zoom) : right;
    }
    SetScrollExtent((right > page ? right : page) + 25, bottom + 3 * GetHeight() / 4);
}

void MusicWin::UpdateScrollExtent() {
    if (!score) return;
    score->UpdateBarNumbers();
    SetScoreExtent();
    score->Paginate();
    InvalidateAll();
}

tStatus MusicWin::OnSetFocus(sWinMessage &) {
    if (zoomSlider && zoomSlider->IsEnabled()) {
        zoomSlider->InvalidateAll();
        zoomSlider->PrepareDraw();
    }
    if (volumeSlider) {
        volumeSlider->InvalidateAll();
        volumeSlider->PrepareDraw();
    }
    return RC_OK;
}

tStatus MusicWin::MoveWindowTo(int32_t x, int32_t y, int32_t width, int32_t height) {
    return cViewPort::MoveWindowTo(x, y, width, height);
}

void MusicWin::UpdateStatusText() {
    cStatusBarBase *bar = StatusBarOf(*this);
    if (!bar) return;
    std::u16string mode;
    if (score && score->GetInsertMode()) AppendLimited(mode, u"INS, ");
    std::u16string editMenu, modeLabel, moveAll;
    if (gMainMenu) {
        if (cMenuItemBase *copy = gMainMenu->FindById(kCmdCopy))
            if (cMenuItemBase *top = copy->GetTopLevelMenu()) editMenu = OrEmpty(top->GetPlainLabel());
        if (uint32_t id = EditModeMenuId(gEditMode)) modeLabel = OrEmpty(gMainMenu->GetCommandPlainLabel(id));
        moveAll = OrEmpty(gMainMenu->GetCommandPlainLabel(kCmdMoveAll));
    }
    AppendLimited(mode, editMenu + u": " + modeLabel);
    if (gEditFlags & kMoveAllFlag) AppendLimited(mode, u"-" + moveAll);
    bar->SetPartText(kModePart, mode.c_str());

    std::u16string position = u"Pos " + PadLeft(FormatInt(mouseX), 4) + u"," + PadLeft(FormatInt(mouseY), 5);
    bar->SetPartText(kPositionPart, position.substr(0, kStatusTextLength).c_str());

    if (gProgramStatus.IsDebugMode()) {
        const uint16_t symbols = score ? uint16_t(score->CountDescendants()) : 0;
        std::u16string counts = u"Obj " + FormatUnsigned(symbols) + u", " + FormatUnsigned(gLiveSymbolCount);
        bar->SetPartText(kCountPart, counts.c_str());
    }
}

cPObjPoint *MusicWin::TakeCurrentSymbol() {
    cPObjPoint *symbol = gSelectedObject ? gSelectedObject : rightClicked;
    rightClicked = nullptr;
    return symbol;
}

bool MusicWin::RepaintPendingArea(bool clear) {
    const cRectangl *area = cRectangl::TempUnion(*cPObjBase::GetRedrawArea(), *cPObjBase::GetOwnerRedrawArea());
    const bool pending = !area->IsEmpty();
    if (pending) InvalidateArea(area->Left(), area->Top(), area->Width(), area->Height());
    if (clear) {
        cPObjBase::ClearRedrawArea();
        cPObjBase::ClearOwnerRedrawArea();
    }
    return pending;
}

cMusicToolBarItem *MusicWin::GetCurrentTool() { return paletteHost ? paletteHost->GetCurrentTool() : nullptr; }

void MusicWin::SetEditMode(uint32_t mode) {
    gEditMode = mode;
    UpdateStatusText();
}

void MusicWin::OnDeselect() {
    rightClicked = nullptr;
    if (!score) return;
    score->ClearSelection(0, 0);
    InvalidateAll();
}

// The previous file is copied, not moved, to its backup: the write replaces
// it only once complete, so a failed write leaves it where it was.
tStatus MusicWin::SaveScore(const char16_t *path) {
    if (!score || !path || !*path) return RC_FAIL;
    std::u16string backup = path;
    if (gOpSys && gOpSys->FileExists(path) == RC_OK && HasExtension(backup, u"bak") != RC_OK) {
        SetExtension(backup, u"bak");
        gOpSys->CopyFile(backup.c_str(), path, 1);
    }
    return cPObjPoint::SaveFile(score, path, nullptr);
}

tStatus MusicWin::CanClose() {
    OnStop();
    tStatus result = RC_OK;
    if (score && score->GetChangeFlags() != 0) {
        constexpr int32_t kAnswerNo = 7;
        if (AskYesNo(u"Do you want to save?", u"Score has changed") == kAnswerNo) {
            score->ClearChangeFlags();
        } else if (SaveScore(score->GetFileName()) != RC_OK) {
            // The write's failure was shown; closing now would lose the work.
            result = RC_FAIL;
        }
    }
    TakeFocus();
    return result;
}

tStatus MusicWin::OnClose(sWinMessage &record) {
    rightClicked = nullptr;
    zoomSlider = nullptr;
    volumeSlider = nullptr;
    return cMessageDvc::OnClose(record);
}

tStatus MusicWin::OnCommand(sWinMessage &record) {
    if (cMessageDvcBase::OnCommand(record) >= 0) return RC_OK;
    const uint32_t id = record.key & kCommandIdMask & ~kWindowCommandBit;
    // The symbol popup's own items.
    if (OnInputCommand(id) >= 0) return RC_OK;
    if (id >= kFirstRecentFileId && id <= kLastRecentFileId) {
        const char16_t *recent = gOpSys ? gOpSys->GetRecentFile(int32_t(id - kFirstRecentFileId)) : nullptr;
        // A number beyond the list opens nothing (never the dialog).
        if (recent && *recent) OnFileOpen(std::u16string(recent).c_str());
        return RC_OK;
    }
    switch (id) {
        case kCmdNew:
            OnFileNew();
            // The first click on a new score places a staff.
            if (paletteHost && !paletteHost->IsPopupPaletteActive()) paletteHost->SelectPalettePage(kStaffPage);
            return RC_OK;
        case kMenuOpen: OnFileOpen(nullptr); return RC_OK;
        case kMenuSave: OnFileSave(); return RC_OK;
        case kMenuSaveAs: OnFileSaveAs(); return RC_OK;
        case kMenuSongbook: OnSongbook(); return RC_OK;
        case kMenuExportMidi: OnExportMidi(); return RC_OK;
        case kMenuExportText: OnExportText(); return RC_OK;
        case kMenuExportCsv: OnExportCsv(); return RC_OK;
        case kMenuPrint: OnPrint(); return RC_OK;
        case kMenuPrinterSetup: OnPrinterSetup(nullptr); return RC_OK;
        case kMenuExampleFiles: OnExampleFiles(); return RC_OK;
        case kCmdMove: SetEditMode(kEditModeMove); return RC_OK;
        case kCmdResize: SetEditMode(kEditModeResize); return RC_OK;
        case kCmdDeselect: OnDeselect(); return RC_OK;
        case kCmdPlay: OnPlay(); return RC_OK;
        case kCmdStop: OnStop(); return RC_OK;
        case kCmdPlayConfig: OnPlayConfig(); return RC_OK;
        // The file, edit, score, format, set-up and help commands come with
        // their handlers; until then the frame is told they are not taken.
        default: return RC_FAIL;
    }
}
