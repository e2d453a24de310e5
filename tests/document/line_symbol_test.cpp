// Line symbols: edges widened by the line width, hit slack, drawing,
// placing in resize mode, records and the line set-up dialog.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "document/commands.h"
#include "foundation/ascii_file.h"
#include "tests/document/symbol_fixture.h"
#include "tests/midi/memory_file.h"
#include "tests/test_support.h"

namespace {

using test::cListOwner;
using test::cMemoryFile;
using test::RaisedErrors;
using test::SymbolTest;

class LineTest : public SymbolTest {};

std::unique_ptr<cLineObject> NewLine(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t lineWidth) {
    std::unique_ptr<cLineObject> line(new cLineObject);
    line->SetPosition(x, y);
    line->SetSize(w, h);
    line->SetLineWidth(lineWidth);
    return line;
}

TEST_F(LineTest, EdgesWidenByHalfTheLineWidth) {
    struct sCase {
        int32_t x, y, w, h;
        uint8_t lineWidth;
        int32_t left, right, top, bottom;
    };
    const sCase cases[] = {
        {10, 20, 30, 1, 4, 8, 42, 18, 23},
        {10, 20, 30, 1, 1, 10, 40, 20, 21},   // half 0: x and x + w
        {10, 20, -30, -5, 4, -22, 12, 13, 22},
        {10, 20, 0, 0, 5, 8, 12, 18, 22},
    };
    for (const sCase &c : cases) {
        auto line = NewLine(c.x, c.y, c.w, c.h, c.lineWidth);
        EXPECT_EQ(line->GetLeft(), c.left);
        EXPECT_EQ(line->GetRight(), c.right);
        EXPECT_EQ(line->GetTop(), c.top);
        EXPECT_EQ(line->GetBottom(), c.bottom);
    }
}

TEST_F(LineTest, ClicksHitWithinTwoUnitsOfTheEdges) {
    auto line = NewLine(10, 20, 30, 1, 4);
    struct sCase {
        int32_t x, y, hit;
    };
    for (const sCase &c : {sCase{44, 25, 1}, sCase{45, 20, 0}, sCase{6, 16, 1}, sCase{5, 20, 0}, sCase{20, 26, 0},
                           sCase{20, 15, 0}})
        EXPECT_EQ(line->HitTest(c.x, c.y), c.hit) << c.x << "," << c.y;
}

TEST_F(LineTest, PlacingALineSwitchesToResizeMode) {
    cListOwner owner(11, 0);
    for (uint32_t before : {0u, 2u, 0x22u, 0xFFu}) {
        gEditMode = before;
        cLineObject *line = new cLineObject;
        EXPECT_TRUE(owner.InsertChild(line));
        EXPECT_EQ(gEditMode, 3u) << before;
    }
    EXPECT_EQ(owner.children.size(), 4u);
}

TEST_F(LineTest, NewLinesTakeTheClassDefaultWidth) {
    EXPECT_EQ(cLineObject().GetLineWidth(), 1);
    cLineObject::SetDefaultLineWidth(6);
    std::unique_ptr<cLineObject> line(new cLineObject);
    EXPECT_EQ(line->GetLineWidth(), 6);
    EXPECT_EQ(line->SetLineWidth(2), 6);
}

#if !defined(_WIN32)
TEST_F(LineTest, DrawingSetsAndRestoresThePenWidth) {
    test::cTestScoreWindow window;
    auto line = NewLine(10, 20, 30, -5, 3);
    window.SetLineWidth(2);
    window.ClearRecords();
    gDrawBudget = 0;  // lines do not consult the budget
    line->Draw();
    ASSERT_EQ(window.Records().size(), 1u);
    const sDrawRecord &r = window.Records()[0];
    EXPECT_EQ(r.op, "DrawLine");
    EXPECT_EQ(r.args, (std::vector<int32_t>{10, 20, 39, 16}));
    EXPECT_EQ(r.lineWidth, 3);
    EXPECT_EQ(window.GetLineWidth(), 2);
}
#endif

TEST_F(LineTest, TheRecordAddsTheLineWidth) {
    gFileVersion = 0x1060000;
    auto line = NewLine(100, -1, 7, 300, 9);
    cMemoryFile out({}, cBinaryFileBase::kWrite);
    cPObjBase::sCmdFileSave save(&out);
    EXPECT_EQ(line->OnCommand(kCmdSaveBinary, nullptr, &save), 0);
    const std::string bytes("\x80\x64\x7F\x07\x82\x2C\x09", 7);
    EXPECT_EQ(out.Bytes(), bytes);
    EXPECT_EQ(line->DataSize(), 7);

    std::unique_ptr<cLineObject> back(new cLineObject);
    cMemoryFile in(bytes);
    EXPECT_EQ(back->LoadBinary(&in, 7), 0);
    EXPECT_EQ(back->GetLineWidth(), 9);
    EXPECT_EQ(back->GetSizeHeight(), 300);
    cMemoryFile cut(bytes.substr(0, 6));
    EXPECT_EQ(back->LoadBinary(&cut, 7), kFailed);
}

TEST_F(LineTest, TheTextLineEndsWithTheLineWidth) {
    auto line = NewLine(1, 2, 3, 4, 5);
    std::ostringstream out;
    cPObjBase::sCmdExpAsc record(&out);
    EXPECT_EQ(line->ExportText(&record), 0);
    EXPECT_EQ(out.str(), "Line            @   1,    2 size   3,   4 = 5");

    const std::u16string path = test::MakeTempFolder("line_text") + u"line.txt";
    test::WriteFileBytes(path, "@ 1,    2 size   3,   4 = 261\n");
    cAsciiFile in(path.c_str());
    cPObjBase::sCmdImpAsc imp(&in);
    std::unique_ptr<cLineObject> back(new cLineObject);
    EXPECT_EQ(back->ImportText(&imp), 0);
    EXPECT_EQ(back->GetLineWidth(), 5);  // the low 8 bits of 261
    EXPECT_EQ(back->GetSizeHeight(), 4);
}

TEST_F(LineTest, SetUpRecordsCarryModeAndWidth) {
    std::unique_ptr<cLineObject> line(new cLineObject);
    line->SetLineWidth(4);
    cLineObject::SetDefaultLineWidth(2);
    gEditMode = 0x22;
    gEditFlags = 0x10;
    std::unique_ptr<sCommandPrm> classRecord(line->GetClassSetup(nullptr));
    auto *c = dynamic_cast<cLineObject::sCmdSetupLine *>(classRecord.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->editMode, 0x22);
    EXPECT_EQ(c->editFlags, 0x10);
    EXPECT_EQ(c->lineWidth, 2);
    std::unique_ptr<sCommandPrm> objectRecord(line->GetObjectSetup(nullptr));
    EXPECT_EQ(dynamic_cast<cLineObject::sCmdSetupLine &>(*objectRecord).lineWidth, 4);

    c->lineWidth = 7;
    c->editMode = 2;
    EXPECT_EQ(line->SetClassSetup(c), 0);
    EXPECT_EQ(cLineObject::GetDefaultLineWidth(), 7);
    EXPECT_EQ(line->GetLineWidth(), 4);
    EXPECT_EQ(gEditMode, 2u);

    // The object's set-up changes the default of new lines too.
    c->lineWidth = 9;
    EXPECT_EQ(line->SetObjectSetup(c), 0);
    EXPECT_EQ(line->GetLineWidth(), 9);
    EXPECT_EQ(cLineObject::GetDefaultLineWidth(), 9);

    ScaledObject::sCmdSetupScaled scaled;
    EXPECT_EQ(line->SetClassSetup(&scaled), kFailed);
    EXPECT_EQ(line->SetObjectSetup(&scaled), kFailed);
    EXPECT_EQ(line->SetClassSetup(nullptr), kFailed);
    EXPECT_EQ(line->Setup(&scaled), 0);
}

}  // namespace
