#include "foundation/path_names.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/test_support.h"

namespace {
std::u16string S(const char16_t *t) { return t ? std::u16string(t) : std::u16string(u"<null>"); }
}  // namespace

TEST(PathNames, QueriesTable) {
    const struct {
        const char16_t *path;
        int32_t separator;
        const char16_t *directory, *fileName, *name, *extension;
    } cases[] = {
        {u"C:\\Scores\\song.old.pmr", 9, u"C:\\Scores\\", u"song.old.pmr", u"song", u"old.pmr"},
        {u"song.pmr", -1, u".\\", u"song.pmr", u"song", u"pmr"},
        {u"C:song.pmr", 1, u"C:", u"song.pmr", u"song", u"pmr"},
        {u"a:b:c.txt", 1, u"a:", u"b:c.txt", u"b:c", u"txt"},
        {u"C:/Scores/song.pmr", 1, u"C:", u"/Scores/song.pmr", u"/Scores/song", u"pmr"},
        {u"C:\\my.dir\\readme", 9, u"C:\\my.dir\\", u"readme", u"readme", u""},
        {u"C:\\Scores\\", 9, u"C:\\Scores\\", u"", u"", u""},
        {u".profile", -1, u".\\", u".profile", u"", u"profile"},
        {u"", -1, u".\\", u"", u"", u""},
        {u"a\\b:c\\d", 5, u"a\\b:c\\", u"d", u"d", u""},
    };
    for (const auto &c : cases) {
        std::u16string path = c.path;
        SCOPED_TRACE(test::Narrow(path));
        EXPECT_EQ(FindPathSeparator(path), c.separator);
        EXPECT_EQ(HasDirectory(path), c.separator != -1);
        EXPECT_EQ(S(GetDirectory(path)), c.directory);
        EXPECT_EQ(S(GetFileName(path)), c.fileName);
        EXPECT_EQ(S(GetNameWithoutExtension(path)), c.name);
        EXPECT_EQ(S(GetExtension(path)), c.extension);
        EXPECT_EQ(path, c.path);  // queries leave the path alone
    }
}

TEST(PathNames, HasDirectoryNeedsASeparator) {
    EXPECT_FALSE(HasDirectory(u"song.pmr"));
    EXPECT_FALSE(HasDirectory(u""));
    EXPECT_TRUE(HasDirectory(u"C:"));
    EXPECT_TRUE(HasDirectory(u"C:\\"));
}

TEST(PathNames, GetDirectoryWithoutSeparatorIsAFixedText) {
    const char16_t *a = GetDirectory(u"a.txt");
    const char16_t *b = GetDirectory(u"b.txt");
    EXPECT_EQ(a, b);  // not a temporary
}

TEST(PathNames, PrefixTable) {
    const struct {
        const char16_t *text;
        const char16_t *prefix;
        const char16_t *stripped;
    } cases[] = {
        {u"song.pmr", u"", u"song.pmr"},
        {nullptr, u"", nullptr},
        {u"C:\\Scores\\*.txt", u"C:\\Scores\\", u"*.txt"},
        {u"C:", u"C:", u""},
        {u"a:b\\c", u"a:b\\", u"c"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text ? test::Narrow(c.text) : "null");
        EXPECT_EQ(S(GetPathPrefix(c.text)), c.prefix);
        const char16_t *stripped = StripPathPrefix(c.text);
        EXPECT_EQ(S(stripped), S(c.stripped));
        // Without a prefix the very pointer comes back; with one, a copy.
        if (std::u16string(c.prefix).empty())
            EXPECT_EQ(stripped, c.text);
        else
            EXPECT_NE(stripped, c.text);
    }
}

TEST(PathNames, HasExtensionComparesWithoutTheDotCaseSensitively) {
    const struct { const char16_t *path, *extension; tStatus result; } cases[] = {
        {u"song.PMR", u"pmr", RC_FAIL}, {u"song.pmr", u"pmr", RC_OK},      {u"a.tar.gz", u"gz", RC_FAIL},
        {u"a.tar.gz", u"tar.gz", RC_OK}, {u"song.txt", u".txt", RC_FAIL},  {u"song", u"", RC_OK},
        {u"C:\\my.dir\\song", u"dir\\song", RC_FAIL},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HasExtension(c.path, c.extension), c.result) << test::Narrow(c.path) << " " << test::Narrow(c.extension);
}

TEST(PathNames, EditsTable) {
    enum Edit { kSetFileName, kSetExtension, kSetDirectory };
    const struct {
        const char16_t *before;
        Edit edit;
        const char16_t *argument;
        const char16_t *after;
    } cases[] = {
        {u"C:\\Scores\\old.pmr", kSetFileName, u"new.pmr", u"C:\\Scores\\new.pmr"},
        {u"C:\\Scores\\old.pmr", kSetFileName, nullptr, u"C:\\Scores\\"},
        {u"old.pmr", kSetFileName, u"new.pmr", u"new.pmr"},
        {u"old.pmr", kSetFileName, nullptr, u""},
        {u"C:\\Scores\\", kSetFileName, u"a.txt", u"C:\\Scores\\a.txt"},
        {u"C:old.pmr", kSetFileName, u"new.pmr", u"C:new.pmr"},
        {u"C:\\Scores\\song.pmr", kSetExtension, u"bak", u"C:\\Scores\\song.bak"},
        {u"C:\\Scores\\song", kSetExtension, u"bak", u"C:\\Scores\\song.bak"},
        {u"C:\\my.dir\\song", kSetExtension, u"ini", u"C:\\my.dir\\song.ini"},
        {u"a.tar.gz", kSetExtension, u"zip", u"a.zip"},
        {u"song.pmr", kSetExtension, nullptr, u"song"},
        {u"song.pmr", kSetExtension, u"", u"song."},
        {u"my.song.pmr", kSetExtension, u"bak", u"my.bak"},
        {u"C:\\Old\\song.pmr", kSetDirectory, u"D:\\New", u"D:\\New\\song.pmr"},
        {u"C:\\Old\\song.pmr", kSetDirectory, u"D:\\New\\", u"D:\\New\\song.pmr"},
        {u"song.pmr", kSetDirectory, u"D:\\New", u"D:\\New\\song.pmr"},
        {u"C:\\Old\\song.pmr", kSetDirectory, nullptr, u"song.pmr"},
        {u"a.txt", kSetDirectory, u"C:", u"C:\\a.txt"},
        {u"a.txt", kSetDirectory, u"C:/x/", u"C:/x/\\a.txt"},
        {u"a.txt", kSetDirectory, u"", u"a.txt"},
    };
    for (const auto &c : cases) {
        std::u16string path = c.before;
        const char16_t *result = nullptr;
        switch (c.edit) {
        case kSetFileName: result = SetFileName(path, c.argument); break;
        case kSetExtension: result = SetExtension(path, c.argument); break;
        case kSetDirectory: result = SetDirectory(path, c.argument); break;
        }
        SCOPED_TRACE(test::Narrow(c.before) + " " + std::to_string(int(c.edit)));
        EXPECT_EQ(path, c.after);
        EXPECT_EQ(S(result), c.after);
        EXPECT_NE(result, path.c_str());
    }
}

TEST(PathNames, AnEditsResultIsACopy) {
    std::u16string path = u"C:\\a.pmr";
    const char16_t *result = SetExtension(path, u"bak");
    path = u"changed";
    EXPECT_EQ(S(result), u"C:\\a.bak");
}

TEST(PathNames, FilenameStringIsAPathString) {
    cFilenameString name(std::u16string(u"C:\\Data\\PelmoraSetup.ini"));
    EXPECT_EQ(S(GetFileName(name)), u"PelmoraSetup.ini");
    SetExtension(name, u"bak");
    EXPECT_EQ(name, u"C:\\Data\\PelmoraSetup.bak");
    EXPECT_EQ(name.ToInt(), 0);  // still a cCharString
}
