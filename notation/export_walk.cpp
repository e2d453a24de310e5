// The driver of the export-and-play walk: playing a score, writing it as a
// Standard MIDI File and writing its CSV note list are one walk of command
// 15 over the symbol tree, every symbol writing its own events into the
// track that the walk carries.  The driver prepares the outputs, resets the
// walk's time, sends the command and closes the outputs.
#include <map>
#include <optional>
#include <string>

#include "document/document_root.h"
#include "document/music_commands.h"
#include "midi/midi_file.h"
#include "midi/music_track.h"
#include "notation/staff_services.h"
#include "notation/symbol_classes.h"

namespace {

// The text the first track of every exported file begins with.
const char16_t kCreatedBy[] = u"Created by Pelmora";

// MIDI clocks per metronome click and thirty-seconds per quarter of the
// time signature event.
constexpr int32_t kClocksPerClick = 24;
constexpr int32_t kThirtySecondsPerQuarter = 8;

uint16_t ScoreTempo() { return gCurrentDocument ? gCurrentDocument->GetTempo() : 120; }

bool ScorePlaysRepeats() { return gCurrentDocument ? gCurrentDocument->GetPlayRepeats() != 0 : true; }

// The score-wide events at time 0 of the first track, from the running
// context as the walk finds it.
void PutScoreHeader(cMusicTrack &track) {
    track.PutText(kCreatedBy);
    track.PutTempo(ScoreTempo());
    // The running word may come from anywhere: one that sets no measure
    // would shift by more than the word can mean.
    const uint16_t word = IsUsableTimeWord(gMusicState.timeWord) ? gMusicState.timeWord : kDefaultTimeWord;
    track.PutTimeSignature(word >> 8, 1 << (word & 0xFF), kClocksPerClick, kThirtySecondsPerQuarter);
    KeySignature *key = KeyPrototype(gMusicState.key);
    track.PutKeySignature(key ? key->GetAccidentalCount() : 0, 0);
}

// A selected symbol that sits deeper in its staff than a direct child: the
// staff, whose part set-up the sink needs before the walk reaches the
// symbol through its owners.
cStaffServices *StaffAbove(cPObjBase *selected) {
    cStaffServices *staff = StaffServicesOf(selected);
    if (!staff) return nullptr;
    return dynamic_cast<cPObjBase *>(staff) == selected->FindOwner(0, 0) ? nullptr : staff;
}

}  // namespace

tStatus cMusicBase::ExportMidi(cPObjBase *root, cMusicTrack *sink, cMidiFile *midiFile, sCommandMask *mask) {
    if (!root) return kFailed;
    auto *music = dynamic_cast<cMusicBase *>(root);
    std::optional<sCommandMask> wholeScore;
    if (!mask) mask = &wholeScore.emplace(root, 0);

    sCmdExport record;
    record.sink = sink;
    record.midiFile = midiFile;
    record.timeStep = music ? music->GetTimeStep() : 0;
    gTicksPerQuarter = kTicksPerQuarter;

    cPObjPoint *selected = gSelectedObject;
    std::map<std::u16string, cMusicTrack *> trackMap;
    if (sink) {
        sink->Reset();
        sink->PutTempo(ScoreTempo());
        if (cStaffServices *staff = selected ? StaffAbove(selected) : nullptr)
            staff->ApplyMidiSetup(root, sink, 0);
    } else if (midiFile) {
        record.trackMap = &trackMap;
        midiFile->SetTicksPerQuarter(kTicksPerQuarter);
        if (cMusicTrack *first = midiFile->NewTrack()) PutScoreHeader(*first);
    }

    // The walk starts at time 0 with no note sounding.
    gMusicState.measureStart = 0;
    gMusicState.markTime = 0;
    if (music) {
        music->SetLastX(0);
        music->SetCurrentTime(0, 0);
    }
    record.states[2] = record.states[0] = record.states[1] = gMusicState;
    record.segno = record.repeatStart = root;
    // Playing a selection plays it once; a file always follows the score.
    record.playRepeats = (sink && selected) ? 0 : uint8_t(ScorePlaysRepeats());

    cPObjBase *start = sink ? selected : nullptr;
    const tStatus result = SendCommand(root, kCmdExport, mask, &record, start);

    if (sink) {
        sink->PutEndOfTrack();
    } else if (midiFile) {
        midiFile->EndAllTracks();
        midiFile->Write();
    }
    return result;
}
