#include "foundation/file_replacement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/op_sys.h"
#include "tests/test_support.h"

namespace {

using Names = std::vector<std::u16string>;

TEST(FileReplacement, BeginMakesANewFileBesideAndCommitPutsItInPlace) {
    std::u16string folder = test::MakeTempFolder("replace_commit");
    std::u16string target = folder + u"score.pmr";
    test::WriteFileBytes(target, "old score");
    cFileReplacement r(target.c_str());
    ASSERT_TRUE(r.Begin());
    EXPECT_FALSE(r.IsInPlace());
    EXPECT_EQ(r.GetPath(), target + u"~0.tmp");
    EXPECT_EQ(test::ReadFileBytes(r.GetPath()), "");
    EXPECT_EQ(test::FolderEntries(folder), (Names{u"score.pmr", u"score.pmr~0.tmp"}));

    test::WriteFileBytes(r.GetPath(), "new score");
    EXPECT_EQ(test::ReadFileBytes(target), "old score");
    EXPECT_TRUE(r.Commit());
    EXPECT_TRUE(r.GetPath().empty());
    EXPECT_EQ(test::ReadFileBytes(target), "new score");
    EXPECT_EQ(test::FolderEntries(folder), Names{u"score.pmr"});
}

TEST(FileReplacement, ANewTargetIsMadeByTheCommit) {
    std::u16string folder = test::MakeTempFolder("replace_new");
    cFileReplacement r((folder + u"first.ini").c_str());
    ASSERT_TRUE(r.Begin());
    test::WriteFileBytes(r.GetPath(), "x=1\n");
    EXPECT_TRUE(r.Commit());
    EXPECT_EQ(test::FolderEntries(folder), Names{u"first.ini"});
    EXPECT_EQ(test::ReadFileBytes(folder + u"first.ini"), "x=1\n");
}

// Every way of not committing leaves the target as it was and nothing beside it.
TEST(FileReplacement, AbandonAndDestructionRemoveTheNewFile) {
    std::u16string folder = test::MakeTempFolder("replace_abandon");
    std::u16string target = folder + u"notes.csv";
    test::WriteFileBytes(target, "a,b\n");
    {
        cFileReplacement r(target.c_str());
        ASSERT_TRUE(r.Begin());
        test::WriteFileBytes(r.GetPath(), "half");
        r.Abandon();
        EXPECT_TRUE(r.GetPath().empty());
        EXPECT_FALSE(r.Commit());  // nothing left to commit
        EXPECT_EQ(test::FolderEntries(folder), Names{u"notes.csv"});
        ASSERT_TRUE(r.Begin());  // a second attempt
        test::WriteFileBytes(r.GetPath(), "half again");
    }
    EXPECT_EQ(test::ReadFileBytes(target), "a,b\n");
    EXPECT_EQ(test::FolderEntries(folder), Names{u"notes.csv"});
}

// Files left by a crashed save, or another save under way, are not touched.
TEST(FileReplacement, TakenNamesAreSkipped) {
    std::u16string folder = test::MakeTempFolder("replace_taken");
    std::u16string target = folder + u"a.mid";
    test::WriteFileBytes(target + u"~0.tmp", "crash");
    test::WriteFileBytes(target + u"~1.tmp", "other");
    cFileReplacement r(target.c_str());
    ASSERT_TRUE(r.Begin());
    EXPECT_EQ(r.GetPath(), target + u"~2.tmp");
    test::WriteFileBytes(r.GetPath(), "song");
    EXPECT_TRUE(r.Commit());
    EXPECT_EQ(test::FolderEntries(folder), (Names{u"a.mid", u"a.mid~0.tmp", u"a.mid~1.tmp"}));
    EXPECT_EQ(test::ReadFileBytes(target + u"~0.tmp"), "crash");
    EXPECT_EQ(test::ReadFileBytes(target), "song");
}

TEST(FileReplacement, TargetsThatCannotBeWritten) {
    std::u16string folder = test::MakeTempFolder("replace_fail");
    struct Case {
        const char *what;
        std::u16string target;
    } cases[] = {
        {"no name", u""},
        {"a missing folder", folder + u"missing\\file.ini"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        cFileReplacement r(c.target.c_str());
        EXPECT_FALSE(r.Begin());
        EXPECT_TRUE(r.GetPath().empty());
        EXPECT_FALSE(r.Commit());
    }
    cFileReplacement missing((folder + u"missing\\file.ini").c_str());
    missing.Begin();
    EXPECT_NE(missing.GetSystemError(), 0);
    EXPECT_TRUE(test::FolderEntries(folder).empty());
}

// A move that fails (a folder stands where the file should go) removes the
// new file and leaves what stood there.
TEST(FileReplacement, AFailedMoveRemovesTheNewFile) {
    std::u16string folder = test::MakeTempFolder("replace_move");
    std::u16string target = folder + u"taken";
    ASSERT_EQ(test::OpSys().CreateFolder(target), RC_OK);
    test::WriteFileBytes(target + u"\\inside.txt", "kept");
    cFileReplacement r(target.c_str());
    ASSERT_TRUE(r.Begin());
    test::WriteFileBytes(r.GetPath(), "new");
    EXPECT_FALSE(r.Commit());
    EXPECT_NE(r.GetSystemError(), 0);
    EXPECT_TRUE(r.GetPath().empty());
    EXPECT_EQ(test::FolderEntries(folder), Names{u"taken"});
    EXPECT_EQ(test::ReadFileBytes(target + u"\\inside.txt"), "kept");
}

}  // namespace
