// Staff storage: the class-wide data of the staffs (the part templates with
// their percussion sets, the bar-number mode, the note grid and the current
// template; the header gaps and the defaults of new staffs), each staff's
// binary record and text line, and the step after a score is loaded.
#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>

#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "foundation/escaped_text.h"
#include "foundation/memory_binary_file.h"
#include "foundation/string_array.h"
#include "foundation/text_util.h"
#include "document/music_state.h"
#include "document/score_file.h"
#include "platform/op_sys_base.h"
#include "platform/version_word.h"
#include "staves/part_templates.h"
#include "staves/percussion_sets.h"
#include "staves/staff.h"
#include "ui/graph_dvc.h"

namespace {

constexpr uint32_t kVersionClefKey = 0x1030000;
constexpr uint32_t kVersionTimeWord = 0x1070000;
constexpr uint32_t kVersionOldString = 0x10A0000;
constexpr uint32_t kVersionTemplates = 0x2000000;
constexpr uint32_t kVersionSizes = 0x2000200;
constexpr uint32_t kVersionBarNumbers = 0x2000300;
constexpr uint32_t kVersionKeepStoredY = 0x2030000;
constexpr uint32_t kVersionOwnBarMode = 0x2090800;
constexpr uint32_t kVersionWideName = 0x20A0200;
constexpr uint32_t kVersionSetName = 0x20C0100;
constexpr uint32_t kVersionSets = 0x20C0200;

// Whether a staff record was read since the staff class data: the first
// staff of a file has no staff before it whose time could run into it.
bool sStaffRead = false;

bool Before(uint32_t version) { return MaskVersion(gFileVersion) < version; }

bool ReadI16(cBinaryFileBase *file, int16_t &value) {
    uint16_t u = 0;
    const uint32_t at = file->GetPosition();
    if (file->ReadU16(u) < 0 || file->GetPosition() - at != 2) return false;
    value = int16_t(u);
    return true;
}

bool ReadU16Field(cBinaryFileBase *file, uint16_t &value) {
    const uint32_t at = file->GetPosition();
    return file->ReadU16(value) >= 0 && file->GetPosition() - at == 2;
}

bool ReadI32(cBinaryFileBase *file, int32_t &value) {
    uint32_t u = 0;
    const uint32_t at = file->GetPosition();
    if (file->ReadU32(u) < 0 || file->GetPosition() - at != 4) return false;
    value = int32_t(u);
    return true;
}

// A name of 32 bytes of 8-bit text, up to its first zero.
std::u16string WidenStoredName(const char (&bytes)[32]) {
    const uint32_t length = uint32_t(strnlen(bytes, sizeof bytes));
    if (gOpSys) {
        const char16_t *wide = gOpSys->ToWide(bytes, length);
        if (wide) return wide;
    }
    return WidenAscii(std::string(bytes, length));
}

// One template as an older or the current file stores it; fields the file
// lacks keep the values of a new template.
bool ReadTemplate(cBinaryFileBase *file, cStaffBase::sTemplate &t) {
    if (!Before(kVersionWideName)) return cStaffBase::sTemplate::LoadBinary(t, file) >= 0;
    char name[32] = {};
    if (file->Read(name, sizeof name) < 0) return false;
    t.name = WidenStoredName(name);
    for (uint16_t *field : {&t.program, &t.visible, &t.channel, &t.lines})
        if (!ReadU16Field(file, *field)) return false;
    if (!ReadI32(file, t.reserved1) || !ReadI16(file, t.nameOffsetX) || !ReadI16(file, t.nameOffsetY) ||
        !ReadI32(file, t.reserved2))
        return false;
    if (!Before(kVersionSizes)) {
        for (int16_t *field : {&t.height, &t.heightUnits, &t.width, &t.margin, &t.ledgerWidth})
            if (!ReadI16(file, *field)) return false;
    }
    if (!Before(kVersionBarNumbers) && !ReadI16(file, t.transposition)) return false;
    return true;
}

void WriteStaffBaseData(cBinaryFileBase *file) {
    const uint16_t count = gStaffTemplates ? uint16_t(std::min(gStaffTemplates->Count(), 0xFFFF)) : 0;
    file->WriteU32(uint32_t(gBarNumberMode));
    file->WriteU16(uint16_t(gPartNameFont));
    file->WriteU16(uint16_t(gNoteGrid));
    file->WriteU16(gCurrentTemplateIndex);
    file->WriteU16(count);
    cStringArray names;
    for (uint16_t i = 0; i < count; ++i) {
        const cStaffBase::sTemplate *t = gStaffTemplates->At(i);
        cStaffBase::sTemplate::SaveBinary(*t, file);
        if (!t->percussionSet.empty()) names.InsertSorted(t->percussionSet.c_str());
    }
    cPercussionSetup::SaveSets(names, file);
}

}  // namespace

// ---- Templates read from a file ------------------------------------------------

void cStaffBase::SanitizeTemplate(sTemplate &t) {
    const sTemplate fallback;
    if (t.lines < 2) t.lines = fallback.lines;
    if (t.LineSpacing() < 2) t.heightUnits = fallback.heightUnits;
    if (t.LineSpacing() < 2) t.lines = fallback.lines;
    if (t.height <= 0) t.height = fallback.height;
    if (t.width <= 0) t.width = fallback.width;
    if (t.margin <= 0) t.margin = fallback.margin;
}

void cStaffBase::SettleTemplateList() {
    if (!gStaffTemplates || gStaffTemplates->Count() == 0) {
        const uint16_t index = gCurrentTemplateIndex;
        MakeDefaultTemplates();
        gCurrentTemplateIndex = index;
    }
    const int32_t last = gStaffTemplates->Count() - 1;
    if (gCurrentTemplateIndex > last) gCurrentTemplateIndex = uint16_t(last);
}

int32_t cStaffBase::ReadStaffBaseData(cBinaryFileBase *file) {
    // Older files are read by the size they state: what they hold here is
    // not known.
    if (!file || Before(kVersionTemplates)) return 0;
    int32_t mode = gBarNumberMode;
    int16_t font = gPartNameFont, grid = gNoteGrid;
    uint16_t current = gCurrentTemplateIndex, count = 0;
    if (!Before(kVersionBarNumbers)) {
        if (!ReadI32(file, mode)) return kFailed;
        if (Before(kVersionOwnBarMode)) mode = 2;
    }
    if (!ReadI16(file, font)) return kFailed;
    if (!Before(kVersionSizes) && (!ReadI16(file, grid) || !ReadU16Field(file, current))) return kFailed;
    if (!ReadU16Field(file, count)) return kFailed;
    gBarNumberMode = mode;
    gPartNameFont = font;
    SetNoteGrid(grid);
    gCurrentTemplateIndex = current;
    tStatus result = 0;
    if (count != 0) {
        delete gStaffTemplates;
        gStaffTemplates = new StaffTemplate;
        for (uint16_t i = 0; i < count; ++i) {
            auto *t = new sTemplate;
            if (!ReadTemplate(file, *t)) {
                delete t;
                result = kFailed;
                break;
            }
            SanitizeTemplate(*t);
            gStaffTemplates->Append(t);
        }
    }
    if (result >= 0 && !Before(kVersionSets)) result = cPercussionSetup::LoadSets(file);
    SettleTemplateList();
    RebuildPercussionSets(gStaffTemplates);
    return result < 0 ? kFailed : kClassDataReadByContent;
}

// ---- Class data of the staff base ---------------------------------------------------

int16_t cStaffBase::GetClassDataSize() {
    cMemoryBinaryFile counter(u"", std::string(), cBinaryFileBase::kWrite);
    cStaffBase::SaveClassData(&counter);
    return int16_t(std::min<size_t>(counter.Bytes().size(), 0x7FFF));
}

void cStaffBase::SaveClassData(cBinaryFileBase *file) {
    if (!file) return;
    SettleTemplateList();
    ClampTemplateIndex();
    WriteStaffBaseData(file);
}

// Writers before this one stated 12 + 112 bytes a template, which is not
// what they wrote (the names and the percussion sets vary in length): the
// data is read by what it holds.
int32_t cStaffBase::LoadClassData(cBinaryFileBase *file, int32_t) { return ReadStaffBaseData(file); }

void cStaffBase::ExportClassData(std::ostream &stream) {
    const int32_t count = gStaffTemplates ? gStaffTemplates->Count() : 0;
    stream << " = " << gBarNumberMode << ", " << gPartNameFont << ", " << gNoteGrid << ", " << gCurrentTemplateIndex
           << " templates " << count << '\n';
    for (int32_t i = 0; i < count; ++i) {
        if (i > 0) stream << '\n';
        stream << '\t';
        sTemplate::WriteText(*gStaffTemplates->At(i), stream);
    }
}

tStatus cStaffBase::OnLoaded(sCmdLoaded *) {
    if (gCurrentScoreWindow) gPartNameFont = int16_t(gCurrentScoreWindow->GetDefaultFont());
    return 0;
}

// ---- The staff's record --------------------------------------------------------------

uint16_t cStaffBase::DataSize() { return uint16_t(cPObjGroup::DataSize() + 6); }

tStatus cStaffBase::SaveBinary(sCmdFileSave *record) {
    cBinaryFileBase *file = record ? record->file : nullptr;
    if (file && (file->WriteU32(uint32_t(storedY)) < 0 || file->WriteU16(templateIndex) < 0)) return kFailed;
    return cPObjGroup::SaveBinary(record);
}

tStatus cStaffBase::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    templateIndex = 0;
    if (file && !Before(kVersionTemplates)) {
        if (!ReadI32(file, storedY) || !ReadU16Field(file, templateIndex)) return kFailed;
        ClampTemplateIndex();
        if (Before(kVersionKeepStoredY)) {
            const sTemplate *t = TemplateOf();
            if (t && t->visible) storedY = kNoStoredY;
        }
    }
    return cPObjGroup::LoadBinary(file, size);
}

tStatus cStaffBase::ExportText(sCmdExpAsc *record) {
    const tStatus result = cPObjGroup::ExportText(record);
    if (result < 0 || !record || !record->output) return result;
    std::ostream &out = *record->output;
    out << " = ";
    if (storedY == kNoStoredY)
        out << "NoStore";
    else
        out << storedY;
    out << ", " << templateIndex;
    return result;
}

tStatus cStaffBase::ImportText(sCmdImpAsc *record) {
    const tStatus result = cPObjGroup::ImportText(record);
    if (result != 0 || !record || !record->input) return result;
    cAsciiFile &in = *record->input;
    if (in.GetErrorLatch() != 0 || in.PeekAfterWhiteSpace() != '=') return in.GetErrorLatch();
    in.Expect(u"=");
    storedY = kNoStoredY;
    if (in.PeekAfterWhiteSpace() > '9')
        in.ReadToken();
    else
        storedY = in.ReadInt();
    if (in.Expect(u",") != 0) return in.GetErrorLatch();
    templateIndex = in.ReadUnsigned16();
    if (in.GetErrorLatch() == 0) ClampTemplateIndex();
    return in.GetErrorLatch();
}

// ---- One staff ----------------------------------------------------------------------------

int16_t StaffObject::GetClassDataSize() { return 10; }

void StaffObject::SaveClassData(cBinaryFileBase *file) {
    if (!file) return;
    for (int16_t v : {gStaffClefGap, gStaffKeyGap, gStaffDefaultClef, gStaffDefaultKey})
        file->WriteU16(uint16_t(v));
    file->WriteU16(gStaffDefaultTime);
}

// Read by content: files before 2.0.2 carry the staff base's data here too,
// under a stated size of 10.
int32_t StaffObject::LoadClassData(cBinaryFileBase *file, int32_t) {
    if (!file) return kFailed;
    int16_t clefGap = gStaffClefGap, keyGap = gStaffKeyGap, defaultClef = 0, defaultKey = 0;
    uint16_t defaultTime = kDefaultTimeWord;
    if (!Before(kVersionSizes)) {
        if (!ReadI16(file, clefGap) || !ReadI16(file, keyGap)) return kFailed;
    } else {
        if (ReadStaffBaseData(file) < 0) return kFailed;
        int16_t skipped = 0;
        for (int i = 0; i < 4; ++i)
            if (!ReadI16(file, skipped)) return kFailed;
    }
    if (!ReadI16(file, defaultClef) || !ReadI16(file, defaultKey)) return kFailed;
    if (!Before(kVersionTimeWord) && !ReadU16Field(file, defaultTime)) return kFailed;
    gStaffClefGap = clefGap;
    gStaffKeyGap = keyGap;
    gStaffDefaultClef = defaultClef == 0 ? int16_t(101) : MapFileClassId(defaultClef);
    gStaffDefaultKey = defaultKey == 0 ? int16_t(103) : MapFileClassId(defaultKey);
    gStaffDefaultTime = defaultTime;
    SetRunningClef(gStaffDefaultClef);
    SetRunningKey(gStaffDefaultKey);
    SetRunningTimeWord(gStaffDefaultTime);
    sStaffRead = false;
    return kClassDataReadByContent;
}

void StaffObject::ExportClassData(std::ostream &stream) {
    stream << " = " << gStaffClefGap << ", " << gStaffKeyGap << ", " << gStaffDefaultClef << ", " << gStaffDefaultKey
           << ", " << gStaffDefaultTime;
}

uint16_t StaffObject::DataSize() { return uint16_t(cStaffBase::DataSize() + 6); }

tStatus StaffObject::SaveBinary(sCmdFileSave *record) {
    cBinaryFileBase *file = record ? record->file : nullptr;
    if (file && (file->WriteU16(uint16_t(clef)) < 0 || file->WriteU16(uint16_t(key)) < 0 ||
                 file->WriteU16(timeWord) < 0))
        return kFailed;
    return cStaffBase::SaveBinary(record);
}

tStatus StaffObject::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    if (file) {
        if (!Before(kVersionClefKey)) {
            int16_t storedClef = 0, storedKey = 0;
            if (!ReadI16(file, storedClef) || !ReadI16(file, storedKey)) return kFailed;
            clef = MapFileClassId(storedClef);
            key = MapFileClassId(storedKey);
        }
        uint16_t stored = 0;
        if (!Before(kVersionTimeWord) && !ReadU16Field(file, stored)) return kFailed;
        // A staff starts in the time the staff before it ended in, whatever
        // word it stored.  The first staff has none before it: the default
        // time of new staffs is the time the score ended in when it was
        // saved, so it keeps its own word.
        if (!sStaffRead) SetRunningTimeWord(stored);
        sStaffRead = true;
        timeWord = gMusicState.timeWord;
        if (!Before(kVersionOldString) && Before(kVersionTemplates)) {
            const uint32_t at = file->GetPosition();
            file->ReadStringTemp(9);
            if (file->GetPosition() == at) return kFailed;
        }
    }
    return cStaffBase::LoadBinary(file, size);
}

tStatus StaffObject::ExportText(sCmdExpAsc *record) {
    const tStatus result = cStaffBase::ExportText(record);
    if (result < 0 || !record || !record->output) return result;
    std::ostream &out = *record->output;
    const sTemplate *t = TemplateOf();
    out << ", " << EscapeStringText(t ? t->name.c_str() : u"") << ", ";
    const cPObjPoint *clefPrototype = PrototypeById(clef);
    const cPObjPoint *keyPrototype = PrototypeById(key);
    WriteQuotedString(clefPrototype ? clefPrototype->GetClassName() : u"", out) << ", ";
    WriteQuotedString(keyPrototype ? keyPrototype->GetClassName() : u"", out);
    return result;
}

tStatus StaffObject::ImportText(sCmdImpAsc *record) {
    const tStatus result = cStaffBase::ImportText(record);
    if (result != 0 || !record || !record->input) return result;
    cAsciiFile &in = *record->input;
    if (in.PeekAfterWhiteSpace() != ',') return in.GetErrorLatch();
    in.Expect(u",");
    in.ReadQuotedString();  // the part name: the template holds it
    if (in.Expect(u",") != 0) return in.GetErrorLatch();
    const cPObjPoint *clefPrototype = PrototypeByName(in.ReadQuotedString());
    if (in.Expect(u",") != 0) return in.GetErrorLatch();
    const cPObjPoint *keyPrototype = PrototypeByName(in.ReadQuotedString());
    if (in.GetErrorLatch() != 0) return in.GetErrorLatch();
    clef = clefPrototype ? clefPrototype->GetTypeId() : int16_t(0);
    key = keyPrototype ? keyPrototype->GetTypeId() : int16_t(0);
    return 0;
}
