// Commands sent down the symbol tree: the record header and the records of
// the document layer, the command ids, the mask that picks the objects a
// command addresses, and the kept copies of the last and the repeatable
// command.  A record carries the logical size that the formats and set-up
// checks compare; records are copied only through Clone, never byte-wise.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "document/symbol_base.h"

class cAsciiFile;

enum : int16_t {
    kCmdNone = -1,
    kCmdExportText = 4,
    kCmdImportText = 5,
    kCmdSaveBinary = 6,
    kCmdCondense = 7,
    kCmdSetupChar = 8,
    kCmdSetupText = 9,
    kCmdSetupScaled = 10,
    kCmdSetupLine = 11,
    kCmdSetupBreak = 12,
    kCmdLoaded = 13,
    kCmdExport = 15,
    kCmdStaffTemplate = 16,
    kCmdStaffHide = 17,
    kCmdTranspose = 18,
    kCmdSongbook = 19,
    kCmdBarNumbers = 20,
    kCmdStems = 21,
    kCmdNoteHead = 22,
    kCmdMakeChords = 23,
    kCmdMakeBeams = 24,
    kCmdSetupTimeC = 25,
    kCmdSetupTimeAny = 26,
    kCmdSetupMMSym = 27,
    kCmdSetupBar = 28,
    kCmdSetupTieBeg = 29,
    kCmdStaffSetStat = 30,
    kCmdStaffSetProp = 31,
};

// The header of every command record.
struct sCommandPrm {
    sCommandPrm() = default;
    sCommandPrm(uint16_t size, int16_t family, int16_t command) : size(size), familyId(family), commandId(command) {}
    virtual ~sCommandPrm() = default;
    virtual uint16_t GetSize() const { return size; }
    // A new record of the same type with the same field values.
    virtual sCommandPrm *Clone() const { return new sCommandPrm(*this); }

    uint16_t size = 16;
    int16_t familyId = kCmdNone;
    int16_t commandId = kCmdNone;
    cPObjBase *target = nullptr;

protected:
    sCommandPrm(const sCommandPrm &) = default;
    sCommandPrm &operator=(const sCommandPrm &) = default;
};

// Clone for a record type that copies as a value.
template <class T, class Base = sCommandPrm>
struct lcCommandRecord : Base {
    using Base::Base;
    sCommandPrm *Clone() const override { return new T(static_cast<const T &>(*this)); }
};

struct cPObjBase::sCmdExpAsc : lcCommandRecord<sCmdExpAsc> {
    explicit sCmdExpAsc(std::ostream *out = nullptr) : lcCommandRecord(24, kCmdExportText, kCmdExportText), output(out) {}
    std::ostream *output;
    int32_t depth = 0;
};

struct cPObjBase::sCmdImpAsc : lcCommandRecord<sCmdImpAsc> {
    explicit sCmdImpAsc(cAsciiFile *in = nullptr) : lcCommandRecord(20, kCmdImportText, kCmdImportText), input(in) {}
    cAsciiFile *input;
};

struct cPObjBase::sCmdFileSave : lcCommandRecord<sCmdFileSave> {
    explicit sCmdFileSave(cBinaryFileBase *f = nullptr) : lcCommandRecord(20, kCmdSaveBinary, kCmdSaveBinary), file(f) {}
    cBinaryFileBase *file;
    // Set by a record that refused to be written (its fields do not fit the
    // format): the file would be incomplete, so the save must fail.
    bool refused = false;
};

struct cPObjBase::sCmdCondense : lcCommandRecord<sCmdCondense> {
    sCmdCondense() : lcCommandRecord(56, kCmdCondense, kCmdCondense) {}
    int32_t lastX = kFailed;
    int32_t maxRight = kFailed;
    int32_t lastOldX = kFailed;
    int32_t lastY = kFailed;
    int32_t maxBottom = kFailed;
    int32_t lastOldY = kFailed;
    int32_t gapX = kFailed;
    int32_t gapY = kFailed;
    int32_t pageLimit = kFailed;
    int32_t pageHeight = kFailed;
};

struct cPObjBase::sCmdLoaded : lcCommandRecord<sCmdLoaded> {
    explicit sCmdLoaded(int32_t v = 1) : lcCommandRecord(20, kCmdLoaded, kCmdLoaded), value(v) {}
    int32_t value;
};

// Mask flags.
enum : uint16_t {
    kMaskClassId = 0x1,
    kMaskTypeBits = 0x2,
    kMaskMinX = 0x4,
    kMaskMaxX = 0x8,
    kMaskMinY = 0x10,
    kMaskMaxY = 0x20,
    kMaskOnOwner = 0x80,
    kMaskEveryObject = 0x100,  // tests nothing; the binary save's flag word
    kMaskFromStart = 0x200,
    kMaskUntilStop = 0x400,
    kMaskNthChild = 0x800,
    kMaskPassOver = 0xFFFF,
};

// Answers of Match besides 0.
constexpr tStatus kMaskBeforeStart = static_cast<tStatus>(0x80000001u);
constexpr tStatus kMaskOver = static_cast<tStatus>(0x80000004u);
constexpr tStatus kMaskMissed = static_cast<tStatus>(0x80000008u);
constexpr tStatus kMaskStartFound = 0x200;

// The filter of one pass.  Flags 0x200 and 0x400 change the mask while the
// pass runs, so every pass gets a fresh mask.
struct sCommandMask {
    // Flags as given; class id and type bits from the object when the flags
    // ask for them; both bounds on its position; start and stop the object.
    sCommandMask(cPObjBase *obj, uint16_t flags);
    virtual ~sCommandMask() = default;

    virtual tStatus Match(cPObjBase *obj);
    uint16_t SetFlags(uint16_t value) {
        uint16_t previous = flags;
        flags = value;
        return previous;
    }

    uint16_t flags;
    int16_t classId = 0;
    uint32_t typeBits = 0;
    int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    cPObjBase *startObject = nullptr;
    cPObjBase *stopObject = nullptr;
    uint16_t childIndex = 0;
};

