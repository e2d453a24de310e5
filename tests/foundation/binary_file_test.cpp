#include "foundation/binary_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/wide_stream.h"
#include "platform/op_sys.h"
#include "tests/test_support.h"

namespace {

using File = std::unique_ptr<cBinaryFileBase>;

std::u16string Folder() {
    static std::u16string folder = test::MakeTempFolder("binary_file");
    return folder;
}

std::u16string WithBytes(const char16_t *name, const std::string &bytes) {
    std::u16string path = Folder() + name;
    test::WriteFileBytes(path, bytes);
    return path;
}

File Open(const std::u16string &path, uint32_t mode) { return File(gOpSys->NewBinaryFile(path.c_str(), mode)); }

// Writes through a fresh file object and answers the bytes on disk.
template <class Body>
std::string Written(const char16_t *name, Body body) {
    std::u16string path = Folder() + name;
    File f = Open(path, cBinaryFileBase::kWrite);
    EXPECT_TRUE(f->IsOpen());
    body(*f);
    EXPECT_EQ(f->Close(), RC_OK);
    return test::ReadFileBytes(path);
}

// Logs into a private file while alive, so a test can see what was reported.
class LogCapture {
public:
    LogCapture() : path(Folder() + u"capture.log") {
        test::WriteFileBytes(path, "");
        previous = gOpSys->Log().GetFileName();
        gOpSys->Log().SetFileName(path.c_str());
    }
    ~LogCapture() { gOpSys->Log().SetFileName(previous.c_str()); }
    std::string Text() const { return test::ReadFileBytes(path); }

private:
    std::u16string path;
    std::u16string previous;
};

TEST(BinaryFile, MissingFileReportsAndEveryOperationFails) {
    LogCapture log;
    File f = Open(Folder() + u"missing.bin", cBinaryFileBase::kRead);
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->IsOpen());
    EXPECT_NE(log.Text().find("Error: code "), std::string::npos);
    char buffer[4] = {};
    EXPECT_EQ(f->Read(buffer, 4), RC_FAIL);
    EXPECT_EQ(f->Write("ab", 2), RC_FAIL);
    EXPECT_EQ(f->Seek(1), RC_FAIL);
    EXPECT_EQ(f->Close(), RC_FAIL);
    EXPECT_EQ(f->GetPosition(), 0u);
    EXPECT_EQ(f->GetSize(), 0u);
    EXPECT_EQ(f->ReadStringTemp(cBinaryFileBase::kNoLimit), std::u16string());
}

TEST(BinaryFile, ModeWithoutReadOrWriteFailsToOpen) {
    File f = Open(WithBytes(u"neither.bin", "x"), 0);
    EXPECT_FALSE(f->IsOpen());
}

// One step on a file and what it must leave behind.
struct Step {
    enum Op { kRead, kUntilByte, kSeek } op;
    uint32_t arg;
    int32_t result;
    uint32_t position;
    bool end;
};

void RunSteps(cBinaryFileBase &f, const std::vector<Step> &steps) {
    char buffer[512];
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step &s = steps[i];
        int32_t r = 0;
        switch (s.op) {
        case Step::kRead: r = f.Read(buffer, s.arg); break;
        case Step::kUntilByte: r = int32_t(f.ReadUntilByte(buffer, '\n', s.arg)); break;
        case Step::kSeek: r = f.Seek(s.arg); break;
        }
        SCOPED_TRACE(testing::Message() << "step " << i);
        EXPECT_EQ(r, s.result);
        EXPECT_EQ(f.GetPosition(), s.position);
        EXPECT_EQ(f.AtEnd(), s.end);
    }
}

TEST(BinaryFile, EndOfFileBitTable) {
    struct Case {
        const char *what;
        std::string bytes;
        std::vector<Step> steps;
    } cases[] = {
        {"lines by delimiter", "ab\ncd",
         {{Step::kUntilByte, 299, 3, 3, false},
          {Step::kUntilByte, 299, 2, 5, false},
          {Step::kUntilByte, 299, 0, 5, true}}},
        {"delimiter as the last byte ends the reading", "ab\n",
         {{Step::kUntilByte, 299, 3, 3, true}}},
        {"delimiter limit", "abcdef\n", {{Step::kUntilByte, 4, 4, 4, false}, {Step::kUntilByte, 4, 3, 7, true}}},
        {"exact read leaves the bit clear, the next sets it", "abcd",
         {{Step::kRead, 4, 4, 4, false}, {Step::kRead, 1, 1, 4, true}}},
        {"short read sets the bit and answers the count", "abc", {{Step::kRead, 8, 8, 3, false}, {Step::kRead, 8, 8, 3, true}}},
        {"empty file", "", {{Step::kRead, 2, 2, 0, true}}},
        {"seek to the size sets the bit, elsewhere clears it", "abcd",
         {{Step::kSeek, 4, 0, 4, true}, {Step::kSeek, 1, 0, 1, false}, {Step::kRead, 3, 3, 4, false},
          {Step::kSeek, 9, 0, 9, false}, {Step::kRead, 1, 1, 9, true}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        File f = Open(WithBytes(u"eof.bin", c.bytes), cBinaryFileBase::kRead);
        ASSERT_TRUE(f->IsOpen());
        EXPECT_EQ(f->GetSize(), c.bytes.size());
        RunSteps(*f, c.steps);
        EXPECT_EQ(f->Close(), RC_OK);
    }
}

TEST(BinaryFile, SeekInWriteModeNeverSetsTheEndBit) {
    std::u16string path = WithBytes(u"seekw.bin", "abcd");
    File f = Open(path, cBinaryFileBase::kWrite);
    ASSERT_TRUE(f->IsOpen());
    EXPECT_EQ(f->GetSize(), 0u);  // a new file, whatever stood there
    EXPECT_EQ(f->Write("wxyz", 4), 4);
    EXPECT_EQ(f->Seek(4), RC_OK);
    EXPECT_FALSE(f->AtEnd());
    EXPECT_EQ(f->Seek(2), RC_OK);
    EXPECT_FALSE(f->AtEnd());
    EXPECT_EQ(f->Close(), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(path), "wxyz");
}

// A file opened only for writing is written anew beside the old one, which
// stays whole until Close puts the new one in its place.
TEST(BinaryFile, WritingLeavesTheOldFileUntilCloseReplacesIt) {
    struct Case {
        std::string before;
        std::string written;
    } cases[] = {{"0123456789", "abc"}, {"", "abc"}, {"0123456789", ""}, {"01", "abcdef"}};
    std::u16string folder = test::MakeTempFolder("binary_file_replace");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before + " -> " + c.written);
        std::u16string path = folder + u"cut.bin";
        test::WriteFileBytes(path, c.before);
        File f = Open(path, cBinaryFileBase::kWrite);
        ASSERT_TRUE(f->IsOpen());
        EXPECT_EQ(f->Write(c.written.data(), uint32_t(c.written.size())), int32_t(c.written.size()));
        EXPECT_EQ(f->GetPosition(), c.written.size());
        EXPECT_EQ(f->GetSize(), c.written.size());
        EXPECT_EQ(test::ReadFileBytes(path), c.before);
        EXPECT_EQ(test::FolderEntries(folder).size(), 2u);  // the target and the new file
        EXPECT_EQ(f->Close(), RC_OK);
        EXPECT_EQ(test::ReadFileBytes(path), c.written);
        EXPECT_EQ(test::FolderEntries(folder), std::vector<std::u16string>{u"cut.bin"});
    }
}

TEST(BinaryFile, ANewFileNeverClosedLeavesTheOldOneAndNothingElse) {
    std::u16string folder = test::MakeTempFolder("binary_file_unclosed");
    std::u16string path = folder + u"kept.bin";
    test::WriteFileBytes(path, "previous");
    {
        File f = Open(path, cBinaryFileBase::kWrite);
        ASSERT_TRUE(f->IsOpen());
        EXPECT_EQ(f->Write("new", 3), 3);
    }
    EXPECT_EQ(test::ReadFileBytes(path), "previous");
    EXPECT_EQ(test::FolderEntries(folder), std::vector<std::u16string>{u"kept.bin"});
}

// Reading and writing changes the file in place; Close cuts it at the position.
TEST(BinaryFile, ReadWriteModeChangesInPlaceAndCutsAtThePosition) {
    std::u16string path = WithBytes(u"inplace.bin", "0123456789");
    File f = Open(path, cBinaryFileBase::kRead | cBinaryFileBase::kWrite);
    ASSERT_TRUE(f->IsOpen());
    EXPECT_EQ(f->GetSize(), 10u);
    EXPECT_EQ(f->Seek(2), RC_OK);
    EXPECT_EQ(f->Write("ab", 2), 2);
    EXPECT_EQ(test::ReadFileBytes(path), "01ab456789");
    EXPECT_EQ(f->Close(), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(path), "01ab");
}

TEST(BinaryFile, WriteToAReadOnlyHandleFailsStickily) {
    // Writing through a handle opened for reading fails in the system call on
    // every platform; the failure must reach Write, later calls and Close.
    LogCapture log;
    std::u16string path = WithBytes(u"readonly.bin", "abcd");
    File f = Open(path, cBinaryFileBase::kRead);
    ASSERT_TRUE(f->IsOpen());
    EXPECT_EQ(f->Write("xy", 2), RC_FAIL);
    EXPECT_TRUE(f->HasIoError());
    EXPECT_NE(log.Text().find("Error: code "), std::string::npos);
    char buffer[2];
    EXPECT_EQ(f->Read(buffer, 2), RC_FAIL);
    EXPECT_EQ(f->Close(), RC_FAIL);
    EXPECT_EQ(test::ReadFileBytes(path), "abcd");
}

TEST(BinaryFile, LittleEndianIntegers) {
    std::string bytes = Written(u"ints.bin", [](cBinaryFileBase &f) {
        EXPECT_EQ(f.WriteU16(0x1234), 2);
        EXPECT_EQ(f.WriteU32(0x89ABCDEFu), 4);
    });
    EXPECT_EQ(bytes, std::string("\x34\x12\xEF\xCD\xAB\x89", 6));
    File f = Open(Folder() + u"ints.bin", cBinaryFileBase::kRead);
    uint16_t a = 0;
    uint32_t b = 0;
    f->ReadU16(a);
    f->ReadU32(b);
    EXPECT_EQ(a, 0x1234);
    EXPECT_EQ(b, 0x89ABCDEFu);
    f->Close();
}

TEST(BinaryFile, StringRecordsAreLittleEndianUtf16) {
    struct Case {
        const char16_t *text;
        std::string bytes;
    } cases[] = {
        {nullptr, std::string("\0\0", 2)},
        {u"", std::string("\0\0", 2)},
        {u"abc", std::string("\x06\0a\0b\0c\0", 8)},
        {u"\u00e9\u20ac", std::string("\x04\0\xE9\0\xAC\x20", 6)},
    };
    for (const Case &c : cases) {
        std::string bytes = Written(u"string.bin", [&](cBinaryFileBase &f) { f.WriteString(c.text); });
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(StoredTextSize(c.text), c.bytes.size());
    }
}

TEST(BinaryFile, WideStreamIsWrittenAsItsWholeText) {
    cWideStream stream;
    stream << u"<Sound name=a>\n" << int32_t(42);
    std::string viaStream = Written(u"stream.bin", [&](cBinaryFileBase &f) { f.WriteStream(stream); });
    std::string viaString = Written(u"stdstring.bin", [&](cBinaryFileBase &f) { f.WriteStdString(stream.Text()); });
    EXPECT_EQ(viaStream, viaString);
    EXPECT_FALSE(viaStream.empty());
}

TEST(BinaryFile, OverlongTextKeepsItsLongestPrefix) {
    std::u16string text(40000, u'x');
    text[0] = u'A';
    Written(u"long.bin", [&](cBinaryFileBase &f) { f.WriteString(text.c_str()); });
    EXPECT_EQ(StoredTextSize(text.c_str()), 2 + 2 * kMaxStoredChars);
    File f = Open(Folder() + u"long.bin", cBinaryFileBase::kRead);
    std::u16string back = f->ReadStringTemp(cBinaryFileBase::kNoLimit);
    EXPECT_EQ(back, text.substr(0, kMaxStoredChars));
    EXPECT_EQ(f->GetPosition(), f->GetSize());
    f->Close();
}

TEST(BinaryFile, ReadStringCutsSkipsAndTerminates) {
    std::string thirty("\x1E\0", 2);
    for (int i = 0; i < 15; ++i) thirty += std::string(1, char('a' + i)) + std::string(1, '\0');
    std::string record = thirty + std::string("\x02\0Z\0", 4);
    File f = Open(WithBytes(u"cut.str", record), cBinaryFileBase::kRead);

    char16_t buffer[10];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(f->ReadString(buffer, 9), buffer);
    EXPECT_EQ(std::u16string(buffer), u"abcdefghi");
    EXPECT_EQ(f->GetPosition(), 32u);
    EXPECT_EQ(std::u16string(f->ReadStringTemp(cBinaryFileBase::kNoLimit)), u"Z");
    EXPECT_EQ(f->ReadString(nullptr, 9), nullptr);
    f->Close();

    File g = Open(Folder() + u"cut.str", cBinaryFileBase::kRead);
    char16_t *owned = nullptr;
    g->ReadStringInto(&owned, cBinaryFileBase::kNoLimit);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(std::u16string(owned), u"abcdefghijklmno");
    delete[] owned;
    g->Close();
}

TEST(BinaryFile, ReadStringEdgeRecords) {
    struct Case {
        const char *what;
        std::string bytes;
        bool ansi;
        std::u16string text;
        uint32_t position;
    } cases[] = {
        {"empty record", std::string("\0\0", 2), false, u"", 2},
        {"8-bit record", std::string("\x03\0abc", 5), true, u"abc", 5},
        {"record longer than the file", std::string("\x0A\0a\0b\0", 6), false, u"ab", 6},
        {"odd count keeps a half unit", std::string("\x03\0a\0b", 5), false, u"ab", 5},
        {"no length word at all", std::string("\x05", 1), false, u"", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        File f = Open(WithBytes(u"edge.str", c.bytes), cBinaryFileBase::kRead);
        f->SetAnsiStrings(c.ansi);
        EXPECT_EQ(std::u16string(f->ReadStringTemp(cBinaryFileBase::kNoLimit)), c.text);
        EXPECT_EQ(f->GetPosition(), c.position);
        f->Close();
    }
}

TEST(BinaryFile, ReadUntilCharStopsAtTheLastWholeLine) {
    std::string bytes("a\0b\0\n\0c\0d\0", 10);
    File f = Open(WithBytes(u"lines.u16", bytes), cBinaryFileBase::kRead);
    char16_t buffer[300];
    EXPECT_EQ(f->ReadUntilChar(buffer, u'\n', 299), 3u);
    EXPECT_EQ(std::u16string(buffer, 3), u"ab\n");
    EXPECT_EQ(f->GetPosition(), 6u);
    EXPECT_EQ(f->ReadUntilChar(buffer, u'\n', 299), 2u);
    EXPECT_EQ(std::u16string(buffer, 2), u"cd");
    EXPECT_FALSE(f->AtEnd());
    EXPECT_EQ(f->ReadUntilChar(buffer, u'\n', 299), 0u);
    EXPECT_TRUE(f->AtEnd());
    f->Close();
}

TEST(BinaryFile, AnsiStringModeAnswersThePreviousState) {
    File f = Open(WithBytes(u"mode.bin", ""), cBinaryFileBase::kRead);
    EXPECT_EQ(f->SetAnsiStrings(true), 0);
    EXPECT_EQ(f->SetAnsiStrings(true), 1);
    EXPECT_EQ(f->SetAnsiStrings(false), 1);
    EXPECT_EQ(f->SetAnsiStrings(false), 0);
    f->Close();
}

}  // namespace
