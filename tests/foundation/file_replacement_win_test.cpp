// Replacing files under Windows: a target another program holds open, and a
// read-only target.
#include "foundation/file_replacement.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/binary_file.h"
#include "foundation/replacing_file_stream.h"
#include "foundation/win32_win.h"
#include "platform/op_sys_base.h"
#include "tests/support/held_open_win.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"

namespace {

using Names = std::vector<std::u16string>;
using Writer = std::function<tStatus(const std::u16string &path)>;

const struct {
    const char *what;
    Writer write;
} kWriters[] = {
    {"binary file",
     [](const std::u16string &path) {
         std::unique_ptr<cBinaryFileBase> f(gOpSys->NewBinaryFile(path.c_str(), cBinaryFileBase::kWrite));
         if (!f->IsOpen()) return RC_FAIL;
         f->Write("the new content", 15);
         return f->Close();
     }},
    {"replacing stream",
     [](const std::u16string &path) {
         cReplacingFileStream out(path.c_str());
         out << "the new content";
         return out.Close();
     }},
};

// The whole new file is written, and only the move into place fails: the
// held file stays as it was, the new one is removed, the error is logged.
TEST(FileReplacementWin, ATargetHeldOpenWithoutSharingKeepsItsContent) {
    for (const auto &w : kWriters) {
        SCOPED_TRACE(w.what);
        std::u16string folder = test::MakeTempFolder("replace_held");
        std::u16string path = folder + u"held.txt";
        test::WriteFileBytes(path, "previous");
        test::LogCapture log("replace_held_log");
        {
            test::cHeldOpen held(path);
            ASSERT_TRUE(held.IsHeld());
            EXPECT_EQ(w.write(path), RC_FAIL);
        }
        EXPECT_EQ(test::ReadFileBytes(path), "previous");
        EXPECT_EQ(test::FolderEntries(folder), Names{u"held.txt"});
        EXPECT_NE(log.Text().find("Error: code "), std::string::npos) << log.Text();
        EXPECT_EQ(w.write(path), RC_OK);
        EXPECT_EQ(test::ReadFileBytes(path), "the new content");
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
    for (const auto &w : kWriters) {
        SCOPED_TRACE(w.what);
        EXPECT_EQ(w.write(path), RC_FAIL);
    }
    EXPECT_EQ(test::ReadFileBytes(path), "previous");
    EXPECT_EQ(test::FolderEntries(folder), Names{u"locked.ini"});
    SetFileAttributesW(W(path.c_str()), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
