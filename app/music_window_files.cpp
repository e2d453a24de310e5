// The File menu of the score window: New, Open and the recent files, Save,
// Save as, the four exports, Print, Printer Setup and Example Files.  The
// commands only orchestrate; the score files are read and written by the
// document and the score object, the exports by the export walk, the pages
// by the printer device.
#include <string>

#include "app/music_window.h"
#include "app/menu_texts.h"
#include "foundation/clipboard_text.h"
#include "foundation/debug_log.h"
#include "foundation/file_replacement.h"
#include "foundation/replacing_file_stream.h"
#include "midi/midi_file.h"
#include "midi/music_track_csv.h"
#include "notation/symbol_catalogue.h"
#include "platform/op_sys_base.h"
#include "platform/version_word.h"
#include "staves/score_object.h"
#include "staves/staff.h"
#include "ui/menu_item.h"
#include "ui/status_slider.h"
#include "ui/wait_cursor.h"
#include "ui/win_print.h"

namespace {
constexpr const char16_t *kOpenFilter = u"Pelmora|*.pmr|MIDI|*.mid|All files|*.*";
constexpr const char16_t *kSaveAsFilter = u"Pelmora files|*.pmr|All files|*.*";
constexpr const char16_t *kMidiFilter = u"MIDI files|*.mid|All files|*.*";
constexpr const char16_t *kTextFilter = u"Text files|*.txt|All files|*.*";
constexpr const char16_t *kCsvFilter = u"CSV files|*.csv|All files|*.*";
constexpr const char16_t *kScoreExtension = u"pmr";

constexpr uint32_t kCsvBufferSize = 1024;

bool IsTranslating() { return gOpSys && gOpSys->IsTranslateMode(); }

// The chosen name, or empty when the dialog was cancelled.
std::u16string Chosen(const char16_t *name) { return name ? std::u16string(name) : std::u16string(); }
}  // namespace

void MusicWin::SetFrameTitle(const char16_t *title) {
    if (auto *titled = dynamic_cast<cMessageDvc *>(frame)) titled->SetWindowTitle(title);
}

tStatus MusicWin::ResetDocument() {
    // A changed score whose save failed stays: emptying it would lose it.
    const tStatus asked = CanClose();
    if (asked != RC_OK) return asked;
    if (!score) return RC_OK;
    score->Clear(0);
    score->SetFileName(kNoNameScore);
    cPObjBase::ResetPrototypes();
    SetZoomX(1.0f);
    SetZoomY(1.0f);
    SetOrigin(0, 0);
    InvalidateAll();
    SetFrameTitle(score->GetFileName());
    if (zoomSlider && zoomSlider->IsEnabled()) zoomSlider->SetValueInt(cStaffBase::CurrentLineSpacing());
    // Emptying marks the layout stale, which counts as a change: an empty
    // new score would ask to be saved at the next close.
    score->ClearChangeFlags();
    UpdateStatusText();
    return RC_OK;
}

void MusicWin::OnFileNew() {
    if (ResetDocument() != RC_OK) return;
    LoadFile(nullptr);
}

tStatus MusicWin::LoadFile(const char16_t *path) {
    tStatus result = RC_OK;
    if (path && *path && score) {
        result = score->LoadFile(path);
        if (gOpSys) gOpSys->Log().LogFile(path);
        if (result < 0) {
            // What was read before the fault is no score of the user's: a
            // later Save must not put it over the file.  The loader has shown
            // why.
            score->Clear(0);
            score->SetFileName(kNoNameScore);
            score->ClearChangeFlags();
        } else if (gOpSys) {
            gOpSys->AddRecentFile(path, kRecentFileCount);
            gOpSys->Log().WriteString(u"Status: (Loaded file version: V" + std::u16string(FormatVersion(&gFileVersion)) +
                                      u")");
            gOpSys->SetCurrentFile(path);
        }
    }
    SetOrigin(0, 0);
    UpdateScrollExtent();
    UpdateStatusText();
    cPObjBase::SetRelocate(0);
    return result;
}

tStatus MusicWin::OnFileOpen(const char16_t *path) {
    const std::u16string chosen = path ? std::u16string(path) : Chosen(AskOpenFileName(kOpenFilter, kScoreExtension));
    if (chosen.empty() || !score) return RC_OK;
    if (ResetDocument() != RC_OK) return RC_OK;
    tStatus loaded;
    {
        cWaitCursor wait;
        loaded = LoadFile(chosen.c_str());
    }
    SetFrameTitle(score->GetFileName());
    if (!gOpSys) return RC_OK;
    gOpSys->SetWorkingFolderString(chosen);
    if (loaded >= 0) gOpSys->AddRecentFile(chosen.c_str(), kRecentFileCount);
    if (gMainMenu)
        if (cMenuItemBase *item = gMainMenu->FindById(kCmdNew))
            if (auto *file = dynamic_cast<cSubMenuBase *>(item->GetParent()))
                gOpSys->FillRecentFilesMenu(file, kFirstRecentFileId);
    return RC_OK;
}

void MusicWin::OnFileSave() {
    if (IsTranslating() || !score) return;
    SaveScore(score->GetFileName());
}

void MusicWin::OnFileSaveAs() {
    if (IsTranslating() || !score) return;
    const std::u16string name = Chosen(AskSaveFileName(kSaveAsFilter, kScoreExtension));
    if (name.empty()) return;
    const std::u16string previous = score->GetFileName() ? score->GetFileName() : u"";
    score->SetFileName(name.c_str());
    if (SaveScore(name.c_str()) != RC_OK) {
        // The failure was shown; the score keeps the name it is known by.
        score->SetFileName(previous.c_str());
        return;
    }
    SetFrameTitle(name.c_str());
    if (gOpSys) gOpSys->AddRecentFile(name.c_str(), kRecentFileCount);
}

void MusicWin::OnSongbook() {
    if (busy || !score) return;
    cMusicBase::MakeSongbook(score, nullptr);
}

void MusicWin::OnExportMidi() {
    if (IsTranslating() || !score) return;
    const std::u16string name = Chosen(AskSaveFileName(kMidiFilter, u"mid"));
    if (name.empty()) return;
    // The file writes itself at the end of the walk and reports a failure.
    cMidiFile file(name.c_str(), kTicksPerQuarter);
    cMusicBase::ExportMidi(score, nullptr, &file, nullptr);
}

void MusicWin::OnExportText() {
    if (IsTranslating() || !score) return;
    const std::u16string name = Chosen(AskSaveFileName(kTextFilter, u"txt"));
    if (name.empty()) return;
    // The log writer only appends: it writes a new file beside the old one,
    // which takes the old one's place once the text is complete.
    cFileReplacement replacement(name.c_str());
    if (!replacement.Begin()) {
        if (gOpSys) gOpSys->ShowError(uint32_t(replacement.GetSystemError()), nullptr);
        return;
    }
    cDebugLog writer;
    writer.SetFileName(replacement.GetPath().c_str());
    tStatus written;
    {
        cWaitCursor wait;
        written = PointWindowObject::WriteText(score, &writer, nullptr);
        if (gProgramStatus.IsDebugMode()) ClipboardDumpToLog(&writer);
    }
    if (written < 0) {
        replacement.Abandon();
        ShowMessage(u"The text could not be written whole; the file was left as it was.", u"Export");
        return;
    }
    if (!replacement.Commit() && gOpSys) gOpSys->ShowError(uint32_t(replacement.GetSystemError()), nullptr);
}

void MusicWin::OnExportCsv() {
    if (IsTranslating() || !score) return;
    const std::u16string name = Chosen(AskSaveFileName(kCsvFilter, u"csv"));
    if (name.empty()) return;
    // Opened by its wide name: any name the dialog gives can be written.
    // The stream reports its own failures and keeps an older file until
    // the list is complete.
    cReplacingFileStream stream(name.c_str());
    if (!stream.is_open()) return;
    {
        cMusicTrackCsv track(&stream, kTicksPerQuarter, kCsvBufferSize, nullptr);
        track.WriteHeader();
        cMusicBase::ExportMidi(score, &track, nullptr, nullptr);
        track.Close();
    }
    stream.Close();
}

void MusicWin::OnPrint() {
    busy = true;
    if (printer && score) score->DrawPages();
    // Printing drew the pictures for the printer: they are made again for
    // the screen.
    ReloadSymbolBitmaps();
    busy = false;
    InvalidateAll();
}

void MusicWin::OnPrinterSetup(const char16_t *printerName) {
    if (!printer) return;
    if (printer->ChoosePrinter(this, printerName) != RC_OK) return;
    cStaffBase::ApplyTemplateZoom();
    if (score) {
        score->Paginate();
        score->ApplyStaffVisibility();
    }
    if (gOpSys) {
        const char16_t *description = printer->Describe();
        gOpSys->Log().WriteString(u"Status: " + std::u16string(description ? description : u""));
    }
    InvalidateAll();
}

void MusicWin::OnExampleFiles() {
    if (!gOpSys) return;
    const std::u16string folder = gOpSys->GetDataFolder() ? gOpSys->GetDataFolder() : u"";
    const std::u16string previous = gOpSys->SetWorkingFolder(folder.c_str());
    if (gOpSys->FileExists((folder + u"*.pmr").c_str()) < 0)
        ShowMessage(u"Can't find any example files. Try re-installing.", u"Install Error");
    else
        OnFileOpen(nullptr);
    gOpSys->SetWorkingFolderString(previous);
}
