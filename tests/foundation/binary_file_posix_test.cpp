#include "foundation/binary_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "foundation/replacing_file_stream.h"
#include "platform/op_sys_base.h"
#include "tests/support/file_size_limit_posix.h"
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
    using Writer = std::function<tStatus(const std::u16string &path, const std::string &bytes)>;
    const struct {
        const char *what;
        Writer write;
    } writers[] = {
        {"binary file",
         [](const std::u16string &path, const std::string &bytes) {
             std::unique_ptr<cBinaryFileBase> f(gOpSys->NewBinaryFile(path.c_str(), cBinaryFileBase::kWrite));
             if (!f->IsOpen()) return RC_FAIL;
             // In pieces, as the writers do; the later ones fail at once.
             for (size_t at = 0; at < bytes.size(); at += 1000)
                 f->Write(bytes.data() + at, uint32_t(std::min<size_t>(1000, bytes.size() - at)));
             return f->Close();
         }},
        {"replacing stream",
         [](const std::u16string &path, const std::string &bytes) {
             cReplacingFileStream out(path.c_str());
             out << bytes;
             return out.Close();
         }},
    };
    const std::string previous = "the previous content, kept whole\n";
    const std::string content(200000, 'n');
    for (const auto &w : writers) {
        SCOPED_TRACE(w.what);
        std::u16string folder = test::MakeTempFolder("binary_file_full");
        std::u16string path = folder + u"kept.txt";
        test::WriteFileBytes(path, previous);
        test::LogCapture log("binary_file_full_log");
        tStatus result;
        {
            test::cFileSizeLimit limit(65536);
            result = w.write(path, content);
        }
        EXPECT_EQ(result, RC_FAIL);
        EXPECT_EQ(test::ReadFileBytes(path), previous);
        EXPECT_EQ(test::FolderEntries(folder), std::vector<std::u16string>{u"kept.txt"});
        EXPECT_NE(log.Text().find("Error: code " + std::to_string(EFBIG)), std::string::npos) << log.Text();
        // Without the limit the same write succeeds.
        EXPECT_EQ(w.write(path, content), RC_OK);
        EXPECT_EQ(test::ReadFileBytes(path), content);
        EXPECT_EQ(test::FolderEntries(folder), std::vector<std::u16string>{u"kept.txt"});
    }
}

}  // namespace
