// Bar lines: edges and lines of each class, the measure step of the time
// layout, the export and transposition steps, bar numbering, the measure's
// members and the records of old and new files.
#include "notation/bar_lines.h"

#include <algorithm>

#include "document/music_commands.h"
#include "foundation/binary_file.h"
#include "notation/symbol_classes.h"
#include "platform/version_word.h"
#include "ui/graph_dvc.h"

int16_t gBarClassWord = int16_t(0x8000);
cPObjPoint *gPendingBar = nullptr;

namespace {

// Bar numbers and ending brackets are recomputed before they are next
// needed once this is set.
constexpr uint32_t kBarNumbersStale = 0x40;

// Files from this version keep a bar line's members with it; older files
// hold the plain record of a sized symbol.
constexpr uint32_t kVersionBarMembers = 0x20A0F00;
// Files from this version carry the bar lines' class word.
constexpr uint32_t kVersionBarClassWord = 0x2010200;

// The controls of the spacing dialog that do not apply to bar lines.
constexpr uint32_t kExtraSpaceControl1 = 26730, kExtraSpaceControl2 = 26731;

constexpr int16_t kFirstEndingMarkId = 173;
constexpr int32_t kThickLineWidth = 3;
// The distance a re-spaced symbol keeps after a bar line, beyond the gap.
constexpr int32_t kSpaceAfterBar = 10;

// One line of a bar line, from the staff's top line to its bottom line.
struct sBarStroke {
    int8_t dx;  // from the bar line's x
    bool thick;
};

enum : uint8_t { kNoDots = 0, kDotsAfter = 1, kDotsBefore = 2 };

// What a class draws and where its edges lie, relative to x.  The repeat
// dots are the staff's: after dotsAfterX, before dotsBeforeX.
struct sBarShape {
    int16_t id;
    int8_t left, right;
    bool repeatStart, repeatEnd;
    uint8_t strokeCount;
    sBarStroke strokes[2];
    uint8_t dots;
    int8_t dotsAfterX, dotsBeforeX;
};

constexpr sBarShape kBarShapes[] = {
    {166, 0, 1, false, false, 1, {{0, false}, {0, false}}, kNoDots, 0, 0},                         // Bar
    {167, 0, 3, false, false, 2, {{0, false}, {3, false}}, kNoDots, 0, 0},                         // BarDouble
    {168, 0, 5, false, false, 2, {{1, true}, {5, false}}, kNoDots, 0, 0},                          // BarLeftDouble
    {169, 0, 5, false, false, 2, {{0, false}, {4, true}}, kNoDots, 0, 0},                          // BarRightDouble
    {170, 0, 9, true, false, 2, {{1, true}, {5, false}}, kDotsAfter, 5, 0},                        // BarLeftRepeat
    {171, -4, 5, false, true, 2, {{0, false}, {4, true}}, kDotsBefore, 0, 0},                      // BarRightRepeat
    {172, -10, 9, true, true, 2, {{-3, true}, {2, true}}, kDotsAfter | kDotsBefore, 5, -6},       // BarDoubleRepeat
};

// The single bar's shape stands in for an id outside the family.
const sBarShape &ShapeOf(int16_t id) {
    for (const sBarShape &shape : kBarShapes)
        if (shape.id == id) return shape;
    return kBarShapes[0];
}

// The first member that is an ending bracket; null without one.
cPObjPoint *EndingOf(cPObjOwnBase &bar) { return bar.FirstChildOfKind(0, kTypeEnding); }

}  // namespace

BaseBar::BaseBar() {
    SetSize(2, GetHeight());
    gDocumentFlags |= kBarNumbersStale;
}

BaseBar::~BaseBar() {
    gDocumentFlags |= kBarNumbersStale;
    gPendingBar = nullptr;
}

bool BaseBar::IsRepeatStart() { return ShapeOf(GetTypeId()).repeatStart; }
bool BaseBar::IsRepeatEnd() { return ShapeOf(GetTypeId()).repeatEnd; }

cPObjOwnBase *BaseBar::FindStaff() const { return FindOwner(0, kTypeStaff); }

cStaffServices *BaseBar::Staff() const { return dynamic_cast<cStaffServices *>(FindStaff()); }

// ---- Geometry ----------------------------------------------------------------------

int32_t BaseBar::GetLeft() {
    const sBarShape &shape = ShapeOf(GetTypeId());
    // The scaled left edge, x itself for the width of 2.
    return ScaledObject::GetLeft() + shape.left;
}

int32_t BaseBar::GetRight() { return x + ShapeOf(GetTypeId()).right; }

int32_t BaseBar::GetTop() {
    cStaffServices *staff = Staff();
    int32_t other = staff ? staff->GetTopLineY() : y;
    if (staff && barNumber != kNoBarNumber)
        if (cRectangl *rect = staff->GetBarNumberRect(barNumber, x)) other = rect->Top();
    return std::min(ScaledObject::GetTop(), other);
}

int32_t BaseBar::GetBottom() {
    cStaffServices *staff = Staff();
    return staff ? staff->GetBottomLineY() : y;
}

int32_t BaseBar::GetHandleY() {
    cStaffServices *staff = Staff();
    return staff ? staff->GetTopLineY() : y;
}

cRectangl *BaseBar::GetBounds() {
    cRectangl bounds = *cPObjGroup::GetBounds();
    cStaffServices *staff = barNumber != kNoBarNumber ? Staff() : nullptr;
    if (cRectangl *number = staff ? staff->GetBarNumberRect(barNumber, x) : nullptr) bounds.Union(*number);
    return cRectangl::TempCopy(bounds);
}

int32_t BaseBar::HitTest(int32_t px, int32_t py) {
    return GetLeft() - 2 <= px && px <= GetRight() + 2 && GetTop() <= py && py <= GetBottom() ? 1 : 0;
}

void BaseBar::MoveBy(int32_t dx, int32_t dy) {
    cPObjGroup::MoveBy(dx, dy);
    gDocumentFlags |= kBarNumbersStale;
}

// ---- Editing ---------------------------------------------------------------------

cPObjPoint *BaseBar::OnSelect(cPObjPoint *previous) {
    gDocumentFlags |= kBarNumbersStale;
    return cPObjGroup::OnSelect(previous);
}

int32_t BaseBar::OnDeselect() {
    gDocumentFlags |= kBarNumbersStale;
    return cPObjGroup::OnDeselect();
}

bool BaseBar::OnInsert() {
    cStaffServices *staff = Staff();
    if (!staff) return false;
    y = staff->GetTopLineY();
    gDocumentFlags |= kBarNumbersStale;
    return true;
}

bool BaseBar::AddToMeasureAt(cPObjPoint *symbol, cPObjOwnBase *staff) {
    if (!symbol || !staff) return false;
    cPObjPoint *found = staff->FindInsertPosition(symbol->GetX(), symbol->GetY(), 0, kTypeBar, 0x2000);
    auto *bar = dynamic_cast<BaseBar *>(found);
    if (!bar) return false;
    const bool inserted = bar->InsertChild(symbol);
    gDocumentFlags |= kBarNumbersStale;
    return inserted;
}

tStatus BaseBar::SupportsControl(uint32_t controlId) {
    return controlId == kExtraSpaceControl1 || controlId == kExtraSpaceControl2 ? 0 : tStatus(0x80000000u);
}

// ---- Commands ----------------------------------------------------------------------

tStatus BaseBar::OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    switch (commandId) {
    case kCmdImportText:
        if (MaskVersion(gFileVersion) >= kVersionBarMembers) break;
        return MatchesMask(mask) >= 0 ? ImportText(static_cast<sCmdImpAsc *>(record)) : 0;
    case kCmdCondense:
        // The members keep their places: only the bar line is re-spaced.
        return cPObjBase::OnCommand(commandId, mask, record);
    case kCmdExport:
    case kCmdTranspose:
    case kCmdBarNumbers:
        // The bar line's own step comes first (at a bar line the measure's
        // accidentals end before its signs are exported); its answer is not
        // the command's.
        if (MatchesMask(mask) >= 0) {
            if (commandId == kCmdExport)
                OnExport(static_cast<sCmdExport *>(record));
            else if (commandId == kCmdTranspose)
                OnTranspose(static_cast<sCmdTranspose *>(record));
            else
                OnNumberBars(static_cast<sCmdBarNum *>(record));
        }
        break;
    default: break;
    }
    return cPObjGroup::OnCommand(commandId, mask, record);
}

tStatus BaseBar::Condense(sCmdCondense *record) {
    if (cPObjPoint *ending = EndingOf(*this)) {
        ending->SetX(x);
        if (auto *scaled = dynamic_cast<ScaledObject *>(ending)) scaled->SetSize(1, 8);
        gDocumentFlags |= kBarNumbersStale;
    }
    const tStatus result = cPObjBase::Condense(record);
    if (record && record->gapX != kFailed) record->lastX += kSpaceAfterBar;
    return result;
}

// ---- Music layer -------------------------------------------------------------------

void BaseBar::LayoutTime(cPObjBase *, int32_t, uint8_t advance) {
    if (advance) {
        // The next end is absolute: an upbeat shorter than a measure gives
        // the next measure its true start, and from then on every bar line
        // moves on by one measure, whatever its measure's notes add up to.
        const uint32_t next = uint32_t(GetNextEndTime());
        const uint32_t length = uint32_t(gMusicState.measureLength);
        gMusicState.SetMeasureStart(int32_t(uint32_t(gMusicState.measureStart) + std::min(next, length)));
    }
    gMusicState.accidentals.Clear();
}

tStatus BaseBar::OnExport(sCmdExport *record) {
    gMusicState.accidentals.Clear();
    cPObjPoint *ending = EndingOf(*this);
    if (record && ending && ending->GetTypeId() == kFirstEndingMarkId) {
        record->stopObject = this;
        sMusicState end = gMusicState;
        // The end of the measure: a time on a measure boundary moves on by
        // a whole measure.  A measure of no length has no end to move to.
        const uint32_t t = uint32_t(end.currentTime), length = uint32_t(end.measureLength);
        if (length != 0) end.SetCurrentTime(int32_t(t + length - t % length));
        record->states[4] = end;
    }
    return 0;
}

tStatus BaseBar::OnTranspose(sCmdTranspose *record) {
    if (record) record->accidentals.Clear();
    return 0;
}

tStatus BaseBar::OnNumberBars(sCmdBarNum *record) {
    if (!record) return 0;
    // Only a bar line after music counts: the staff's header (clef, key,
    // time signature) and unmarked symbols before it do not make a measure.
    constexpr uint32_t kMeasureContent = ~uint32_t(kTypeClef | kTypeKey | kTypeTime);
    if (PrevSibling(this, 0, kMeasureContent, 0)) {
        ++record->first;
        barNumber = kNoBarNumber;
        if (record->staffShown == 0) {
            barNumber = int16_t(record->first);
            record->staffShown = record->first;
        }
    }
    return 0;
}

// ---- Drawing -------------------------------------------------------------------------

cPObjPoint *BaseBar::Draw() {
    cGraphDvc *w = gCurrentScoreWindow;
    if (!w) {
        ErrorInvalidDevice();
        return this;
    }
    if (gDrawBudget == 0) return this;
    --gDrawBudget;
    cStaffServices *staff = Staff();
    if (staff && barNumber != kNoBarNumber) staff->DrawBarNumber(barNumber, x);
    cPObjGroup::Draw();
    const sBarShape &shape = ShapeOf(GetTypeId());
    const int32_t top = staff ? staff->GetTopLineY() : y;
    const int32_t bottom = GetBottom();
    for (int32_t i = 0; i < shape.strokeCount; ++i) {
        const sBarStroke &stroke = shape.strokes[i];
        const int32_t lx = x + stroke.dx;
        if (stroke.thick) {
            const int32_t previous = w->SetLineWidth(kThickLineWidth);
            w->DrawLine(lx, top, lx, bottom);
            w->SetLineWidth(previous);
        } else {
            w->DrawLine(lx, top, lx, bottom);
        }
    }
    if (staff && (shape.dots & kDotsAfter)) staff->DrawRepeatDotsAfter(x + shape.dotsAfterX);
    if (staff && (shape.dots & kDotsBefore)) staff->DrawRepeatDotsBefore(x + shape.dotsBeforeX);
    return this;
}

// ---- Storage ------------------------------------------------------------------------

tStatus BaseBar::ImportText(sCmdImpAsc *record) {
    if (MaskVersion(gFileVersion) < kVersionBarMembers) return ScaledObject::ImportText(record);
    return cPObjGroup::ImportText(record);
}

tStatus BaseBar::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    if (MaskVersion(gFileVersion) >= kVersionBarMembers) return cPObjGroup::LoadBinary(file, size);
    if (!file) return kFailed;
    // The plain record of an older file: its reader (expecting an owner)
    // does not move past what this one leaves, so the record ends here.
    const uint32_t start = file->GetPosition();
    const tStatus result = ScaledObject::LoadBinary(file, size);
    if (result < 0) return result;
    if (MaskVersion(gFileVersion) >= kVersionPositions32) {
        if (file->GetPosition() - start > size) {
            ErrorInvalidStream();
            return kFailed;
        }
        file->Seek(start + size);
    }
    return 0;
}

int32_t BaseBar::LoadClassData(cBinaryFileBase *file, int32_t size) {
    if (MaskVersion(gFileVersion) < kVersionBarClassWord) return 0;
    uint16_t word = 0;
    if (!file || size < 2 || file->ReadU16(word) < 0) return kFailed;
    gBarClassWord = int16_t(word);
    return 0;
}

void BaseBar::SaveClassData(cBinaryFileBase *file) {
    if (file) file->WriteU16(uint16_t(gBarClassWord));
}

void BaseBar::ExportClassData(std::ostream &stream) { stream << " = " << gBarClassWord; }
