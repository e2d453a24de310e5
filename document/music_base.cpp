#include "document/music_base.h"

#include "document/music_commands.h"

#include "document/owner_base.h"
#include "document/registry.h"
#include "document/shape_images.h"
#include "document/undo_list.h"
#include "midi/music_track.h"
#include "ui/view_port.h"

cMusicTrack *gSoundOutput = nullptr;

cMusicTrack *cMusicBase::SetSoundOutput(cMusicTrack *track) {
    cMusicTrack *previous = gSoundOutput;
    gSoundOutput = track;
    return previous;
}

int32_t cMusicBase::AssignTime(int32_t step) {
    int32_t t = GetCurrentTime();
    const int32_t x0 = GetLastX();
    if (!(GetTimeX() < x0 + GetSpacingToleranceX())) {
        t = GetNextEndTime();
        SetLastX(GetTimeX());
    }
    SetCurrentTime(t, step);
    return t;
}

cMusicOwner *cMusicBase::FindMusicOwner(int16_t typeId) const {
    return dynamic_cast<cMusicOwner *>(FindOwner(typeId, 0));
}

cPlayDuration *cMusicBase::FindPendingEnds() {
    cMusicOwner *score = GetTypeId() == kScoreTypeId ? dynamic_cast<cMusicOwner *>(this) : nullptr;
    if (!score) score = FindMusicOwner(kScoreTypeId);
    return score ? score->GetPendingEnds() : nullptr;
}

int32_t cMusicBase::GetNextEndTime() {
    cMusicOwner *score = FindMusicOwner(kScoreTypeId);
    cPlayDuration *ends = score ? score->GetPendingEnds() : nullptr;
    const uint32_t earliest = ends ? ends->Earliest() : cPlayDuration::kNone;
    return earliest == cPlayDuration::kNone ? gMusicState.currentTime : int32_t(earliest);
}

int32_t cMusicBase::SetCurrentTime(int32_t time, int32_t duration) {
    cPlayDuration *ends = FindPendingEnds();
    if (!ends) return duration;
    if (duration != 0)
        ends->Add(uint32_t(time), uint32_t(duration));
    else
        ends->Clear();
    gMusicState.SetCurrentTime(time);
    return duration;
}

tStatus cMusicBase::OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    switch (commandId) {
    case kCmdExport: {
        const tStatus match = MatchesMask(mask);
        if (match < 0) return match;
        // A walk that starts at this symbol needs the clef, key and meter in
        // force here.
        if (match & kMaskStartFound) SeekContext(kContextSigns, nullptr);
        const tStatus result = OnExport(static_cast<sCmdExport *>(record));
        // An export step answering 1 ends the walk.
        if (result == 1 && mask) mask->SetFlags(kMaskPassOver);
        return result;
    }
    case kCmdTranspose:
    case kCmdSongbook:
    case kCmdBarNumbers:
    case kCmdStems:
    case kCmdNoteHead:
    case kCmdMakeChords:
    case kCmdMakeBeams: {
        const tStatus match = MatchesMask(mask);
        if (match < 0) return match;
        switch (commandId) {
        case kCmdTranspose: return OnTranspose(static_cast<sCmdTranspose *>(record));
        case kCmdSongbook: return OnSongbook(static_cast<sCmdSongbook *>(record));
        case kCmdBarNumbers: return OnNumberBars(static_cast<sCmdBarNum *>(record));
        case kCmdStems: InvalidateBefore(); return OnSetStem(static_cast<sCmdStem *>(record));
        case kCmdNoteHead: InvalidateBefore(); return OnSetNoteHead(static_cast<sCmdSetNoteHead *>(record));
        case kCmdMakeChords: return OnMakeChords(static_cast<sCmdChords *>(record));
        default: return OnMakeBeams(static_cast<sCmdBeams *>(record));
        }
    }
    default: return cPObjBase::OnCommand(commandId, mask, record);
    }
}

tStatus cMusicBase::OnExport(sCmdExport *record) {
    const int32_t duration = GetDurationTicks();
    if (duration == 0) return 0;
    AssignTime(GetTimeStep());
    // The note sounds for its own length while the walk moves on by the
    // step: tuplet members and grace notes differ in the two.
    const sPitch pitch = GetMidiPitch();
    if (!pitch.IsNone() && record && record->sink)
        record->sink->PutNote(pitch.value, uint32_t(GetCurrentTime()), uint32_t(duration));
    return 0;
}

void cMusicBase::SeekContext(uint32_t flags, sCommandPrm *record) {
    if (cMusicOwner *staff = FindMusicOwner(kStaffTypeId)) staff->RunContext(GetTimeX(), int32_t(flags), record);
}

int32_t cMusicBase::SnapToStaff() {
    if (cMusicOwner *staff = FindMusicOwner(kStaffTypeId)) SetY(staff->SnapToStep(y));
    return y;
}

cRectangl *cMusicBase::GetImageRect() {
    // Most classes have no image, so the quiet lookup: a class without one
    // is no error.
    cShapeImg *image = cShapeImg::FindForClass(GetTypeId());
    return image ? image->GetDrawRect(x, y) : cPObjBase::GetImageRect();
}

int32_t cMusicBase::GetHeadWidth() {
    const int16_t head = IsStemUp() ? kHeadStemUp : kHeadStemDown;
    // Asked while spacing, also before a registry exists: no report then.
    cPObjPoint *prototype = gClassRegistry && gClassRegistry->IsAllocated() ? PrototypeById(head) : nullptr;
    return prototype ? prototype->GetWidth() : 8;
}

int32_t cMusicBase::GetStemX(int32_t targetY) {
    if (IsStemUp()) return targetY > y ? x - (GetHeadWidth() - 1) : x;
    return targetY < y ? x + (GetHeadWidth() - 1) : x;
}

void cMusicBase::DrawStem(int32_t toY, int32_t direction) {
    if (toY == kFailed || !gCurrentScoreWindow) return;
    int32_t sx = x - GetHotSpotX();
    const int32_t sy = y - GetHotSpotY();
    const bool up = IsStemUp();
    if (up && (direction < 0 || (direction == 0 && y < toY))) sx += 1 - GetHeadWidth();
    if (!up && (direction > 0 || (direction == 0 && toY < y))) sx += GetHeadWidth() - 1;
    int32_t previous = gCurrentScoreWindow->SetLineWidth(1);
    gCurrentScoreWindow->DrawLine(sx, sy, sx, toY);
    gCurrentScoreWindow->SetLineWidth(previous);
}

void cMusicBase::LayoutTime(cPObjBase *, int32_t, uint8_t advance) {
    if (advance && GetTimeStep() != 0) AssignTime(GetTimeStep());
}

tStatus cMusicBase::OnTranspose(sCmdTranspose *) {
    if (gPointUndo) gPointUndo->Clear();
    return 0;
}

// --- cMusicOwner ------------------------------------------------------------

int32_t cMusicOwner::GetHeadY() {
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *c = GetChild(i)) return c->GetHeadY();
    return y;
}

cMusicBase *cMusicOwner::GetMainNote() {
    cPObjPoint *note = LastChildOfKind(0, kTypeNote);
    return note ? static_cast<cMusicBase *>(note) : this;
}

void cMusicOwner::LayoutTime(cPObjBase *staff, int32_t limitX, uint8_t advance) {
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        if (limitX != kFailed && c->GetTimeX() >= limitX) return;
        c->LayoutTime(staff, limitX, advance);
    }
}
