// Fuzz target of the symbol records of the binary score file: the first
// byte picks the file version and the class, the rest is read as a run of
// records until one fails.  Every record read is written back and must read
// back to the same fields.  Nothing may read outside a buffer or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "document/line_symbol.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/midi/memory_file.h"

namespace {

const uint32_t kVersions[] = {0x1040000, 0x1050000, 0x1060000};

ScaledObject *NewRecordObject(uint8_t kind) { return kind ? new cLineObject : new ScaledObject; }

void CheckSame(ScaledObject &a, ScaledObject &b) {
    if (a.x != b.x || a.y != b.y || a.GetSizeWidth() != b.GetSizeWidth() || a.GetSizeHeight() != b.GetSizeHeight())
        std::abort();
    auto *la = dynamic_cast<cLineObject *>(&a);
    auto *lb = dynamic_cast<cLineObject *>(&b);
    if (la && lb && la->GetLineWidth() != lb->GetLineWidth()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::cQuietErrors &errors = fuzz::QuietErrors();
    if (size < 1 || size > 1 << 16) return 0;
    gFileVersion = kVersions[data[0] % 3];
    const uint8_t kind = (data[0] / 3) & 1;
    test::cMemoryFile input(std::string(reinterpret_cast<const char *>(data + 1), size - 1));
    // Each record takes at least one byte, so the loop ends.
    for (size_t n = 0; n < size; ++n) {
        std::unique_ptr<ScaledObject> obj(NewRecordObject(kind));
        if (obj->LoadBinary(&input, 0) < 0) break;
        test::cMemoryFile output(std::string(), cBinaryFileBase::kWrite);
        cPObjBase::sCmdFileSave save(&output);
        // Values beyond the variable-length range cannot be written back.
        const int32_t reported = errors.ErrorCount();
        if (obj->SaveBinary(&save) < 0 || errors.ErrorCount() != reported) break;
        // The writer always writes variable-length integers (four bytes each
        // before 1.6.0); they read back as a file of 1.6.0.
        const uint32_t version = gFileVersion;
        gFileVersion = kVersions[2];
        test::cMemoryFile again(output.Bytes());
        std::unique_ptr<ScaledObject> back(NewRecordObject(kind));
        if (back->LoadBinary(&again, 0) < 0 || again.GetPosition() != output.Bytes().size()) std::abort();
        gFileVersion = version;
        CheckSame(*obj, *back);
    }
    return 0;
}
