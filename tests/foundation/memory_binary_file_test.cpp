#include "foundation/memory_binary_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/op_sys_base.h"
#include "tests/test_support.h"

namespace {

TEST(MemoryBinaryFile, ReadsLikeTheFileItCameFrom) {
    const std::u16string path = test::MakeTempFolder("memory_binary_file") + u"bytes.bin";
    test::WriteFileBytes(path, std::string("\x01\x02\x03", 3));
    std::unique_ptr<cBinaryFileBase> disk(gOpSys->NewBinaryFile(path.c_str(), cBinaryFileBase::kRead));
    ASSERT_TRUE(disk->IsOpen());
    disk->Seek(2);  // read from the start whatever the position
    std::unique_ptr<cMemoryBinaryFile> file = cMemoryBinaryFile::ReadWhole(*disk);
    disk->Close();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetName(), path);
    EXPECT_EQ(file->GetSize(), 3u);
    EXPECT_TRUE(file->IsOpen());
    uint16_t value = 0;
    EXPECT_EQ(file->ReadU16(value), 2);
    EXPECT_EQ(value, 0x0201);
    EXPECT_FALSE(file->AtEnd());
    // A short read: what is there, the position at the end, then the end bit.
    uint8_t bytes[4] = {};
    EXPECT_EQ(file->Read(bytes, 4), 4);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(file->GetPosition(), 3u);
    EXPECT_EQ(file->Read(bytes, 1), 1);
    EXPECT_TRUE(file->AtEnd());
    EXPECT_EQ(file->GetPosition(), 3u);
    EXPECT_EQ(file->Write("x", 1), RC_FAIL);
    EXPECT_TRUE(file->HasIoError());
}

TEST(MemoryBinaryFile, AFileThatIsNotOpenGivesNothing) {
    std::unique_ptr<cBinaryFileBase> missing(
        gOpSys->NewBinaryFile((test::MakeTempFolder("memory_binary_missing") + u"none.bin").c_str(),
                              cBinaryFileBase::kRead));
    EXPECT_EQ(cMemoryBinaryFile::ReadWhole(*missing), nullptr);
    cMemoryBinaryFile empty(u"empty", std::string());
    EXPECT_EQ(empty.GetSize(), 0u);
    std::unique_ptr<cMemoryBinaryFile> copy = cMemoryBinaryFile::ReadWhole(empty);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetSize(), 0u);
}

}  // namespace

namespace {

TEST(MemoryBinaryFile, WritesCollectTheBytes) {
    cMemoryBinaryFile file(u"new", std::string(), cBinaryFileBase::kWrite);
    EXPECT_EQ(file.WriteU16(0x0201), 2);
    EXPECT_GE(file.WriteString(u"ab"), 0);
    EXPECT_EQ(file.Bytes(), std::string("\x01\x02\x04\x00\x61\x00\x62\x00", 8));
    EXPECT_EQ(file.GetSize(), 8u);
    file.Seek(1);
    EXPECT_EQ(file.Write("\x09", 1), 1);
    EXPECT_EQ(file.Bytes().substr(0, 3), std::string("\x01\x09\x04", 3));
    EXPECT_FALSE(file.HasIoError());
}

}  // namespace
