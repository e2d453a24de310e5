// Fuzz target of the settings file reader: the input is loaded as a settings
// file, in the UTF-16 form behind its byte-order mark when the first byte is
// odd and in the 8-bit form otherwise.  What was read is saved, and the saved
// file must load and save again.  (Byte equality of the two saves is not
// asked: a line the reader takes apart, a key cut at a zero unit or a section
// without a tag, is saved in its read form, which may read differently.)
// Nothing may read outside a buffer, recurse without end or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ini_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void MustSave(cIniFile &ini, const std::u16string &path) {
    if (ini.Save(path.c_str()) != RC_OK) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::System();
    if (size < 1) return 0;
    std::string body(reinterpret_cast<const char *>(data + 1), size - 1);
    if (data[0] & 1) body.insert(0, "\xFF\xFE");
    const std::u16string input = fuzz::WriteInput(u"input.ini", body);

    cIniFile ini;
    if (ini.Load(input.c_str()) != RC_OK) return 0;
    const std::u16string saved = fuzz::Folder() + u"saved.ini";
    MustSave(ini, saved);

    // Saved files are UTF-16 whatever the form read.
    cIniFile again;
    if (again.Load(saved.c_str()) != RC_OK || again.IsAnsi()) std::abort();
    MustSave(again, fuzz::Folder() + u"resaved.ini");
    return 0;
}
