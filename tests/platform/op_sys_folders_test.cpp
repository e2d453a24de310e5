// Folders, backups, the current file and quoting of the operating-system
// object, in both builds.
#include <gtest/gtest.h>

#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "tests/test_support.h"

namespace {

cOpSysVirtual &Sys() { return test::OpSys(); }

struct BackupCase {
    const char *name;         // the file to move out of the way
    const char *existing;     // files present before (name=content;...)
    tStatus result;
    const char *backupName;   // where the content must be afterwards ("" none)
    bool originalKept;
};

void MakeFiles(const std::u16string &folder, const std::string &layout) {
    size_t start = 0;
    while (start < layout.size()) {
        size_t end = layout.find(';', start);
        if (end == std::string::npos) end = layout.size();
        std::string item = layout.substr(start, end - start);
        size_t eq = item.find('=');
        std::u16string path = folder + FromUtf8(item.substr(0, eq));
        if (item.substr(eq + 1) == "<folder>")
            Sys().CreateFolder(path);
        else
            test::WriteFileBytes(path, item.substr(eq + 1));
        start = end + 1;
    }
}

}  // namespace

TEST(MoveToBackup, MovesOnlyWhenTheBackupWasMade) {
    const BackupCase cases[] = {
        {"song.pmr", "song.pmr=new", RC_OK, "song.bak", false},
        {"song.pmr", "song.pmr=new;song.bak=old", RC_OK, "song.bak", false},
        {"my.song.pmr", "my.song.pmr=new", RC_OK, "my.bak", false},
        // A name that is already a backup: no copy, and the only copy stays.
        {"old.bak", "old.bak=new", RC_FAIL, "", true},
        // The backup cannot be written (a folder holds its name): the file stays.
        {"song.pmr", "song.pmr=new;song.bak=<folder>", RC_FAIL, "", true},
        {"missing.pmr", "", RC_FAIL, "", false},
    };
    int n = 0;
    for (const BackupCase &c : cases) {
        SCOPED_TRACE(std::string(c.name) + " with " + c.existing);
        std::u16string folder = test::MakeTempFolder(("backup" + std::to_string(n++)).c_str());
        MakeFiles(folder, c.existing);
        std::u16string path = folder + FromUtf8(c.name);
        EXPECT_EQ(Sys().MoveToBackup(path.c_str()), c.result);
        if (*c.backupName) {
            EXPECT_EQ(test::ReadFileBytes(folder + FromUtf8(c.backupName)), "new");
        }
        EXPECT_EQ(test::FileExists(path), c.originalKept);
        if (c.originalKept) {
            EXPECT_EQ(test::ReadFileBytes(path), "new");
        }
    }
    EXPECT_EQ(Sys().MoveToBackup(nullptr), RC_FAIL);
}

TEST(WorkingFolder, TakesTheFolderOfAPathAndAnswersThePreviousOne) {
    std::u16string saved = Sys().GetWorkingFolder();
    std::u16string folder = test::MakeTempFolder("work");
    Sys().SetWorkingFolder((folder + u"a.pmr").c_str());
    EXPECT_EQ(Sys().GetWorkingFolder(), folder);
    EXPECT_EQ(std::u16string(Sys().SetWorkingFolder(u"a.pmr")), folder);
    EXPECT_EQ(Sys().GetWorkingFolder(), u".\\");
    Sys().SetWorkingFolderString(folder);
    EXPECT_EQ(Sys().GetWorkingFolder(), folder);  // a folder ending in a backslash stays
    Sys().SetWorkingFolder(nullptr);
    EXPECT_EQ(Sys().GetWorkingFolder(), u".\\");
    Sys().SetWorkingFolderString(saved);
}

TEST(CurrentFile, NullEmptiesItAndTheOldPathComesBack) {
    std::u16string saved = Sys().GetCurrentFile();
    Sys().SetCurrentFile(u"D:\\x\\a.pmr");
    EXPECT_EQ(std::u16string(Sys().SetCurrentFile(nullptr)), u"D:\\x\\a.pmr");
    EXPECT_EQ(std::u16string(Sys().SetCurrentFile(nullptr)), u"");
    Sys().SetCurrentFile(saved.c_str());
}

TEST(StripQuotes, RemovesTheOpeningThenTheClosingQuote) {
    const struct {
        const char16_t *in, *out;
    } cases[] = {
        {u"\"C:\\a b\\x.pmr\"", u"C:\\a b\\x.pmr"},
        {u"C:\\x.pmr\"", u"C:\\x.pmr"},  // a closing quote alone goes too
        {u"\"C:\\x.pmr", u"C:\\x.pmr"},
        {u"\"", u""},
        {u"", u""},
        {nullptr, u""},
    };
    for (const auto &c : cases) EXPECT_EQ(cOpSysBase::StripQuotes(c.in), c.out);
}

// A second object for the run of a program with a command line; the test
// object is put back afterwards.
TEST(WorkingFolder, AQuotedCommandLineGivesTheFolderWithoutTheQuote) {
    cOpSysBase *saved = gOpSys;
    {
        cOpSysVirtual other(nullptr, nullptr, u"\"C:\\My Scores\\song.pmr\"");
        EXPECT_EQ(other.GetWorkingFolder(), u"C:\\My Scores\\");
        EXPECT_EQ(other.GetCurrentFile(), u"\"C:\\My Scores\\song.pmr\"");
    }
    gOpSys = saved;
}

TEST(DataFolder, FollowsTheUserThenThePublicFolderThenMakesOne) {
    std::u16string root = test::MakeTempFolder("users");
    cOpSysVirtual &sys = Sys();
    std::u16string savedData = sys.GetDataFolder();
    std::u16string savedUser = sys.GetUserName();
    sOsVersion savedVersion = sys.GetOsVersion();
    sys.SetDataFolderForTest(u"");
    sys.SetUsersRootForTest(root);
    sys.SetUserNameForTest(u"Bob");

    // Nothing there: the user's folder is missing too, so the public one is made.
    Sys().CreateFolder(root + u"Public");
    EXPECT_EQ(std::u16string(sys.GetDataFolder()), root + u"Public\\Pelmora\\");
    // With the user's folder present, the public one is still found first
    // only while the user's own is missing; make the user's own and it wins.
    Sys().CreateFolder(root + u"Bob");
    EXPECT_EQ(std::u16string(sys.GetDataFolder()), root + u"Public\\Pelmora\\");
    Sys().CreateFolder(root + u"Bob\\Pelmora\\");
    EXPECT_EQ(std::u16string(sys.GetDataFolder()), root + u"Bob\\Pelmora\\");

    // Neither folder: made under the user's folder.
    std::u16string root2 = test::MakeTempFolder("users2");
    sys.SetUsersRootForTest(root2);
    Sys().CreateFolder(root2 + u"Bob");
    EXPECT_EQ(std::u16string(sys.GetDataFolder()), root2 + u"Bob\\Pelmora\\");
    EXPECT_EQ(sys.IsFolder((root2 + u"Bob\\Pelmora\\").c_str()), RC_OK);

    // Nothing can be made: the last resort.
    std::u16string root3 = test::MakeTempFolder("users3") + u"missing\\";
    sys.SetUsersRootForTest(root3);
    EXPECT_EQ(std::u16string(sys.GetDataFolder()), u"c:\\");

    // Before Windows 6: the program's own folder.
    sOsVersion old;
    old.major = 5;
    sys.SetOsVersionForTest(old);
    std::u16string program = sys.GetProgramPath();
    EXPECT_EQ(std::u16string(sys.GetDataFolder()), program.substr(0, program.rfind(u'\\') + 1));

    sys.SetOsVersionForTest(savedVersion);
    sys.SetUserNameForTest(savedUser);
    sys.SetDataFolderForTest(savedData);
    EXPECT_EQ(std::u16string(sys.GetErrorReportPath()), savedData + u"ErrorReport.txt");
}
