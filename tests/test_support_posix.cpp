// The native half of the test folders: the temporary root and removing a tree.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "tests/test_support.h"

namespace test {

std::u16string TempRoot() {
    const char *tmp = std::getenv("TMPDIR");
    std::u16string root = FromUtf8(tmp && *tmp ? tmp : "/tmp") + u"\\pelmora-tests-" + FormatUnsigned(getpid()) + u"\\";
    OpSys().CreateFolder(root);
    return root;
}

void RemoveTree(const std::u16string &folder) {
    std::string cmd = "rm -rf '" + PlatformPath(folder.c_str()) + "'";
    if (std::system(cmd.c_str()) != 0) return;
}

}  // namespace test
