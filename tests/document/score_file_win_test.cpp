// A score saved over a file another program holds open without sharing: the
// Windows counterpart of the full disk of the native tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/document/score_file_support.h"
#include "tests/support/held_open_win.h"
#include "tests/test_support.h"

namespace {

using test::ScoreFileTest;

TEST_F(ScoreFileTest, ASaveOverAFileHeldOpenFailsAndKeepsIt) {
    const std::u16string path = folder + u"song.pmr";
    auto *point = new cPObjPoint;
    point->SetPosition(1, 2);
    doc->InsertChild(point);
    ASSERT_EQ(cPObjPoint::SaveFile(doc, path.c_str(), nullptr), 0);
    const std::string previous = test::ReadFileBytes(path);
    auto *more = new cPObjPoint;
    more->SetPosition(3, 4);
    doc->InsertChild(more);
    gDocumentFlags = 0x3;
    tStatus result;
    {
        test::cHeldOpen held(path);
        ASSERT_TRUE(held.IsHeld());
        result = cPObjPoint::SaveFile(doc, path.c_str(), nullptr);
    }
    EXPECT_EQ(result, kFailed);
    EXPECT_EQ(gDocumentFlags, 0x3u);
    EXPECT_EQ(test::ReadFileBytes(path), previous);
    EXPECT_EQ(test::FolderEntries(folder), std::vector<std::u16string>{u"song.pmr"});
    EXPECT_NE(log->Text().find("Error: code "), std::string::npos) << log->Text();
    // Let go, the same save replaces the file.
    EXPECT_EQ(cPObjPoint::SaveFile(doc, path.c_str(), nullptr), 0);
    EXPECT_NE(test::ReadFileBytes(path), previous);
    EXPECT_EQ(gDocumentFlags, 0u);
}

}  // namespace
