// The golden export read by an independent reader: midicsv lists the
// events of the hand-written file that the export must equal byte for byte
// (export_walk_test.cpp) as the checked-in list has them, and after the
// Windows tests the same of the file the export wrote under Wine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/run_tool_posix.h"
#include "tests/test_support.h"

namespace {

const char kGoldenMidi[] = "tests/staves/data/golden_export.mid";
const char kGoldenList[] = "tests/staves/data/golden_export.csv";

// What midicsv lists of the file; empty when it could not read it.
std::string MidicsvOf(const std::string &path) {
    const std::u16string folder = test::MakeTempFolder("golden_midicsv");
    const std::string out = test::FsPath(folder + u"list.csv").string();
    const int code = test::RunTool({"midicsv", path}, out);
    const std::string listed = code == 0 ? test::ReadFileBytes(folder + u"list.csv") : std::string();
    test::RemoveTree(folder);
    return listed;
}

TEST(GoldenExport, MidicsvListsTheHandWrittenFileAsTheCheckedInList) {
    ASSERT_TRUE(test::HasTool("midicsv")) << "midicsv is not installed (package midicsv)";
    const std::string expected = test::ReadFileBytes(test::SourcePath(kGoldenList));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(MidicsvOf(test::FsPath(test::SourcePath(kGoldenMidi)).string()), expected);
}

// Run by scripts/run-tests after the Windows tests (label after_windows),
// on the file the Windows build's golden export left there.
TEST(GoldenExportAfterWindows, TheFileWrittenUnderWineListsTheSame) {
    const char *folder = std::getenv("PELMORA_CHECK_EXPORTS");
    if (!folder || !*folder) GTEST_SKIP() << "run by scripts/run-tests after the Windows tests";
    ASSERT_TRUE(test::HasTool("midicsv")) << "midicsv is not installed (package midicsv)";
    const std::string expected = test::ReadFileBytes(test::SourcePath(kGoldenList));
    ASSERT_FALSE(expected.empty());
    const std::string written = std::string(folder) + "/golden_export.mid";
    ASSERT_TRUE(std::filesystem::exists(written)) << "the Windows tests left no " << written;
    EXPECT_EQ(MidicsvOf(written), expected);
}

}  // namespace
