// Staffs: construction, the commands a staff handles, its header, the
// insertion of its members, the running context and the export of a staff
// as one part.  The geometry is staff_geometry.cpp's, the part templates
// part_templates.cpp's.
#include "staves/staff.h"

#include <algorithm>
#include <string>

#include "document/symbol_tags.h"
#include "foundation/clipboard_text.h"
#include "foundation/error_msg.h"
#include "midi/midi_file.h"
#include "midi/music_track.h"
#include "staves/part_templates.h"
#include "ui/graph_dvc.h"

namespace {

PELMORA_ERROR_TABLE(kStaffObjErrors, u"StaffObj", u"Invalid object", u"Invalid device", u"File Export");

constexpr int32_t kWholeStaff = 0x7FFFFFFF;

bool IsStaffFamily(const cPObjBase *obj) { return obj && (obj->GetTypeFlags(0) & kTypeStaff) != 0; }

// The y by which a staff sorts while hidden parts are collapsed: its stored
// y, or its y when it has none (or is no staff).
int32_t SortY(const cPObjBase &obj) {
    auto *staff = dynamic_cast<const cStaffBase *>(&obj);
    const int32_t stored = staff ? staff->GetStoredY() : cStaffBase::kNoStoredY;
    return stored == cStaffBase::kNoStoredY ? obj.y : stored;
}

// The score commands of the music layer on a staff itself, ahead of its
// members: its own export step, transposition and songbook step.  Stems,
// heads, chords and beams concern only the members.
tStatus OwnScoreStep(cStaffBase &staff, int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    switch (commandId) {
    case kCmdExport: {
        const tStatus result = staff.OnExport(static_cast<cMusicBase::sCmdExport *>(record));
        // An export step answering 1 ends the walk.
        if (result == 1 && mask) mask->SetFlags(kMaskPassOver);
        return result;
    }
    case kCmdTranspose: return staff.OnTranspose(static_cast<cMusicBase::sCmdTranspose *>(record));
    case kCmdSongbook: return staff.OnSongbook(static_cast<cMusicBase::sCmdSongbook *>(record));
    default: return 0;
    }
}

void AppendLine(const char16_t *text, int32_t length) {
    if (length > 0) ClipboardAppendChars(text, uint32_t(length));
    ClipboardAppendText(u"\r\n");
}

// The texts the songbook walk collected, top to bottom, each on a line of
// its own; a line of syllables still being collected goes before the first
// text below it, or last.
void FlushSongbook(cMusicBase::sCmdSongbook *record) {
    if (!record) return;
    const int32_t capacity = cMusicBase::sCmdSongbook::kTextCapacity;
    auto lineLength = [&] { return std::clamp(record->length, 0, capacity); };
    std::stable_sort(record->texts.begin(), record->texts.end(),
                     [](const cPObjBase *a, const cPObjBase *b) { return a->y < b->y; });
    for (cPObjBase *symbol : record->texts) {
        if (record->length != 0 && record->lineY < symbol->y) {
            AppendLine(record->text, lineLength());
            record->length = 0;
        }
        auto *text = dynamic_cast<TextObject *>(symbol);
        const char16_t *chars = text && text->GetText() ? text->GetText() : u"";
        AppendLine(chars, int32_t(std::char_traits<char16_t>::length(chars)));
    }
    if (record->length != 0) AppendLine(record->text, lineLength());
    record->length = 0;
    record->texts.clear();
    record->lineY = -1;
}

}  // namespace

// ---- Errors and the defaults of new staffs ----------------------------------

void cStaffBase::Error(uint32_t index) { RaiseError(&kStaffObjErrors, index | ERR_REPORT); }

int16_t cStaffBase::SetDefaultClef(int16_t clef) {
    const int16_t previous = SetDefaultClefOnly(clef);
    SetRunningClef(clef);
    return previous;
}

int16_t cStaffBase::SetDefaultClefOnly(int16_t clef) {
    const int16_t previous = gStaffDefaultClef;
    gStaffDefaultClef = clef;
    return previous;
}

int16_t cStaffBase::SetDefaultKey(int16_t key) {
    const int16_t previous = gStaffDefaultKey;
    gStaffDefaultKey = key;
    SetRunningKey(key);
    return previous;
}

uint16_t cStaffBase::SetDefaultTime(int32_t numerator, int32_t log2Denominator) {
    const uint16_t previous = gStaffDefaultTime;
    SetRunningTimeSignature(numerator, log2Denominator);
    gStaffDefaultTime = gMusicState.timeWord;
    return previous;
}

// ---- cStaffBase ------------------------------------------------------------

cStaffBase::cStaffBase() {
    templateIndex = gCurrentTemplateIndex;
    storedY = kNoStoredY;
    if (!gStaffTemplates) MakeDefaultTemplates();
    ClampTemplateIndex();
    if (gPartNameFont == -1 && gCurrentScoreWindow) gPartNameFont = int16_t(gCurrentScoreWindow->GetDefaultFont());
    gPendingBar = nullptr;
}

cStaffBase::~cStaffBase() { gDocumentFlags |= 0xC0; }

int32_t cStaffBase::FreeClassData() {
    delete gStaffTemplates;
    gStaffTemplates = nullptr;
    return 0;
}

bool cStaffBase::IsVisible() {
    // Parts are hidden only among the staffs of braces; a brace itself
    // always shows.
    if (GetTypeId() == cMObjBrace::kClassId || !(gScoreStaffFlags & 1)) return true;
    const sTemplate *t = TemplateOf();
    return !t || t->visible != 0;
}

bool cStaffBase::IsSamePosition(const cPObjBase &other) const {
    if (storedY == kNoStoredY) return cPObjGroup::IsSamePosition(other);
    return x == other.x && storedY == SortY(other);
}

bool cStaffBase::SortsBefore(const cPObjBase &other) const {
    if (storedY == kNoStoredY) return cPObjGroup::SortsBefore(other);
    const int32_t otherY = SortY(other);
    switch (gSortMode) {
    case 0: return storedY < otherY || (storedY == otherY && x < other.x);
    case 1: return x < other.x || (x == other.x && storedY < otherY);
    default: return false;
    }
}

void cStaffBase::MoveBy(int32_t, int32_t dy) { cPObjGroup::MoveBy(0, dy); }

tStatus cStaffBase::AcceptsObject(cPObjBase *obj) { return IsStaffFamily(obj) ? 0 : kFailed; }

int32_t cStaffBase::GetHandleX() { return gLastMouseX; }

int32_t cStaffBase::OnEditModeChanged(int32_t) {
    // A staff is only ever moved, never resized.
    if (gEditFlags & 0x10) gEditMode = (gEditMode & ~kEditModeMask) | kEditMove;
    return 0;
}

tStatus cStaffBase::OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    const tStatus match = commandId == kCmdImportText ? kFailed : MatchesMask(mask);
    return HandleCommand(commandId, mask, record, match);
}

tStatus cStaffBase::HandleCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record, tStatus match) {
    if (match < 0) return cPObjGroup::OnCommand(commandId, mask, record);
    if (commandId == kCmdStaffHide) {
        OnStaffHide(static_cast<sCmdStfHide *>(record));
        return cPObjGroup::OnCommand(commandId, mask, record);
    }
    if (!IsVisible() && !(mask && (mask->flags & kMaskEveryObject))) return 0;
    switch (commandId) {
    case kCmdCondense: {
        const tStatus members = cPObjGroup::OnCommand(commandId, mask, record);
        const tStatus own = MatchesMask(mask) >= 0 ? Condense(static_cast<sCmdCondense *>(record)) : 0;
        return std::min(members, own);
    }
    case kCmdStaffTemplate:
        if (record) templateIndex = uint16_t(static_cast<sCmdStfTmpl *>(record)->templateIndex);
        return 0;
    case kCmdBarNumbers:
        if (record) static_cast<sCmdBarNum *>(record)->staffShown = 0;
        return cPObjGroup::OnCommand(commandId, mask, record);
    case kCmdExportText:
    case kCmdSaveBinary: return cPObjGroup::OnCommand(commandId, mask, record);
    default: {
        const tStatus own = OwnScoreStep(*this, commandId, mask, record);
        return std::min(own, cPObjGroup::OnCommand(commandId, mask, record));
    }
    }
}

void cStaffBase::OnStaffHide(sCmdStfHide *record) {
    const int32_t flags = record ? record->flags : 0;
    if (flags == 0) {
        if (storedY != kNoStoredY) {
            MoveXY(0, storedY - y);
            ReinsertInOwner();
        }
        storedY = kNoStoredY;
        return;
    }
    if ((flags & 1) && (gScoreStaffFlags & 2)) {
        if (storedY == kNoStoredY) storedY = y;
    } else {
        storedY = kNoStoredY;
    }
    InvalidateBefore();
    const sTemplate *t = TemplateOf();
    if ((flags & 2) && t) {
        const int32_t margin = t->MarginUnits();
        if (GetLeft() != margin) MoveXY(margin - GetLeft(), 0);
        const int32_t templateWidth = t->WidthUnits();
        if (width != templateWidth) {
            width = templateWidth;
            gDocumentFlags |= 0x10;
            record->changed = 1;
        }
    }
    InvalidateAfter();
}

void cStaffBase::Hilight() {
    if (!gCurrentScoreWindow) return;
    cRectangl *bounds = GetBounds();
    if (gCurrentScoreWindow->ClipRect(*bounds) == 0) return;
    gCurrentScoreWindow->SetOrigin(0, 5 - bounds->Top());
    gCurrentScoreWindow->InvalidateAll();
}

tStatus cStaffBase::OnExport(sCmdExport *record) {
    // Each staff starts again where the notes still sounding end.
    SetLastX(0);
    SetCurrentTime(GetNextEndTime(), 0);
    if (!record || !record->IsLive()) return 0;
    // The playback cursor follows the system as a whole: only its first
    // staff marks it.
    cPObjBase *marked = this;
    if (IsStaffFamily(owner)) {
        if (owner->FirstChildOfKind(StaffObject::kClassId, 0) != this) return 0;
        marked = owner;
    }
    record->sink->PutPositionMark(TagOfSymbol(marked), uint32_t(GetCurrentTime()));
    record->sink->BreakChunk();
    return 0;
}

tStatus cStaffBase::CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                   cPObjPoint *previous, void **state) {
    if (commandId == kCmdSongbook && (!child || !previous)) FlushSongbook(static_cast<sCmdSongbook *>(record));
    if (commandId == kCmdCondense && child && record) {
        // The members are spaced along the staff only.
        auto *condense = static_cast<sCmdCondense *>(record);
        const int32_t gapY = condense->gapY;
        condense->gapY = kFailed;
        const tStatus result = cPObjGroup::CommandToChild(commandId, mask, record, child, previous, state);
        condense->gapY = gapY;
        return result;
    }
    return cPObjGroup::CommandToChild(commandId, mask, record, child, previous, state);
}

// ---- The staff family --------------------------------------------------------

cPObjPoint *cStaffBase::NextInSystem(cPObjPoint *obj) {
    if (!obj) return nullptr;
    const int16_t id = obj->GetTypeId();
    const uint32_t flags = obj->GetTypeFlags(0);
    cPObjOwnBase *brace = obj->FindOwner(0, 0);
    if (!IsStaffFamily(brace)) return obj->NextSibling(obj, id, flags, 0);
    if (!brace->FindOwner(0, 0)) return nullptr;
    const uint16_t ordinal = obj->GetOrdinalOfKind(id, flags);
    auto *next = dynamic_cast<cPObjOwnBase *>(brace->NextOfSameKind(0));
    return next && ordinal != 0xFFFF ? next->NthChildOfKind(ordinal, id, flags) : nullptr;
}

cPObjPoint *cStaffBase::NextStaffInSystem() { return NextInSystem(this); }

cPObjPoint *cStaffBase::FindLastSymbol() { return FindLeftmostOfKind(0, 0); }

cPObjPoint *cStaffBase::FindLastOfKind(int16_t typeId, uint32_t flags) { return FindLastOfKindDeep(typeId, flags, 0); }

int32_t cStaffBase::GetBottomLineY() { return y; }

int32_t cStaffBase::GetTopLineY() { return y; }

void cStaffBase::ClearStaffs() { Clear(0); }

cPObjPoint *cStaffBase::InsertTimeSignature(int32_t px, int32_t numerator, int32_t log2Denominator) {
    SetRunningTimeSignature(numerator, log2Denominator);
    cPObjPoint *time = NewById(TimeAny::kClassId);
    if (!time) return nullptr;
    if (auto *any = dynamic_cast<TimeAny *>(time)) any->SetNumbers(numerator, log2Denominator);
    time->SetPosition(px - time->GetHotSpotX(), y - time->GetHotSpotY());
    if (!cPObjGroup::InsertChild(time)) {
        delete time;
        return nullptr;
    }
    return time;
}

// ---- StaffObject ---------------------------------------------------------------

StaffObject::StaffObject() {
    if (const sTemplate *t = TemplateOf()) {
        x = t->MarginUnits();
        SetSize(t->WidthUnits(), t->heightUnits);
    }
    y = 0;
    clef = gStaffDefaultClef;
    key = gStaffDefaultKey;
    timeWord = gStaffDefaultTime;
    SetRunningClef(clef);
    SetRunningKey(key);
    SetRunningTimeWord(timeWord);
}

void StaffObject::CopyFrom(const cPObjBase &other) {
    auto *staff = dynamic_cast<const StaffObject *>(&other);
    if (!staff) {
        Error(kStaffObjInvalidObject);
        return;
    }
    cPObjGroup::CopyFrom(other);
    clef = staff->clef;
    key = staff->key;
    timeWord = staff->timeWord;
    templateIndex = staff->templateIndex;
    ClampTemplateIndex();
}

cPObjBase *StaffObject::TakeSettingsFrom(cPObjBase *other) {
    auto *staff = dynamic_cast<StaffObject *>(other);
    if (!staff) return this;
    staff->RunContext(kWholeStaff, -1, nullptr);
    clef = gMusicState.clef;
    key = gMusicState.key;
    timeWord = gMusicState.timeWord;
    return this;
}

tStatus StaffObject::OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    const tStatus match = commandId == kCmdImportText ? kFailed : MatchesMask(mask);
    if (commandId == kCmdStaffHide && match >= 0 && (gScoreStaffFlags & 1)) {
        const sTemplate *t = TemplateOf();
        if (t && !t->visible) gScoreStaffFlags |= 2;
    }
    return HandleCommand(commandId, mask, record, match);
}

void StaffObject::SetPosition(int32_t, int32_t py) { SetY(py); }

int32_t StaffObject::GetBottomLineY() { return y + 8 * CurrentHalfSpacing(); }

tStatus StaffObject::OnExport(sCmdExport *record) {
    SetRunningClef(clef);
    SetRunningKey(key);
    return cStaffBase::OnExport(record);
}

tStatus StaffObject::OnTranspose(sCmdTranspose *record) {
    SetRunningClef(clef);
    SetRunningKey(key);
    if (!record) return 0;
    record->clef = clef;
    record->key = key;
    record->accidentals.Clear();
    if (record->targetClef) {
        clef = int16_t(record->targetClef);
        gStaffDefaultClef = clef;
    }
    if (KeySignature *start = KeyPrototype(key)) {
        key = start->GetTransposedKeyId(record->semitones);
        gStaffDefaultKey = key;
    }
    return cStaffBase::OnTranspose(record);
}

bool StaffObject::OnInsert() { return cStaffBase::OnInsert(); }

void StaffObject::StartPart(sCmdExport *record, cPObjPoint *first) {
    const sTemplate *t = TemplateOf();
    if (record->midiFile && record->trackMap && t) {
        cMusicTrack *&track = (*record->trackMap)[t->name];
        if (!track) {
            track = record->midiFile->NewTrack();
            if (track) {
                track->SetChannel(uint8_t(t->channel & 0xFF));
                track->PutTrackName(t->name.c_str());
                track->PutProgramChange(uint8_t(t->program & 0xFF), 0);
            }
        }
        if (track) record->sink = track;
    }
    ApplyMidiSetup(first, record->sink, GetCurrentTime());
    gMusicState.accidentals.Clear();
}

tStatus StaffObject::CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                    cPObjPoint *previous, void **state) {
    if (commandId != kCmdExport || !record)
        return cStaffBase::CommandToChild(commandId, mask, record, child, previous, state);
    if (!IsVisible() && !(mask && (mask->flags & kMaskEveryObject))) return 0;
    auto *exportRecord = static_cast<sCmdExport *>(record);
    if (child && !previous) StartPart(exportRecord, child);
    // The bar lines of a brace span its staffs: each staff walk passes them
    // in x order among its own members.
    if (gPendingBar && (!child || gPendingBar->GetX() < child->GetX())) {
        cPObjPoint *bar = gPendingBar;
        gPendingBar = child ? bar->NextSibling(bar, 0, kTypeBar, 0) : nullptr;
        cStaffBase::CommandToChild(commandId, mask, record, bar, bar, state);
    }
    return cStaffBase::CommandToChild(commandId, mask, record, child, previous, state);
}

int32_t StaffObject::HeaderClefWidth() {
    MusicBitMapClef *prototype = ClefPrototype(clef);
    return prototype ? prototype->GetWidth() : 0;
}

int32_t StaffObject::HeaderKeyX() { return x + gStaffClefGap + HeaderClefWidth() + gStaffKeyGap; }

int32_t StaffObject::HeaderKeyWidth() {
    if (key == kDefaultKeyId) return 0;
    KeySignature *prototype = KeyPrototype(key);
    return prototype ? prototype->GetWidth() : 0;
}

int32_t StaffObject::GetContentLeft() {
    if (key == kDefaultKeyId) return x + gStaffClefGap + HeaderClefWidth();
    return HeaderKeyX() + HeaderKeyWidth();
}

cPObjPoint *StaffObject::PlaceHeader() {
    MusicBitMapClef *startClef = ClefPrototype(clef);
    if (!startClef) return nullptr;
    startClef->SetPosition(x + gStaffClefGap + (startClef->GetX() - startClef->GetLeft()),
                           y + startClef->GetClefLine() * LineSpacing());
    if (key == kDefaultKeyId) return startClef;
    KeySignature *startKey = KeyPrototype(key);
    if (!startKey) return startClef;
    startKey->SetX(HeaderKeyX());
    startKey->RegisterWithStaff(this);
    return startKey;
}

tStatus StaffObject::BeforeChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record,
                                        cPObjPoint *child, cPObjPoint *previous, void **state) {
    const tStatus result = cStaffBase::BeforeChildCommand(commandId, mask, record, child, previous, state);
    if (commandId != kCmdCondense || !record) return result;
    // The first member keeps the gap from the header, not from the staff's
    // left edge.
    auto *condense = static_cast<sCmdCondense *>(record);
    cPObjPoint *header = PlaceHeader();
    if (header && condense->gapX != kFailed) {
        condense->lastX = header->GetX();
        condense->maxRight = header->GetBounds()->Right();
        condense->lastY = kFailed;
        condense->maxBottom = kFailed;
    }
    return result;
}

bool StaffObject::InsertChild(cPObjPoint *child) {
    if (!child) return false;
    const uint32_t flags = child->GetTypeFlags(0);
    // Signs and endings belong to the measure under them.
    if (flags & kTypeSign) return BaseBar::AddToMeasureAt(child, this);
    // A clef or key dropped on the header becomes the staff's start.
    if ((flags & kTypeKey) && child->GetX() < HeaderKeyX() + HeaderKeyWidth()) {
        key = child->GetTypeId();
        SetDefaultKey(key);
        return false;
    }
    if ((flags & kTypeClef) && child->GetX() < x + gStaffClefGap + HeaderClefWidth()) {
        clef = child->GetTypeId();
        SetDefaultClef(clef);
        return false;
    }
    if (!cStaffBase::InsertChild(child)) return false;
    if (auto *time = (flags & kTypeTime) ? dynamic_cast<TimeC *>(child) : nullptr) {
        SetDefaultTime(time->GetNumerator(), time->GetLog2Denominator());
        if (GetChild(0) == child) timeWord = gMusicState.timeWord;
    }
    return true;
}

void StaffObject::RunContext(int32_t limitX, int32_t flags, sCommandPrm *record) {
    const bool all = flags == -1;
    if (all || (flags & kTypeClef)) SetDefaultClef(clef);
    if (all || (flags & kTypeKey)) SetDefaultKey(key);
    if (all || (flags & kTypeTime)) {
        SetRunningTimeWord(timeWord);
        gStaffDefaultTime = timeWord;
    }
    gMusicState.accidentals.Clear();
    cPObjPoint *const savedBar = gPendingBar;
    gPendingBar = IsStaffFamily(owner) ? owner->FirstChildOfKind(0, kTypeBar) : nullptr;
    if (record) {
        SetLastX(0);
        SetCurrentTime(0, 0);
        gMusicState.SetMeasureStart(0);
        gMusicState.SetMarkTime(0);
    }
    const uint8_t advance = record ? 1 : 0;
    int32_t lastX = INT32_MIN;
    const uint16_t slots = GetChildSlots();
    for (uint16_t i = 0; i < slots; ++i) {
        cPObjPoint *child = GetChild(i);
        if (!child) continue;
        if (child->GetX() >= limitX) break;
        // At most one bar line of the brace before each member.
        if (gPendingBar && gPendingBar->GetX() < child->GetX()) {
            gPendingBar->LayoutTime(this, gPendingBar->GetX(), advance);
            gPendingBar = gPendingBar->NextSibling(gPendingBar, 0, kTypeBar, 0);
        }
        if (all || (child->GetTypeFlags(0) & uint32_t(flags))) {
            child->LayoutTime(this, limitX, advance);
            lastX = child->GetX();
        }
    }
    if (gPendingBar && gPendingBar->GetX() >= lastX && gPendingBar->GetX() < limitX)
        gPendingBar->LayoutTime(this, gPendingBar->GetX(), advance);
    gPendingBar = savedBar;
}
