#include "foundation/binary_file.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/op_sys_base.h"

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
