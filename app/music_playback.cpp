// The Score menu's playback commands of the score window: Play, Stop
// Playback and Config, and the notices with which the player reports back
// while it plays (a position mark passed, the pass ended).
//
// The notices are posted, so they may arrive after the pass they belong to
// was stopped or replaced, and the score goes on being edited while it
// plays.  Each pass is therefore numbered: Play posts the number behind
// whatever the previous pass left queued, and notices count only between
// that number and the end or stop of the pass.  A mark names its symbol by
// tag: a tag whose symbol was deleted, or whose symbol no longer belongs to
// the score (taken out and kept for undo), highlights nothing.
#include <sstream>
#include <string>
#include <vector>

#include "app/music_window.h"
#include "document/music_base.h"
#include "document/symbol_tags.h"
#include "midi/midi_driver.h"
#include "midi/midi_track.h"
#include "midi/music_file.h"
#include "platform/op_sys_base.h"
#include "platform/version_word.h"
#include "staves/score_object.h"
#include "ui/wait_cursor.h"

namespace {
constexpr const char16_t *kDumpFileName = u"MidiDump.txt";
// Text and character symbols: the selection that the end of a pass clears.
constexpr uint32_t kTextSymbolFlag = 2;
// The window's own notice: lParam is the number of the pass that starts.
// It lies outside the player's notice codes.
constexpr uint32_t kPassStartNotice = 0x7000;
}  // namespace

void MusicWin::OnPlay() {
    // A player without a stream is what a machine without a MIDI output
    // device gives: it could only fail, so it counts as no player.
    if (!player || !player->HasStream()) {
        ShowMessage(u"Check your MIDI setup", u"MIDI Error");
        return;
    }
    following = false;
    player->ResetState();
    player->Reset();
    player->SetNotifyWindow(GetWindowHandle());
    {
        cWaitCursor wait;
        cMusicBase::ExportMidi(score, player, nullptr, nullptr);
    }
    if (gProgramStatus.IsDebugMode()) WritePlayerDump();
    // The reset left nothing of the old pass to post: whatever it posted
    // is queued ahead of this number.
    ++passNumber;
    if (tWindowHandle window = GetWindowHandle())
        GetMidiDriver()->PostNotice(window, kPassStartNotice, intptr_t(passNumber));
    player->Play();
}

// A dump that cannot be written leaves the pass without one.
void MusicWin::WritePlayerDump() {
    std::string heading = "Playing ";
    if (score && gOpSys) heading += gOpSys->ToAnsiText(score->GetFileName());
    player->SetQuantum(0);
    cMusicFile::WriteTracksText(kDumpFileName, heading.c_str(), {player});
}

void MusicWin::OnStop() {
    if (!player) return;
    // The number goes with the pass: its start, should it still be queued,
    // no longer starts anything.
    ++passNumber;
    following = false;
    player->Stop();
    player->SetNotifyWindow(nullptr);
    EndPlayback();
}

void MusicWin::EndPlayback() {
    if (score) {
        score->ClearSelection(0, kTextSymbolFlag);
        score->DeleteBlockMarks();
    }
    InvalidateAll();
}

// The tempo dialog's metronome clicks on the same player, and its start
// would end a pass without the end notice: the pass is stopped first.
void MusicWin::OnPlayConfig() {
    OnStop();
    if (score) score->TempoDialog(0);
}

tStatus MusicWin::OnPlayerNotice(uint32_t notice, tLParam lParam) {
    if (notice == kPassStartNotice) {
        following = player && uint32_t(lParam) == passNumber;
        return RC_OK;
    }
    if (!following || !player) return RC_OK;
    if (notice == kMomDone) {
        following = false;
        player->SetNotifyWindow(nullptr);
        EndPlayback();
        if (gOpSys) gOpSys->Log().WriteText(u"Status: (MIDI done)");
    } else if (notice == kMomPositionCb) {
        auto *symbol = dynamic_cast<cPObjPoint *>(SymbolOfTag(uint32_t(lParam)));
        if (!symbol || !score || symbol->GetRoot() != score) return RC_OK;
        score->HilightObject(symbol);
        RepaintPendingArea(true);
        if (gOpSys) {
            std::ostringstream line;
            line << "Status: (MIDI at ";
            cPObjBase::WriteObjectRef(line, symbol);
            line << " @" << symbol->GetX() << ',' << symbol->GetY() << ')';
            gOpSys->Log().WriteNarrowStream(line);
        }
    }
    return RC_OK;
}
