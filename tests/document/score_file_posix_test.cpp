// A score saved onto a disk that fills midway (a file-size limit stands in
// for the full disk: the tests run as root, for whom read-only folders are
// writable).
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/document/score_file_support.h"
#include "tests/support/file_size_limit_posix.h"
#include "tests/test_support.h"

namespace {

using test::ScoreFileTest;

TEST_F(ScoreFileTest, ASaveOntoAFullDiskFailsAndKeepsThePreviousFile) {
    const std::u16string path = folder + u"song.pmr";
    auto *first = new cPObjPoint;
    first->SetPosition(1, 2);
    doc->InsertChild(first);
    ASSERT_EQ(cPObjPoint::SaveFile(doc, path.c_str(), nullptr), 0);
    const std::string previous = test::ReadFileBytes(path);
    for (int32_t i = 0; i < 3000; ++i) {
        auto *s = new ScaledObject;
        s->SetPosition(i, 2 * i);
        s->SetSize(40, 40);
        doc->InsertChild(s);
    }
    gDocumentFlags = 0x3;
    tStatus result;
    {
        test::cFileSizeLimit limit(8192);
        result = cPObjPoint::SaveFile(doc, path.c_str(), nullptr);
    }
    EXPECT_EQ(result, kFailed);
    EXPECT_EQ(gDocumentFlags, 0x3u);
    EXPECT_EQ(test::ReadFileBytes(path), previous);
    EXPECT_EQ(test::FolderEntries(folder), std::vector<std::u16string>{u"song.pmr"});
    EXPECT_NE(log->Text().find("Error: code " + std::to_string(EFBIG)), std::string::npos) << log->Text();
    // With room on the disk the same save replaces the file.
    EXPECT_EQ(cPObjPoint::SaveFile(doc, path.c_str(), nullptr), 0);
    EXPECT_GT(test::ReadFileBytes(path).size(), 8192u);
    EXPECT_EQ(gDocumentFlags, 0u);
}

}  // namespace
