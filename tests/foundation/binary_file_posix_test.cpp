#include "foundation/binary_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <string>

#include "foundation/file_io.h"
#include "platform/op_sys_base.h"
#include "tests/foundation/file_writers.h"
#include "tests/support/file_size_limit_posix.h"
#include "tests/support/kept_file.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"

namespace {

// A device that is always full: the write fails in the system call just as a
// full disk does.
TEST(BinaryFilePosix, FullDeviceFailsWriteAndClose) {
    std::unique_ptr<cBinaryFileBase> f(gOpSys->NewBinaryFile(u"\\dev\\full", cBinaryFileBase::kWrite));
    ASSERT_TRUE(f->IsOpen());
    EXPECT_EQ(f->WriteU32(7), RC_FAIL);
    EXPECT_TRUE(f->HasIoError());
    EXPECT_EQ(f->WriteU32(7), RC_FAIL);
    EXPECT_EQ(f->Close(), RC_FAIL);
}

// A device is written where it is: nothing may take its place (the tests
// run as root, who could rename a file over it).
TEST(BinaryFilePosix, ADeviceIsWrittenInPlace) {
    std::unique_ptr<cBinaryFileBase> f(gOpSys->NewBinaryFile(u"\\dev\\null", cBinaryFileBase::kWrite));
    ASSERT_TRUE(f->IsOpen());
    EXPECT_EQ(f->Write("discarded", 9), 9);
    EXPECT_EQ(f->Close(), RC_OK);
    struct stat st;
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// The new file keeps the permissions of the file it replaces.
TEST(BinaryFilePosix, TheReplacementKeepsThePermissions) {
    std::u16string path = test::MakeTempFolder("binary_file_mode") + u"private.ini";
    test::WriteFileBytes(path, "old");
    ASSERT_EQ(::chmod(PlatformPath(path.c_str()).c_str(), 0600), 0);
    std::unique_ptr<cBinaryFileBase> f(gOpSys->NewBinaryFile(path.c_str(), cBinaryFileBase::kWrite));
    EXPECT_EQ(f->Write("new", 3), 3);
    EXPECT_EQ(f->Close(), RC_OK);
    struct stat st;
    ASSERT_EQ(::stat(PlatformPath(path.c_str()).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(test::ReadFileBytes(path), "new");
}

// Every writer of a whole file, on a disk that fills halfway through the
// write: the close answers failure, the previous file stays byte for byte,
// nothing is left beside it and the system error is in the log.
TEST(BinaryFilePosix, ADiskThatFillsMidwayKeepsThePreviousFile) {
    const std::string content(200000, 'n');
    for (const auto &w : test::kFileWriters) {
        SCOPED_TRACE(w.what);
        test::sKeptFile file("binary_file_full", u"kept.txt", "the previous content, kept whole\n");
        test::LogCapture log("binary_file_full_log");
        {
            test::cFileSizeLimit limit(65536);
            EXPECT_EQ(w.write(file.path, content), RC_FAIL);
        }
        file.ExpectKept(log.Text(), "Error: code " + std::to_string(EFBIG));
        // Without the limit the same write succeeds.
        EXPECT_EQ(w.write(file.path, content), RC_OK);
        EXPECT_EQ(test::ReadFileBytes(file.path), content);
        file.ExpectReplaced();
    }
}

}  // namespace
