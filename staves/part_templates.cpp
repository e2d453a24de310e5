#include "staves/part_templates.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "document/document_root.h"
#include "document/symbol_base.h"
#include "foundation/binary_file.h"
#include "foundation/escaped_text.h"
#include "foundation/text_util.h"
#include "platform/ini_file.h"
#include "platform/op_sys_base.h"
#include "staves/percussion_sets.h"
#include "ui/graph_dvc.h"

// ---- Class-wide state of the staffs ----
cStaffBase::StaffTemplate *gStaffTemplates = nullptr;
uint16_t gCurrentTemplateIndex = 0;
uint32_t gScoreStaffFlags = 0;
int16_t gPartNameFont = -1;
int16_t gNoteGrid = 0;
int32_t gBarNumberMode = 0;
int16_t gStaffClefGap = 4;
int16_t gStaffKeyGap = 6;
int16_t gStaffDefaultClef = 101;
int16_t gStaffDefaultKey = 103;
uint16_t gStaffDefaultTime = 0x402;

namespace {

// The index of the last template when the index lies beyond the list.
int32_t ClampedIndex(int32_t index, const cStaffBase::StaffTemplate &list) {
    if (list.Count() == 0) return 0;
    return std::clamp(index, 0, list.Count() - 1);
}

// Thousandths of an inch in document units, rounded, at the template's
// staff height.
int32_t ToUnits(uint32_t thousandths, const cStaffBase::sTemplate &t) {
    if (t.height <= 0) return 0;
    const uint32_t height = uint32_t(t.height);
    return int32_t((thousandths * uint32_t(t.heightUnits) + height / 2) / height);
}

}  // namespace

// ---- Template -------------------------------------------------------------

cStaffBase::sTemplate::sTemplate(const char16_t *name) : name(name ? name : u"Part") {}

int32_t cStaffBase::sTemplate::LineSpacing() const {
    // A staff of fewer than two lines (only a damaged file gives one) is
    // spaced as if it had two rather than dividing by zero.
    if (lines < 2) return heightUnits - 1;
    return (heightUnits - 1) / (lines - 1);
}

int32_t cStaffBase::sTemplate::WidthUnits() const {
    if (height <= 0) return 0;
    return (int32_t(width) * heightUnits + height / 2) / height;
}

int32_t cStaffBase::sTemplate::MarginUnits() const {
    int32_t m = margin;
    if (gOutputWindow) {
        const uint32_t dpi = gOutputWindow->GetDpi();
        const int32_t offset = dpi ? int32_t(int64_t(gOutputWindow->GetOffsetX()) * 1000 / dpi) : 0;
        m = std::max(m - offset, 0);
    } else {
        m = std::max(m - 250, 0);
    }
    return ToUnits(uint32_t(m), *this);
}

// ---- Template list ----------------------------------------------------------

cStaffBase::StaffTemplate::StaffTemplate(const StaffTemplate *other) {
    if (!other) return;
    templates.reserve(other->templates.size());
    for (const sTemplate *t : other->templates) templates.push_back(new sTemplate(*t));
}

cStaffBase::StaffTemplate::~StaffTemplate() {
    for (sTemplate *t : templates) delete t;
}

cStaffBase::sTemplate *cStaffBase::StaffTemplate::At(int32_t index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return templates[size_t(index)];
}

void cStaffBase::StaffTemplate::Append(sTemplate *t) {
    if (t) templates.push_back(t);
}

cStaffBase::sTemplate *cStaffBase::StaffTemplate::Remove(int32_t index) {
    if (index < 0 || index >= Count()) return nullptr;
    sTemplate *t = templates[size_t(index)];
    templates.erase(templates.begin() + index);
    return t;
}

// ---- Staff class: template access -------------------------------------------

void cStaffBase::MakeDefaultTemplates() {
    delete gStaffTemplates;
    gStaffTemplates = new StaffTemplate;
    gStaffTemplates->Append(new sTemplate(u"Part 1"));
    gCurrentTemplateIndex = 0;
}

cStaffBase::sTemplate *cStaffBase::CurrentTemplate() {
    if (!gStaffTemplates) return nullptr;
    return gStaffTemplates->At(ClampedIndex(gCurrentTemplateIndex, *gStaffTemplates));
}

cStaffBase::sTemplate *cStaffBase::TemplateOf() {
    if (!gStaffTemplates) return nullptr;
    return gStaffTemplates->At(ClampedIndex(templateIndex, *gStaffTemplates));
}

void cStaffBase::ClampTemplateIndex() {
    if (!gStaffTemplates || gStaffTemplates->Count() == 0) return;
    templateIndex = uint16_t(ClampedIndex(templateIndex, *gStaffTemplates));
    gCurrentTemplateIndex = uint16_t(ClampedIndex(gCurrentTemplateIndex, *gStaffTemplates));
}

int32_t cStaffBase::sTemplate::ApplyZoom() const {
    if (gOutputWindow && heightUnits > 0) {
        const float zoom = float(double(gOutputWindow->GetDpi()) * height * 0.001 / heightUnits);
        gOutputWindow->SetZoomX(zoom);
        gOutputWindow->SetZoomY(zoom);
    }
    return 0;
}

std::u16string cStaffBase::sTemplate::ListText() const { return (visible ? u"+ " : u"- ") + name; }

void cStaffBase::sTemplate::AddPercussionSet() const { cPercussionSetup::AddLookup(percussionSet.c_str()); }

// ---- Exchange with the staff set-up dialog ------------------------------------

namespace {

constexpr uint16_t kPercussionChannel = 9;
// The percussion entry of the dialog's channel list, after "1" .. "16".
constexpr int32_t kPercussionEntry = 16;

// The score has a brace: only then does a part's visibility count.
bool ScoreHasBrace() { return (gScoreStaffFlags & 1) != 0; }

// Thousandths of an inch as inches with three decimals.
std::u16string InchesText(int32_t thousandths) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", thousandths / 1000.0);
    return WidenAscii(text);
}

// A size text in inches taken into value (thousandths) when it lies within
// low..high inches, bounds included; an empty or out-of-range text leaves
// the value as it was.
void ReadInches(const std::u16string &text, float low, float high, int32_t &value) {
    if (text.empty()) return;
    const float inches = std::strtof(NarrowAscii(text).c_str(), nullptr);
    if (!(inches >= low && inches <= high)) return;
    value = int32_t((double(inches) + 0.0005) * 1000);
}

}  // namespace

void cStaffBase::sTemplate::FillSetup(sTemplateSetup &setup, const sTemplate &from) {
    setup.name = from.name;
    setup.program = from.program;
    setup.family = from.program >> 3;
    setup.lines = from.lines;
    setup.reserved1 = from.reserved1;
    setup.reserved2 = from.reserved2;
    setup.nameOffsetX = from.nameOffsetX;
    setup.nameOffsetY = from.nameOffsetY;
    setup.height = from.height;
    setup.width = from.width;
    setup.margin = from.margin;
    setup.ledgerWidth = from.ledgerWidth;
    setup.transposition = from.transposition;
    setup.visible = ScoreHasBrace() ? from.visible : 1;

    setup.channel = from.channel == kPercussionChannel ? kPercussionEntry : from.channel;
    if (setup.channel == kPercussionEntry) {
        if (gOpSys) gOpSys->Settings().GetStringList(u"Percussion", setup.setNames);
        setup.family = std::max(setup.setNames.Find(from.percussionSet.c_str()), 0);
    }

    setup.listTexts.clear();
    if (setup.list)
        for (int32_t i = 0; i < setup.list->Count(); ++i) setup.listTexts.push_back(setup.list->At(i)->ListText());

    setup.widthText = InchesText(setup.width);
    setup.heightText = InchesText(setup.height);
    setup.marginText = InchesText(setup.margin);
}

int32_t cStaffBase::sTemplate::ReadSetup(sTemplate &to, sTemplateSetup &setup) {
    ReadInches(setup.widthText, 2.0f, 8.0f, setup.width);
    ReadInches(setup.heightText, 0.1f, 3.0f, setup.height);
    ReadInches(setup.marginText, 0.2f, 6.0f, setup.margin);

    if (!setup.name.empty()) to.name = setup.name;
    to.program = uint16_t(setup.program);
    to.channel = uint16_t(setup.channel == kPercussionEntry ? kPercussionChannel : setup.channel);
    to.lines = uint16_t(setup.lines);
    to.reserved1 = setup.reserved1;
    to.reserved2 = setup.reserved2;
    to.nameOffsetX = int16_t(setup.nameOffsetX);
    to.nameOffsetY = int16_t(setup.nameOffsetY);
    to.ledgerWidth = int16_t(setup.ledgerWidth);
    to.transposition = int16_t(setup.transposition);
    to.visible = uint16_t(ScoreHasBrace() ? setup.visible : 1);
    if (to.channel == kPercussionChannel) to.percussionSet = setup.setNames.At(setup.family);

    // All parts of a score share one staff size and margin.
    auto takeSizes = [&setup](sTemplate &t) {
        t.height = int16_t(setup.height);
        t.width = int16_t(setup.width);
        t.margin = int16_t(setup.margin);
    };
    takeSizes(to);
    if (!setup.list) return 0;
    for (int32_t i = 0; i < setup.list->Count(); ++i) takeSizes(*setup.list->At(i));
    return setup.list->Count();
}

// ---- Text line and binary record --------------------------------------------------

void cStaffBase::sTemplate::WriteText(const sTemplate &from, std::ostream &stream) {
    stream << EscapeStringText(from.name.c_str());
    // Unsigned fields first, then the signed ones, each after ", ".
    for (uint32_t v : {uint32_t(from.program), uint32_t(from.visible), uint32_t(from.channel), uint32_t(from.lines)})
        stream << ", " << v;
    for (int32_t v : {from.reserved1, int32_t(from.nameOffsetX), int32_t(from.nameOffsetY), from.reserved2,
                      int32_t(from.height), int32_t(from.heightUnits), int32_t(from.width), int32_t(from.margin),
                      int32_t(from.ledgerWidth), int32_t(from.transposition)})
        stream << ", " << v;
    stream << ", " << EscapeStringText(from.percussionSet.c_str());
}

namespace {

// The fixed part of a template record: four u16, i32, two i16, i32, six i16.
constexpr uint32_t kFixedRecordSize = 4 * 2 + 4 + 2 * 2 + 4 + 6 * 2;

// One string record when its whole length lies in the file.
bool ReadWholeString(cBinaryFileBase *file, std::u16string &text) {
    const uint32_t at = file->GetPosition();
    uint16_t length = 0;
    if (file->ReadU16(length) < 0 || file->GetPosition() - at != 2 || length > file->BytesLeft()) return false;
    file->Seek(at);
    text = file->ReadStringTemp(cBinaryFileBase::kNoLimit);
    return file->GetPosition() - at == 2u + length;
}

}  // namespace

tStatus cStaffBase::sTemplate::SaveBinary(const sTemplate &from, cBinaryFileBase *file) {
    if (!file) return kFailed;
    tStatus result = RC_OK;
    auto keep = [&result](tStatus status) {
        if (status < 0) result = status;
    };
    for (uint16_t v : {from.program, from.visible, from.channel, from.lines}) keep(file->WriteU16(v));
    keep(file->WriteU32(uint32_t(from.reserved1)));
    keep(file->WriteU16(uint16_t(from.nameOffsetX)));
    keep(file->WriteU16(uint16_t(from.nameOffsetY)));
    keep(file->WriteU32(uint32_t(from.reserved2)));
    for (int16_t v : {from.height, from.heightUnits, from.width, from.margin, from.ledgerWidth, from.transposition})
        keep(file->WriteU16(uint16_t(v)));
    keep(file->WriteString(from.name.c_str()));
    keep(file->WriteString(from.percussionSet.c_str()));
    return result;
}

// The template changes only when the whole record was there; otherwise the
// file stands where the record began.
tStatus cStaffBase::sTemplate::LoadBinary(sTemplate &to, cBinaryFileBase *file) {
    if (!file) return kFailed;
    const uint32_t start = file->GetPosition();
    auto refuse = [file, start]() {
        file->Seek(start);
        return kFailed;
    };
    if (file->BytesLeft() < kFixedRecordSize) return refuse();

    sTemplate t(to);
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    for (uint16_t *field : {&t.program, &t.visible, &t.channel, &t.lines}) {
        file->ReadU16(*field);
    }
    file->ReadU32(u32);
    t.reserved1 = int32_t(u32);
    for (int16_t *field : {&t.nameOffsetX, &t.nameOffsetY}) {
        file->ReadU16(u16);
        *field = int16_t(u16);
    }
    file->ReadU32(u32);
    t.reserved2 = int32_t(u32);
    for (int16_t *field : {&t.height, &t.heightUnits, &t.width, &t.margin, &t.ledgerWidth, &t.transposition}) {
        file->ReadU16(u16);
        *field = int16_t(u16);
    }
    if (file->GetPosition() - start != kFixedRecordSize) return refuse();
    if (!ReadWholeString(file, t.name) || !ReadWholeString(file, t.percussionSet)) return refuse();
    to = std::move(t);
    return RC_OK;
}

// ---- Staff class: templates and the small class-wide state --------------------

int32_t cStaffBase::CurrentLineSpacing() {
    const sTemplate *t = CurrentTemplate();
    return t ? t->LineSpacing() : 6;
}

int32_t cStaffBase::CurrentHalfSpacing() { return CurrentLineSpacing() / 2; }

void cStaffBase::AddTemplatesUpTo(cStaffBase *staff, int32_t index) {
    index = std::clamp(index, 0, 99);
    if (!gStaffTemplates) MakeDefaultTemplates();
    char name[32];
    std::snprintf(name, sizeof name, "Part %d", int(index + 1));
    while (gStaffTemplates->Count() <= index) gStaffTemplates->Append(new sTemplate(WidenAscii(name).c_str()));
    if (staff) staff->templateIndex = uint16_t(index);
}

void cStaffBase::RebuildPercussionSets(StaffTemplate *list) {
    gPercussionSets.DeleteAll();
    if (!list) return;
    for (int32_t i = 0; i < list->Count(); ++i) list->At(i)->AddPercussionSet();
}

void cStaffBase::SetTemplateProgram(int32_t program) {
    if (sTemplate *t = TemplateOf()) t->program = uint16_t(program);
}

void cStaffBase::SetTemplateChannel(int32_t channel) {
    if (sTemplate *t = TemplateOf()) t->channel = uint16_t(channel);
}

void cStaffBase::SetPartName(const char16_t *name) {
    if (sTemplate *t = TemplateOf()) t->name = name ? name : u"";
}

void cStaffBase::TakeTemplateOf(cStaffBase *other) {
    if (!other) return;
    templateIndex = other->templateIndex;
    ClampTemplateIndex();
    const sTemplate *t = TemplateOf();
    if (!t) return;
    x = t->MarginUnits();
    width = t->WidthUnits();
    height = t->heightUnits;
}

uint32_t cStaffBase::GetScoreStaffFlags() { return gScoreStaffFlags; }

void cStaffBase::ClearScoreStaffFlags() { gScoreStaffFlags = 0; }

void cStaffBase::SetBraceFlag() { gScoreStaffFlags = 1; }

int16_t cStaffBase::SetNoteGrid(int16_t value) {
    const int16_t previous = gNoteGrid;
    gNoteGrid = value;
    return previous;
}

cPObjPoint *cStaffBase::SetPendingBar(cPObjPoint *bar) {
    cPObjPoint *previous = gPendingBar;
    gPendingBar = bar;
    return previous;
}

// ---- Staff set-up records ------------------------------------------------------------

cStaffBase::sCmdStaffSetStat::sCmdStaffSetStat(const sCmdStaffSetStat &other)
    : sCommandPrm(other),
      templateIndex(other.templateIndex),
      repeat(other.repeat),
      barNumbers(other.barNumbers),
      templates(other.templates ? new StaffTemplate(other.templates) : nullptr) {}

cStaffBase::sCmdStaffSetStat::~sCmdStaffSetStat() { delete templates; }

sCommandPrm *cStaffBase::sCmdStaffSetStat::Clone() const { return new sCmdStaffSetStat(*this); }

sCommandPrm *cStaffBase::sCmdStaffSetProp::Clone() const { return new sCmdStaffSetProp(*this); }

// ---- Class and object set-up ------------------------------------------------------------

tStatus SendStaffHide(cPObjBase *document, int32_t flags) {
    if (!document) return 0;
    sCommandMask mask(nullptr, kMaskTypeBits);
    mask.typeBits = kTypeStaff;
    cMusicBase::sCmdStfHide hide(flags);
    return cPObjBase::SendCommand(nullptr, kCmdStaffHide, &mask, &hide, document);
}

namespace {

// Every staff back where it stood before hidden parts were collapsed.
void UncollapseStaffs(cPObjBase *document) {
    SendStaffHide(document, 0);
    gScoreStaffFlags &= ~uint32_t(2);
}

// Every staff after the given one, or in a score with a brace the staff at
// its place in every following system, takes the template.
void ApplyToFollowingStaffs(cStaffBase *staff, int32_t templateIndex) {
    cPObjBase *root = staff->GetRoot();
    if (!root) return;
    sCommandMask mask(staff, kMaskTypeBits | kMaskFromStart);
    mask.typeBits = kTypeStaff;
    if (ScoreHasBrace()) {
        mask.flags |= kMaskNthChild;
        mask.childIndex = staff->GetOrdinalOfKind(0, kTypeStaff);
    }
    cMusicBase::sCmdStfTmpl apply(templateIndex);
    gDocumentFlags |= 8;
    cPObjBase::SendCommand(nullptr, kCmdStaffTemplate, &mask, &apply, root);
}

}  // namespace

sCommandPrm *cStaffBase::GetClassSetup(sCommandPrm *record) {
    sCmdStaffSetStat *setup = record ? dynamic_cast<sCmdStaffSetStat *>(record) : new sCmdStaffSetStat;
    if (!setup) return nullptr;
    setup->templateIndex = 0;
    delete setup->templates;
    setup->templates = gStaffTemplates ? new StaffTemplate(gStaffTemplates) : nullptr;
    setup->barNumbers = gBarNumberMode != 0 ? 1 : 0;
    return setup;
}

tStatus cStaffBase::SetClassSetup(sCommandPrm *record) {
    auto *setup = record && record->familyId == kCmdStaffSetStat ? dynamic_cast<sCmdStaffSetStat *>(record) : nullptr;
    if (!setup) return kFailed;
    gBarNumberMode = setup->barNumbers ? 2 : 0;
    UncollapseStaffs(gCurrentDocument);
    if (setup->templates) {
        delete gStaffTemplates;
        gStaffTemplates = new StaffTemplate(setup->templates);
        ClampTemplateIndex();
    }
    if (const sTemplate *first = gStaffTemplates ? gStaffTemplates->At(0) : nullptr) first->ApplyZoom();
    // Every staff takes its template's margin and width; hidden parts among
    // braced staffs collapse again and the score closes the gaps.
    SendStaffHide(gCurrentDocument, 2);
    if ((gScoreStaffFlags & 2) && gCurrentDocument) {
        SendStaffHide(gCurrentDocument, 1);
        gCurrentDocument->SendCondense(kFailed, 10, nullptr);
    }
    RedrawWholeWindow();
    return 0;
}

sCommandPrm *cStaffBase::GetObjectSetup(sCommandPrm *record) {
    sCommandPrm *result = GetClassSetup(record ? record : new sCmdStaffSetProp);
    if (!result) return nullptr;
    ClampTemplateIndex();
    static_cast<sCmdStaffSetStat *>(result)->templateIndex = templateIndex;
    return result;
}

tStatus cStaffBase::SetObjectSetup(sCommandPrm *record) {
    if (!record || record->familyId != kCmdStaffSetStat || !dynamic_cast<sCmdStaffSetStat *>(record)) return kFailed;
    UncollapseStaffs(GetRoot());
    const tStatus result = SetClassSetup(record);
    templateIndex = static_cast<sCmdStaffSetStat *>(record)->templateIndex;
    ClampTemplateIndex();
    if (static_cast<sCmdStaffSetStat *>(record)->repeat) ApplyToFollowingStaffs(this, templateIndex);
    return result;
}
