#include "foundation/file_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "platform/op_sys_base.h"
#include "tests/test_support.h"

namespace {

using Names = std::vector<std::u16string>;

Names NamesOf(const cFileListBase &list) {
    Names names;
    for (int32_t i = 0; i < list.GetCount(); ++i) names.push_back(list.GetEntry(i)->GetName());
    return names;
}

// A folder of three logs whose write times run against their names, and a
// file and a folder that the log pattern does not match.
std::u16string LogFolder() {
    static std::u16string folder = [] {
        std::u16string f = test::MakeTempFolder("file_list");
        const char16_t *logs[] = {u"Log_13_10_12.txt", u"Log_13_10_10.txt", u"Log_13_10_11.txt"};
        auto now = std::filesystem::file_time_type::clock::now();
        int hoursAgo[] = {30, 10, 20};  // 12 oldest, then 11, then 10
        for (int i = 0; i < 3; ++i) {
            test::WriteFileBytes(f + logs[i], "log");
            std::filesystem::last_write_time(test::FsPath(f + logs[i]), now - std::chrono::hours(hoursAgo[i]));
        }
        test::WriteFileBytes(f + u"Other.txt", "x");
        gOpSys->CreateFolder(f + u"Sub");
        return f;
    }();
    return folder;
}

TEST(FileList, ScanInNameAndTimeOrder) {
    std::u16string folder = LogFolder();
    std::u16string pattern = folder + u"Log*.txt";
    cFileList list;
    EXPECT_EQ(list.Scan(pattern.c_str()), RC_OK);
    EXPECT_EQ(list.GetFolder(), folder);
    EXPECT_EQ(NamesOf(list), (Names{u"Log_13_10_10.txt", u"Log_13_10_11.txt", u"Log_13_10_12.txt"}));

    EXPECT_EQ(list.SetFlags(1), 0u);
    list.Scan(pattern.c_str());
    EXPECT_EQ(NamesOf(list), (Names{u"Log_13_10_12.txt", u"Log_13_10_11.txt", u"Log_13_10_10.txt"}));
    auto *oldest = dynamic_cast<const lcFileData<sFindData> *>(list.GetEntry(0));
    ASSERT_NE(oldest, nullptr);
    int64_t age = int64_t(std::time(nullptr)) - list.GetWriteTime(oldest->GetFindData());
    EXPECT_NEAR(double(age), 30 * 3600.0, 120.0);
    EXPECT_EQ(oldest->GetFindData().fileSize, 3u);
}

TEST(FileList, ScanReplacesAndEmpties) {
    std::u16string folder = LogFolder();
    cFileList list;
    list.Scan((folder + u"*").c_str());
    Names all = NamesOf(list);
    EXPECT_EQ(all, (Names{u".", u"..", u"Log_13_10_10.txt", u"Log_13_10_11.txt", u"Log_13_10_12.txt", u"Other.txt", u"Sub"}));

    list.Scan((folder + u"other.*").c_str());  // letters in either case
    EXPECT_EQ(NamesOf(list), (Names{u"Other.txt"}));

    list.Scan((folder + u"*.none").c_str());
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetFolder(), folder);

    list.Scan((folder + u"*").c_str());
    EXPECT_EQ(list.Scan(nullptr), RC_OK);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetFolder(), u"");

    list.Scan((folder + u"no such folder\\*").c_str());
    EXPECT_EQ(list.GetCount(), 0);
}

sFindData Record(const char16_t *name, uint64_t time) {
    sFindData r;
    r.fileName = name;
    r.lastWriteTime = time;
    return r;
}

TEST(FileList, NameOrderByCodeUnits) {
    cFileList list;
    for (const char16_t *name : {u"a_1.txt", u"a.txt", u"a", u"B.txt", u"a.txt"}) list.AddFindDataIn(name, Record(name, 0));
    EXPECT_EQ(NamesOf(list), (Names{u"B.txt", u"a", u"a.txt", u"a.txt", u"a_1.txt"}));
}

TEST(FileList, TimeOrderKeepsArrivalOrderOfTies) {
    cFileList list;
    list.SetFlags(1);
    list.AddFindDataIn(u"second", Record(u"second", 200));
    list.AddFindDataIn(u"first", Record(u"first", 100));
    list.AddFindDataIn(u"tie", Record(u"tie", 200));
    list.AddFindDataIn(u"last", Record(u"last", 300));
    EXPECT_EQ(NamesOf(list), (Names{u"first", u"second", u"tie", u"last"}));
    sFindData r = Record(u"x", 200);
    lcFileData<sFindData> probe(u"x", r);
    EXPECT_TRUE(list.SameWriteTime(probe, 1));
    EXPECT_TRUE(list.WrittenBefore(probe, 3));
    EXPECT_FALSE(list.WrittenBefore(probe, 2));
    EXPECT_EQ(list.GetWriteTime(Record(u"y", 116444736000000000ull + 86400ull * 10000000ull)), 86400);
}

TEST(FileList, IndexOfLooksInTheListsFolder) {
    cFileList list;
    EXPECT_EQ(std::u16string(list.SetFolder(u"C:\\Logs\\*.txt")), u"");
    list.AddName(u"x.txt");
    EXPECT_EQ(list.IndexOf(u"C:\\Logs\\x.txt"), 0);
    EXPECT_EQ(list.IndexOf(u"x.txt"), 0);
    EXPECT_EQ(list.IndexOf(u"D:\\x.txt"), -1);
    EXPECT_EQ(list.IndexOf(u"X.txt"), -1);
    EXPECT_EQ(std::u16string(list.SetFolder(nullptr)), u"C:\\Logs\\");

    cFileList recent;
    recent.AddName(u"C:\\a.pmr");
    EXPECT_EQ(recent.IndexOf(u"C:\\a.pmr"), 0);
    EXPECT_EQ(recent.IndexOf(u"c:\\A.pmr"), -1);
    EXPECT_EQ(recent.IndexOf(u"a.pmr"), -1);
}

TEST(FileList, RecentNames) {
    struct Case {
        Names before;
        const char16_t *name;
        int32_t n;
        Names after;
    } cases[] = {
        {{u"C:\\a.pmr", u"C:\\b.pmr"}, u"C:\\a.pmr", 4, {u"C:\\b.pmr", u"C:\\a.pmr"}},
        {{u"1", u"2", u"3", u"4"}, u"C:\\a.pmr", 4, {u"2", u"3", u"4", u"C:\\a.pmr"}},
        {{u"1", u"2", u"3", u"4"}, nullptr, 2, {u"3", u"4"}},
        {{u"1", u"2", u"3", u"4"}, u"5", 0, {u"1", u"2", u"3", u"4", u"5"}},
        {{}, u"x", 1, {u"x"}},
    };
    for (const Case &c : cases) {
        cFileList list;
        for (const std::u16string &n : c.before) list.AddName(n.c_str());
        EXPECT_EQ(list.AddRecent(c.name, c.n), RC_OK);
        EXPECT_EQ(NamesOf(list), c.after);
    }
    cFileList list;
    for (const char16_t *n : {u"1", u"2", u"3"}) list.AddName(n);
    list.KeepLast(3);
    EXPECT_EQ(list.GetCount(), 3);
    list.KeepLast(0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetEntry(0), nullptr);
}

TEST(FileList, WildcardsMatchAsTheSystemSearch) {
    struct Case {
        const char16_t *pattern, *name;
        bool match;
    } cases[] = {
        {u"*.*", u"abc", true},       {u"*.*", u"a.b", true},          {u"Log*.txt", u"log_1.TXT", true},
        {u"a?c", u"abc", true},       {u"a?c", u"ac", false},          {u"*", u".", true},
        {u"*.txt", u"a.txt.bak", false}, {u"x", u"xy", false},         {u"*.PmrLang", u"Deutsch.PmrLang", true},
        {u"PelmoraLog_*.txt", u"PelmoraLog_13_10_10.txt", true},       {u"*a*b", u"xaybzb", true},
    };
    for (const Case &c : cases) EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.match) << test::Narrow(c.pattern) << " " << test::Narrow(c.name);
}

}  // namespace
