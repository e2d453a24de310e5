#include "document/music_base.h"

#include "document/registry.h"
#include "document/undo_list.h"
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
