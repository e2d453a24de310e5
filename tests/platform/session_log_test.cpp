// Opening the session log, the system-information block and the language
// names, in both builds.
#include <gtest/gtest.h>

#include "foundation/clock.h"
#include "foundation/time_stamp.h"
#include "platform/language_names.h"
#include "platform/op_sys.h"
#include "platform/version_word.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"

namespace {

cOpSysVirtual &Sys() { return test::OpSys(); }

// Puts the data folder somewhere else for one test.
class DataFolderScope {
public:
    explicit DataFolderScope(const std::u16string &folder) : saved(Sys().GetDataFolder()) {
        Sys().SetDataFolderForTest(folder);
    }
    ~DataFolderScope() {
        Sys().SetDataFolderForTest(saved);
        Sys().Log().SetFileName(logName.c_str());
    }
    std::u16string logName = Sys().Log().GetFileName();

private:
    std::u16string saved;
};

std::u16string Lines(std::initializer_list<const char16_t *> lines) {
    std::u16string text;
    for (const char16_t *line : lines) text += std::u16string(line) + u"\n";
    return text;
}

}  // namespace

TEST(LanguageNames, FirstPairOfAnIdentifierElseTheNumber) {
    const struct {
        int32_t id;
        const char16_t *primary, *sub;
    } cases[] = {
        {0, u"NEUTRAL", u"NEUTRAL"},     {1, u"ARABIC", u"DEFAULT"},
        {2, u"BULGARIAN", u"SYS_DEFAULT"}, {3, u"CATALAN", u"ARABIC_EGYPT"},
        {7, u"GERMAN", u"ARABIC_TUNISIA"}, {9, u"ENGLISH", u"ARABIC_YEMEN"},
        {16, u"ITALIAN", u"ARABIC_QATAR"}, {17, u"JAPANESE", u"SPANISH_EL_SALVADOR"},
        {20, u"NORWEGIAN", u"SPANISH_PUERTO_RICO"}, {21, u"POLISH", u"21"},
        {0x20, u"URDU", u"32"},
        {26, u"CROATIAN", u"26"},        {0x2A, u"VIETNAMESE", u"42"},
        {1023, u"1023", u"1023"},        {-1, u"4294967295", u"4294967295"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(std::u16string(GetLanguageName(c.id)), c.primary) << c.id;
        EXPECT_EQ(std::u16string(GetSubLanguageName(c.id)), c.sub) << c.id;
    }
}

TEST(SystemInfo, VersionTextTakesTheBuildAndServicePack) {
    sOsVersion saved = Sys().GetOsVersion();
    sOsVersion v;
    v.major = 6;
    v.minor = 1;
    v.build = 7601;
    v.platformId = 2;
    v.servicePack = u"Service Pack 1";
    Sys().SetOsVersionForTest(v);
    EXPECT_EQ(std::u16string(Sys().GetOsVersionText()), u"Windows Ver. 6.1(Build 7601, Service Pack 1)");
    v.platformId = 1;  // the older family keeps only the low 16 bits of the build
    v.build = 0x040A0BB8;
    v.servicePack.clear();
    Sys().SetOsVersionForTest(v);
    EXPECT_EQ(std::u16string(Sys().GetOsVersionText()), u"Windows Ver. 6.1(Build 3000)");
    Sys().SetOsVersionForTest(saved);
}

#if !defined(_WIN32)
TEST(SystemInfo, BlockLinesWithAndWithoutCommandLine) {
    sOsVersion v;
    v.major = 6;
    v.minor = 1;
    v.build = 7601;
    v.platformId = 2;
    std::u16string version = gProgramStatus.GetVersionText();
    cOpSysBase *saved = gOpSys;
    {
        cOpSysVirtual other(nullptr, nullptr, u"C:\\a.pmr");
        other.SetOsVersionForTest(v);
        other.SetLanguageIdForTest(0x0407);
        std::u16string program = other.GetProgramPath();
        EXPECT_EQ(std::u16string(other.GetSystemInfo()),
                  Lines({u"Windows Ver. 6.1(Build 7601)", u"Default language = GERMAN, DEFAULT",
                         (program + u" version " + version).c_str(), u"Command line \\u\"C:\\005ca.pmr\""}));
    }
    gOpSys = saved;
    Sys().SetLanguageIdForTest(0x0809);
    std::u16string block = Sys().GetSystemInfo();
    EXPECT_NE(block.find(u"\nDefault language = ENGLISH, SYS_DEFAULT\n"), std::u16string::npos);
    EXPECT_EQ(block.find(u"Command line"), std::u16string::npos);
    Sys().SetLanguageIdForTest(0x409);
}
#endif

TEST(SessionLog, OpenNamesTheDayFileWritesTheStartAndTheBlock) {
    // A folder name outside every 8-bit code page: the log is opened by its
    // wide path, so logging still works.
    std::u16string folder = test::MakeTempFolder("log_open") + u"Journ\u00e9e \u65e5\u672c \u0141\u00f3d\u017a\\";
    DataFolderScope scope(folder);
    cDebugLog &log = Sys().OpenDebugLog(u"PelmoraLog", u"txt", 3);
    std::u16string expected = folder + cTimeStamp().MakeDatedName(u"PelmoraLog", u"txt", nullptr);
    EXPECT_EQ(std::u16string(log.GetFileName()), expected);
    log.WriteText(u"after", 1);
    std::string bytes = test::ReadFileBytes(expected);
    EXPECT_EQ(bytes.rfind("** Starting new session: ", 0), 0u);
    EXPECT_NE(bytes.find("Windows Ver. "), std::string::npos);
    EXPECT_NE(bytes.find("Default language = "), std::string::npos);
    EXPECT_NE(bytes.find(" version "), std::string::npos);
    EXPECT_NE(bytes.find("after"), std::string::npos);
    // A second opening the same day appends a second session to the same file.
    Sys().OpenDebugLog(u"PelmoraLog", u"txt", 3);
    bytes = test::ReadFileBytes(expected);
    EXPECT_EQ(bytes.find("** Starting new session: ", 1) != std::string::npos, true);
}
