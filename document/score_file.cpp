// The binary score file: the header with its class dictionary, the save of
// a document, and reading a file back into the document.
//
// The writer never costs the user the previous file: the new one is written
// beside it and takes its place only after every byte and the close
// succeeded (cBinaryFile), and a save that failed in any way (a record
// refused, a write or the close failing) leaves it unclosed, so the new file
// is dropped.  The reader trusts nothing the file
// states: every count and size is checked against the bytes left before it
// is used, and a malformed file is refused with a report, never a crash.
#include "document/score_file.h"

#include <cstring>
#include <memory>
#include <string>

#include "document/commands.h"
#include "document/document_root.h"
#include "document/file_class_map.h"
#include "document/registry.h"
#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "foundation/error_msg.h"
#include "foundation/memory_binary_file.h"
#include "platform/op_sys_base.h"
#include "platform/version_word.h"
#include "ui/font_table.h"
#include "ui/view_port.h"

namespace {

// The product word opens the header text; the rest names the format.
constexpr char16_t kHeaderText[] = u"Pelmora Music File Oct 12 2013";
constexpr char16_t kProductWord[] = u"Pelmora";
constexpr uint32_t kProductWordLength = 7;
constexpr uint16_t kEndOfTextMark = 0x1A;

// Version thresholds of the reader (the low byte of a word never counts).
constexpr uint32_t kVersionFontBlock = 0x1000300;
constexpr uint32_t kVersionNoFileName = 0x1020000;
constexpr uint32_t kVersionPlainNames = 0x2000000;
constexpr uint32_t kVersionWideStrings = 0x20A0200;

// The longest class name the dictionary keeps.
constexpr uint16_t kMaxClassName = 49;

// The file class map while a header is read and after: the reader owns it
// and lends it to the owners through gFileClassMap.
std::unique_ptr<sFileClassMap> gOwnedClassMap;

void FreeFileClassMap() {
    if (gFileClassMap == gOwnedClassMap.get()) gFileClassMap = nullptr;
    gOwnedClassMap.reset();
}

bool FileIsNewer() { return CompareVersion(gFileVersion, gProgramStatus.GetVersion()) > 0; }

bool ReadI16(cBinaryFileBase *file, int16_t &value) {
    uint8_t b[2] = {};
    value = 0;
    if (!cPObjBase::ReadBytes(file, b, 2)) return false;
    value = int16_t(b[0] | b[1] << 8);
    return true;
}

// A string record whose length fits the bytes left, at most max characters
// kept; false (and an empty text) when it runs past the end.
bool ReadCheckedString(cBinaryFileBase *file, uint16_t max, std::u16string &text) {
    text.clear();
    const uint32_t at = file->GetPosition();
    int16_t length = 0;
    if (!ReadI16(file, length) || uint16_t(length) > file->BytesLeft()) return false;
    file->Seek(at);
    text = file->ReadStringTemp(max);
    return !file->HasIoError() && file->GetPosition() <= file->GetSize();
}

// Dictionary names of files before 2.0.0 carried the old prefix and suffix.
std::u16string PlainClassName(std::u16string name) {
    static const std::u16string prefix = u"Rhythm", suffix = u"Object";
    if (name.compare(0, prefix.size(), prefix) == 0) name.erase(0, prefix.size());
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.erase(name.size() - suffix.size());
    return name;
}

// One dictionary entry: 0 when its name is known here, 1 when not (or the
// id is empty), kFailed when the file is malformed or a known class cannot
// take the file's class defaults.
tStatus ReadDictionaryEntry(cBinaryFileBase *file, sFileClassEntry &entry) {
    if (!ReadI16(file, entry.fileId)) {
        cPObjBase::ErrorInvalidStream();
        return kFailed;
    }
    if (entry.fileId == 0) return 1;
    std::u16string name;
    if (!ReadCheckedString(file, kMaxClassName, name) || !ReadI16(file, entry.recordSize) ||
        !ReadI16(file, entry.defaultsSize)) {
        cPObjBase::ErrorInvalidStream();
        return kFailed;
    }
    // Only a size that fits the bytes left can be skipped by.
    const bool sizeFits = entry.defaultsSize >= 0 && uint32_t(entry.defaultsSize) <= file->BytesLeft();
    if (MaskVersion(gFileVersion) < kVersionPlainNames) name = PlainClassName(name);
    const uint32_t start = file->GetPosition();
    const uint32_t end = start + uint32_t(sizeFits ? entry.defaultsSize : 0);
    cPObjPoint *prototype = cPObjBase::PrototypeByName(name.c_str());
    if (!prototype) {
        if (!sizeFits) {
            cPObjBase::ErrorInvalidStream();
            return kFailed;
        }
        file->Seek(end);
        return 1;
    }
    entry.currentId = prototype->GetTypeId();
    const int32_t read = prototype->LoadClassData(file, entry.defaultsSize);
    if (file->HasIoError()) {
        cPObjBase::ErrorInvalidStream();
        return kFailed;
    }
    // A class that reads its defaults by their content ends its entry where
    // it stopped, whatever size an older writer stated.
    if (read == kClassDataReadByContent && !FileIsNewer()) return 0;
    // Class defaults never reach into the next entry; what a class left
    // unread (defaults of a newer program) is passed over.
    if (!sizeFits || file->GetPosition() > end) {
        cPObjBase::ErrorInvalidStream();
        return kFailed;
    }
    file->Seek(end);
    if (prototype->GetClassDataSize() != entry.defaultsSize && FileIsNewer()) {
        entry.currentId = 0;
        return kFailed;
    }
    return 0;
}

// Writes that remember whether any of them failed.
class cCheckedWriter {
public:
    explicit cCheckedWriter(cBinaryFileBase &file) : file(file) {}
    void U16(uint16_t value) { Check(file.WriteU16(value)); }
    void Text(const char16_t *text) { Check(file.WriteText(text)); }
    void String(const char16_t *text) { Check(file.WriteString(text)); }
    bool Ok() const { return ok && !file.HasIoError(); }
    void Fail() { ok = false; }

private:
    void Check(tStatus status) {
        if (status < 0) ok = false;
    }
    cBinaryFileBase &file;
    bool ok = true;
};

}  // namespace

bool cPObjBase::WriteFileHeader(cBinaryFileBase *file) {
    if (!file) {
        ErrorInvalidStream();
        return false;
    }
    // A file without its dictionary could not be read back.
    if (!gClassRegistry) {
        ErrorInvalidObject();
        return false;
    }
    cCheckedWriter out(*file);
    out.Text(kHeaderText);
    out.U16(kEndOfTextMark);
    out.U16(0);
    const uint32_t before = file->GetPosition();
    gProgramStatus.WriteVersion(*file);
    if (file->GetPosition() - before != 4) out.Fail();
    out.U16(uint16_t(gFirstClassId));
    out.U16(uint16_t(gLastClassId));
    for (int32_t id = gFirstClassId; id <= gLastClassId && out.Ok(); ++id) {
        cPObjPoint *prototype = PrototypeById(int16_t(id));
        if (!prototype) {
            out.U16(0);
            continue;
        }
        out.U16(uint16_t(id));
        out.String(prototype->GetTypeName());
        out.U16(prototype->DataSize());
        const uint16_t defaults = uint16_t(prototype->GetClassDataSize());
        out.U16(defaults);
        const uint32_t start = file->GetPosition();
        prototype->SaveClassData(file);
        // Readers skip the defaults by the size stated before them.
        if (file->GetPosition() - start != defaults) {
            Error(kPointObjDataSize);
            out.Fail();
        }
    }
    return out.Ok();
}

tStatus cPObjPoint::SaveFile(cPObjPoint *object, const char16_t *path, sCommandMask *mask) {
    if (!object) {
        ErrorInvalidObject();
        return kFailed;
    }
    std::unique_ptr<sCommandMask> ownMask;
    if (!mask) {
        ownMask = std::make_unique<sCommandMask>(object, kMaskEveryObject);
        mask = ownMask.get();
    }
    if (!path && gCurrentDocument) path = gCurrentDocument->GetFileName();
    if (!path || !*path || !gOpSys) {
        ErrorInvalidStream();
        return kFailed;
    }
    std::unique_ptr<cBinaryFileBase> disk(gOpSys->NewBinaryFile(path, cBinaryFileBase::kWrite));
    if (!disk || !disk->IsOpen()) {
        // A file that could not be opened has reported the system's reason.
        if (!disk) ErrorInvalidStream();
        return kFailed;
    }
    // The records are collected in memory (they are written a few bytes at
    // a time) and go to the file in one write.
    auto file = std::make_unique<cMemoryBinaryFile>(path, std::string(), cBinaryFileBase::kWrite);
    sCmdFileSave record(file.get());
    if (object->IsOwner()) static_cast<cPObjOwnBase *>(object)->DeleteBlockMarks();
    cCheckedWriter out(*file);
    // The file's font table starts empty: the class data and the records
    // below add the fonts they name, and no other file's fonts ride along.
    cFontTable::ClearFileTable();
    if (!object->WriteFileHeader(file.get())) out.Fail();
    out.U16(uint16_t(object->GetTypeId()));
    out.U16(object->DataSize());
    // The command's answer says whether objects were addressed (an owner
    // without children answers "not handled"), not whether they were
    // written: that is the file's error bit and the refusals.
    if (out.Ok()) SendCommand(object, kCmdSaveBinary, mask, &record, nullptr);
    const bool complete = out.Ok() && !record.refused && cFontTable::Write(*file) >= 0 && out.Ok();
    const std::string &bytes = file->Bytes();
    if (complete && disk->Write(bytes.data(), uint32_t(bytes.size())) >= 0 && !disk->HasIoError() &&
        disk->Close() >= 0) {
        gDocumentFlags = 0;
        return 0;
    }
    // Left unclosed, the new file is removed and the previous one stays.
    // The cause was reported where it happened (the system error, a refused
    // record); a failure that nothing reported is reported here.
    if (!disk->HasIoError() && !record.refused && out.Ok()) ErrorInvalidStream();
    return kFailed;
}

bool IsTextFormPath(const char16_t *path) {
    if (!path) return false;
    const std::u16string text(path);
    const size_t slash = text.find_last_of(u"\\/:");
    const size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
    // The extension runs from the first dot of the name: "a.b.txt" has "b.txt".
    const size_t dot = text.find(u'.', nameStart);
    return dot != std::u16string::npos && text.compare(dot + 1, std::u16string::npos, u"txt") == 0;
}

// ---- Reading ----------------------------------------------------------------

int32_t PointWindowObject::FreeClassData() {
    FreeFileClassMap();
    return cPObjGroup::FreeClassData();
}

void PointWindowObject::SetFileName(const char16_t *path) { fileName = cCharString(path ? path : u"NoName"); }

tStatus PointWindowObject::VersionAlert() {
    if (FileIsNewer())
        if (cGraphDvc *w = Window())
            w->ShowMessage(u"This file was created with a newer version of the program and may not load properly.",
                           u"File version alert!");
    return 0;
}

tStatus PointWindowObject::CheckHeader(const uint8_t *header, uint32_t length) {
    bool valid = false;
    if (header && length >= kProductWordLength) {
        // The header as UTF-16: the word, then the mark as the last unit.
        // A last odd byte is a unit whose high byte is 0.
        auto unit = [&](uint32_t i) {
            return uint16_t(header[2 * i] | (2 * i + 1 < length ? header[2 * i + 1] << 8 : 0));
        };
        bool wide = length >= 2 * kProductWordLength;
        for (uint32_t i = 0; wide && i < kProductWordLength; ++i) wide = unit(i) == kProductWord[i];
        if (wide) {
            uint32_t units = 0;
            while (2 * units < length && unit(units) != 0) ++units;
            valid = unit(units - 1) == kEndOfTextMark;
        } else {
            // As 8-bit text in the system's code page: the mark before the first 0.
            const char *word = gOpSys ? gOpSys->ToAnsiText(kProductWord) : nullptr;
            const size_t wordLength = word ? std::strlen(word) : 0;
            uint32_t bytes = 0;
            while (bytes < length && header[bytes] != 0) ++bytes;
            valid = wordLength > 0 && bytes > wordLength && std::memcmp(header, word, wordLength) == 0 &&
                    header[bytes - 1] == kEndOfTextMark;
        }
    }
    if (!valid) {
        if (cGraphDvc *w = Window()) w->ShowMessage(u"This is not a valid Pelmora file.", u"File Error!");
        return kFailed;
    }
    return VersionAlert();
}

tStatus PointWindowObject::ReadHeader(cBinaryFileBase *file) {
    if (!file) {
        ErrorInvalidStream();
        return kFailed;
    }
    // Room for 98 bytes and two zero bytes behind them.
    uint8_t header[100] = {};
    uint32_t got = file->ReadUntilByte(header, 0, 98);
    if (got < kProductWordLength) {
        // The UTF-16 header: its text ends in the mark; the mark's high
        // byte and the reserved word follow.
        std::memset(header, 0, sizeof header);
        file->Seek(0);
        got = file->ReadUntilByte(header, uint8_t(kEndOfTextMark), 98);
        if (got > 0 && header[got - 1] == kEndOfTextMark) file->Seek(file->GetPosition() + 3);
    }
    const uint32_t previousVersion = gFileVersion;
    uint8_t word[4] = {};
    const uint32_t at = file->GetPosition();
    if (!ReadBytes(file, word, 4)) got = 0;  // too short for a version word: no valid header
    file->Seek(at);
    ReadVersionWord(&gFileVersion, *file);
    if (CheckHeader(header, got) < 0) {
        // A file that is not ours says nothing about the version to write.
        gFileVersion = previousVersion;
        return kFailed;
    }
    if (MaskVersion(gFileVersion) < kVersionWideStrings) file->SetAnsiStrings(true);

    int16_t lowest = 0, highest = 0;
    FreeFileClassMap();
    // Every id of the dictionary takes 2 bytes at least.
    if (!ReadI16(file, lowest) || !ReadI16(file, highest) || highest < lowest ||
        2 * (uint32_t(int32_t(highest) - lowest) + 1) > file->BytesLeft()) {
        ErrorInvalidStream();
        return kFailed;
    }
    gOwnedClassMap.reset(new (std::nothrow) sFileClassMap);
    if (!gOwnedClassMap) return kFailed;
    sFileClassMap &map = *gOwnedClassMap;
    map.lowest = lowest;
    map.highest = highest;
    try {
        map.entries.resize(size_t(int32_t(highest) - lowest) + 1);
    } catch (const std::bad_alloc &) {
        gOwnedClassMap.reset();
        return kFailed;
    }
    gFileClassMap = &map;
    tStatus result = kFailed;
    for (sFileClassEntry &entry : map.entries) {
        const tStatus read = ReadDictionaryEntry(file, entry);
        if (read < 0) return kFailed;
        if (read == 0) result = 0;
    }
    // A dictionary that names no class of this program holds nothing to read.
    if (result < 0) ErrorInvalidStream();
    return result;
}

uint16_t PointWindowObject::DataSize() { return cPObjGroup::DataSize(); }

tStatus PointWindowObject::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    tStatus result = cPObjGroup::LoadBinary(file, size);
    if (result < 0) return result;
    const uint32_t version = MaskVersion(gFileVersion);
    if (version >= kVersionFontBlock) {
        cGraphDvc *w = Window();
        if ((w ? w->ReadFontTable(*file) : cFontTable::Read(*file)) < 0) return kFailed;
    }
    if (version < kVersionNoFileName) {
        std::u16string name;
        if (!ReadCheckedString(file, cBinaryFileBase::kNoLimit, name)) return kFailed;
        SetFileName(name.c_str());
    }
    return 0;
}

PointWindowObject *PointWindowObject::BeginLoad(const char16_t *name) {
    Clear(0);
    SetFileName(name);
    ResetPrototypes();
    return gCurrentDocument;
}

tStatus PointWindowObject::EndLoad(tStatus result, int32_t kind, PointWindowObject *current) {
    if (cGraphDvc *w = Window()) {
        uint16_t font = w->FindFont(u"arial", -13, 0);
        if (font == kFontNone) font = w->FindFont(u"times", -13, 0);
        if (font != kFontNone) w->SetDefaultFont(font);
    }
    sCmdLoaded loaded(kind);
    sCommandMask mask(this, 0);
    SendCommand(this, kCmdLoaded, &mask, &loaded, nullptr);
    x = y = 0;
    SetSize(0, 0);
    gDocumentFlags = 0;
    gSelectedObject = nullptr;
    gCurrentDocument = current;
    return result;
}

tStatus PointWindowObject::LoadFile(const char16_t *path) {
    if (IsTextFormPath(path)) {
        cAsciiFile reader(path);
        return LoadText(reader, path);
    }
    tStatus result = kFailed;
    PointWindowObject *const current = BeginLoad(path);
    if (path && gOpSys) {
        const int32_t reported = gErrorMsg ? gErrorMsg->ErrorCount() : 0;
        // The file is read whole and parsed in memory: its fields are read a
        // few bytes at a time.
        std::unique_ptr<cBinaryFileBase> disk(gOpSys->NewBinaryFile(path, cBinaryFileBase::kRead));
        std::unique_ptr<cMemoryBinaryFile> file = disk ? cMemoryBinaryFile::ReadWhole(*disk) : nullptr;
        if (disk && disk->IsOpen() && !file && !disk->HasIoError()) ErrorInvalidStream();  // out of memory
        if (disk) disk->Close();
        if (file) {
            const bool headerPassed = ReadHeader(file.get()) >= 0;
            if (headerPassed) {
                uint16_t size = DataSize();
                int16_t rootId = 0, storedSize = 0;
                bool ok = ReadI16(file.get(), rootId);
                if (ok && MaskVersion(gFileVersion) >= kVersionPositions32) {
                    ok = ReadI16(file.get(), storedSize) && uint16_t(storedSize) <= file->BytesLeft();
                    size = uint16_t(storedSize);
                }
                result = ok ? LoadBinary(file.get(), size) : kFailed;
            }
            // A tree refused after its header passed is malformed: the log
            // says so once, unless the reader has already.  A stream found
            // malformed anywhere is told to the user as a header that is not
            // ours is (ReadHeader tells its own refusals of the header).
            if (result < 0 && headerPassed && gErrorMsg && gErrorMsg->ErrorCount() == reported)
                ErrorInvalidStream();
            if (result < 0 && gErrorMsg && gErrorMsg->ErrorCount() != reported)
                if (cGraphDvc *w = Window()) w->ShowMessage(u"This is not a valid Pelmora file.", u"File Error!");
        }
    }
    return EndLoad(result, 1, current);
}
