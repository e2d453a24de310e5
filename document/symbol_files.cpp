// Storage of the root fields: the position integers of the binary score
// file and the object's line of the text form.
#include <iomanip>
#include <ostream>
#include <sstream>

#include "document/commands.h"
#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "foundation/text_util.h"
#include "platform/version_word.h"

namespace {

// The ranges of 1, 2, 3 and 4 bytes of the variable-length form.
constexpr int32_t kVarIntLimits[4] = {0x40, 0x2000, 0x100000, 0x8000000};

bool WritesVarIntByRange() { return MaskVersion(gFileVersion) >= kVersionVarInt; }

}  // namespace

bool cPObjBase::ReadBytes(cBinaryFileBase *file, void *buffer, uint32_t n) {
    const uint32_t before = file->GetPosition();
    return file->Read(buffer, n) >= 0 && file->GetPosition() - before == n;
}

uint8_t cPObjBase::VarIntSize(int32_t value) {
    for (uint8_t n = 1; n <= 4; ++n) {
        const int32_t limit = kVarIntLimits[n - 1];
        if (value >= -limit && value < limit) return WritesVarIntByRange() ? n : 4;
    }
    // Written in 4 bytes it would lose its top bits.
    Error(kPointObjDataSize);
    return 4;
}

tStatus cPObjBase::WriteVarInt(cBinaryFileBase *file, int32_t value) {
    if (!file) {
        ErrorInvalidStream();
        return kFailed;
    }
    const uint8_t n = VarIntSize(value);
    uint8_t bytes[4];
    uint32_t bits = uint32_t(value) << (4 + 7 * (4 - n));
    for (uint8_t i = 0; i < n; ++i, bits <<= 7) bytes[i] = uint8_t(bits >> 25) | (i + 1 < n ? 0x80 : 0);
    return file->Write(bytes, n) < 0 ? kFailed : 0;
}

tStatus cPObjBase::ReadPosition(cBinaryFileBase *file, int32_t &value) {
    value = 0;
    if (!file) {
        ErrorInvalidStream();
        return kFailed;
    }
    const uint32_t version = MaskVersion(gFileVersion);
    uint8_t b[4] = {};
    if (version < kVersionPositions32) {
        if (!ReadBytes(file, b, 2)) return kFailed;
        value = int16_t(b[0] | b[1] << 8);
        return 0;
    }
    if (version < kVersionVarInt) {
        if (!ReadBytes(file, b, 4)) return kFailed;
        value = int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
        return 0;
    }
    uint8_t byte = 0;
    if (!ReadBytes(file, &byte, 1)) return kFailed;
    // The first group carries the sign in its bit 6.
    int32_t v = (byte & 0x40) ? int32_t(byte & 0x7F) - 0x80 : byte & 0x7F;
    for (int i = 1; i < 4 && (byte & 0x80); ++i) {
        if (!ReadBytes(file, &byte, 1)) return kFailed;
        v = int32_t(uint32_t(v) << 7) | (byte & 0x7F);
    }
    value = v;
    return 0;
}

uint16_t cPObjBase::DataSize() { return uint16_t(VarIntSize(x) + VarIntSize(y)); }

tStatus cPObjBase::SaveBinary(sCmdFileSave *record) {
    cBinaryFileBase *file = record ? record->file : nullptr;
    if (!file) {
        ErrorInvalidStream();
        return kFailed;
    }
    return WriteVarInt(file, x) < 0 || WriteVarInt(file, y) < 0 ? kFailed : 0;
}

tStatus cPObjBase::LoadBinary(cBinaryFileBase *file, uint16_t) {
    RefreshClassName();
    if (!file) {
        ErrorInvalidStream();
        return kFailed;
    }
    int32_t px = 0, py = 0;
    if (ReadPosition(file, px) < 0 || ReadPosition(file, py) < 0) return kFailed;
    x = px;
    y = py;
    return 0;
}

void cPObjBase::WriteObjectRef(std::ostream &stream, const cPObjBase *obj) {
    if (!obj) {
        stream << "none";
        return;
    }
    if (gProgramStatus.IsDebugMode())
        stream << "(" << std::hex << reinterpret_cast<uintptr_t>(obj) << std::dec << ")";
    stream << NarrowAscii(obj->GetTypeName());
}

tStatus cPObjBase::ExportText(sCmdExpAsc *record) {
    if (!record || !record->output) return kFailed;
    std::ostringstream line;
    for (int32_t i = 0; i < record->depth; ++i) line << '\t';
    if (gProgramStatus.IsDebugMode())
        line << "(" << std::hex << reinterpret_cast<uintptr_t>(this) << std::dec << ")";
    line << std::left << std::setw(15) << NarrowAscii(GetTypeName()) << std::right;
    line << " @" << std::setw(4) << x << "," << std::setw(5) << y;
    *record->output << line.str();
    return 0;
}

tStatus cPObjBase::ImportText(sCmdImpAsc *record) {
    cAsciiFile *in = record ? record->input : nullptr;
    if (!in) return kFailed;
    if (in->GetErrorLatch() != 0) return in->GetErrorLatch();
    in->Expect(u"@");
    int32_t px = in->ReadInt();
    in->Expect(u",");
    int32_t py = in->ReadInt();
    if (in->GetErrorLatch() == 0) {
        x = px;
        y = py;
    }
    return in->GetErrorLatch();
}
