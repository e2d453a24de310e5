// Fuzz target of the percussion sets inside a score file: the input is a
// sets block (a 16-bit count, then the sets in the settings file's UTF-16
// text form) read into the settings.  A block that is taken is written out
// again by name, and that block must be taken too, with the same set names.
// Nothing may read outside a buffer, recurse without end or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/memory_binary_file.h"
#include "foundation/string_array.h"
#include "platform/ini_file.h"
#include "staves/percussion_sets.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void ClearSets(cIniFile &settings) {
    while (settings.RemoveSection(u"Percussion", nullptr) >= 0) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    cIniFile &settings = fuzz::System().Settings();
    ClearSets(settings);
    cMemoryBinaryFile input(u"input", std::string(reinterpret_cast<const char *>(data), size));
    if (cPercussionSetup::LoadSets(&input) != RC_OK) return 0;

    cStringArray names;
    settings.GetStringList(u"Percussion", names);
    cMemoryBinaryFile saved(u"saved", std::string(), cBinaryFileBase::kWrite);
    if (cPercussionSetup::SaveSets(names, &saved) != RC_OK) std::abort();
    ClearSets(settings);
    cMemoryBinaryFile again(u"saved", saved.Bytes());
    if (cPercussionSetup::LoadSets(&again) != RC_OK) std::abort();
    cStringArray reread;
    settings.GetStringList(u"Percussion", reread);
    if (reread.size() != names.size()) std::abort();
    for (size_t i = 0; i < names.size(); ++i)
        if (reread[i] != names[i]) std::abort();
    return 0;
}
