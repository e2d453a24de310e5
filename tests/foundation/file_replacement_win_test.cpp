// Replacing files under Windows: a target another program holds open, and a
// read-only target.
#include "foundation/file_replacement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/win32_win.h"
#include "tests/foundation/file_writers.h"
#include "tests/support/held_open_win.h"
#include "tests/support/kept_file.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"

namespace {

using Names = std::vector<std::u16string>;

// The whole new file is written, and only the move into place fails: the
// held file stays as it was, the new one is removed, the error is logged.
TEST(FileReplacementWin, ATargetHeldOpenWithoutSharingKeepsItsContent) {
    for (const auto &w : test::kFileWriters) {
        SCOPED_TRACE(w.what);
        test::sKeptFile file("replace_held", u"held.txt", "previous");
        test::LogCapture log("replace_held_log");
        {
            test::cHeldOpen held(file.path);
            ASSERT_TRUE(held.IsHeld());
            EXPECT_EQ(w.write(file.path, "the new content"), RC_FAIL);
        }
        file.ExpectKept(log.Text(), "Error: code ");
        EXPECT_EQ(w.write(file.path, "the new content"), RC_OK);
        EXPECT_EQ(test::ReadFileBytes(file.path), "the new content");
    }
}

// A read-only file is not written at all: the failure comes before the write.
TEST(FileReplacementWin, AReadOnlyTargetIsNotReplaced) {
    std::u16string folder = test::MakeTempFolder("replace_readonly");
    std::u16string path = folder + u"locked.ini";
    test::WriteFileBytes(path, "previous");
    ASSERT_TRUE(SetFileAttributesW(W(path.c_str()), FILE_ATTRIBUTE_READONLY));
    cFileReplacement r(path.c_str());
    EXPECT_FALSE(r.Begin());
    EXPECT_EQ(r.GetSystemError(), int32_t(ERROR_ACCESS_DENIED));
    for (const auto &w : test::kFileWriters) {
        SCOPED_TRACE(w.what);
        EXPECT_EQ(w.write(path, "new"), RC_FAIL);
    }
    EXPECT_EQ(test::ReadFileBytes(path), "previous");
    EXPECT_EQ(test::FolderEntries(folder), Names{u"locked.ini"});
    SetFileAttributesW(W(path.c_str()), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
