// Staff drawing: the lines and header of a staff, the note grid of its
// measures, the repeat dots and bar numbers that bar lines ask for, a hidden
// part that neither draws nor takes room nor is hit, and the zoom a part
// template gives the output window.  The drawing is checked on the native
// recording device; under Wine the same staff is drawn through the system's
// graphics and the measured bar number comes from a real font.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/staves/staff_fixture.h"
#include "ui/font_table.h"
#include "ui/graph_dvc.h"

namespace {

constexpr int16_t kTime68 = 124, kTime34 = 122;
constexpr int16_t kBar = 166;
constexpr int16_t kKeyTwoSharps = 105;
constexpr tColour kGridColour = 0xC52C27;

class StaffDrawing : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        Build();
    }

    StaffObject *NewStaff(int32_t py = 100) {
        auto *staff = new StaffObject;
        staff->SetPosition(staff->GetX(), py);
        return staff;
    }

    cPObjPoint *Put(StaffObject *staff, int16_t id, int32_t px) {
        cPObjPoint *symbol = cPObjBase::NewById(id);
        symbol->SetPosition(px, staff->GetY());
        EXPECT_TRUE(staff->InsertChild(symbol)) << id;
        return symbol;
    }
};

TEST_F(StaffDrawing, TheNoteGridCountsCellsFromTheTimeWordAndOnlyForKnownGrids) {
    struct sCase {
        uint16_t word;
        int32_t grid;
        int32_t cells;
    };
    const sCase cases[] = {
        {0x402, 3, 8},   // 4/4, eighths
        {0x603, 2, 3},   // 6/8, quarters: 6 >> 1
        {0x302, 4, 12},  // 3/4, sixteenths
        {0x402, 2, 4},   {0x103, 2, 0},  // 1/8 on a quarter grid: no cell
        {0x402, 0, 0},   {0x402, 5, 0},  {0x402, 1, 0}, {0x402, -3, 0}, {0x402, 40, 0},
        {0x4FF, 2, 0},  // a denominator far beyond the grid shifts nothing out of range
    };
    for (const sCase &c : cases)
        EXPECT_EQ(cStaffBase::NoteGridCells(c.word, c.grid), c.cells) << std::hex << c.word << " " << c.grid;
}

TEST_F(StaffDrawing, TheTemplateGivesTheOutputWindowItsZoom) {
    EXPECT_EQ(cStaffBase::ApplyTemplateZoom(), 0.0f);  // no output window
    gOutputWindow = window.get();
    ASSERT_EQ(window->GetDpi(), 96u);
    EXPECT_FLOAT_EQ(cStaffBase::ApplyTemplateZoom(), 0.96f);
    EXPECT_FLOAT_EQ(window->GetZoomX(), 0.96f);
    EXPECT_FLOAT_EQ(window->GetZoomY(), 0.96f);
    gOutputWindow = nullptr;
}

TEST_F(StaffDrawing, BarNumbersOffGiveAOneByOneRectangleOnTheTopLine) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    cRectangl off = *staff->GetBarNumberRect(12, 300);
    EXPECT_EQ(off.x, 300);
    EXPECT_EQ(off.y, 100);
    EXPECT_EQ(off.width, 1);
    EXPECT_EQ(off.height, 1);

    gBarNumberMode = 2;
    cRectangl on = *staff->GetBarNumberRect(12, 300);
    EXPECT_EQ(on.x, 300);
    EXPECT_EQ(on.y, 100 - 6);  // the template's name offset
    EXPECT_GT(on.width, 0);
    EXPECT_GT(on.height, 0);
    EXPECT_GT(on.width, staff->GetBarNumberRect(1, 300)->width);
}

// The staff's extent: the header clef and key reach beyond the lines, the
// part name above the staff counts in a score with a brace, a brace further
// left gives its left edge, and the members' bounds start where the content
// does.
TEST_F(StaffDrawing, TheBoundsTakeInTheHeaderThePartNameAndTheBrace) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    staff->SetStartKey(kKeyTwoSharps);
    const int32_t name = 100 - 6 + cFontTable::GetCharBox(uint16_t(gPartNameFont))->Top();
    ASSERT_LT(name, 100);
    EXPECT_EQ(staff->cStaffBase::GetTop(), 100);
    gScoreStaffFlags = 1;
    EXPECT_EQ(staff->cStaffBase::GetTop(), name) << "the part name above the staff";
    gScoreStaffFlags = 0;

    ASSERT_NE(staff->PlaceHeader(), nullptr);
    MusicBitMapClef *clef = ClefPrototype(staff->GetStartClef());
    KeySignature *key = KeyPrototype(kKeyTwoSharps);
    ASSERT_TRUE(clef && key);
    const int32_t clefTop = clef->GetTop(), keyTop = key->GetTop(), clefBottom = clef->GetBottom();
    ASSERT_LT(clefTop, 100) << "the G clef reaches above the top line";
    ASSERT_GT(clefBottom, 124) << "and below the bottom line";
    EXPECT_EQ(staff->GetTop(), std::min(clefTop, keyTop));
    EXPECT_EQ(staff->GetBottom(), clefBottom);
    gScoreStaffFlags = 1;
    EXPECT_EQ(staff->GetTop(), std::min({clefTop, keyTop, name}));
    gScoreStaffFlags = 0;
    // A staff taller than its clef ends at its own last line.
    staff->SetSize(staff->GetSizeWidth(), clefBottom - 100 + 20);
    EXPECT_EQ(staff->GetBottom(), clefBottom + 19);

    // Members: an empty rectangle where the content starts, else theirs.
    std::unique_ptr<StaffObject> plain(NewStaff());
    cRectangl empty = *plain->GetTotalBounds();
    EXPECT_EQ(empty.x, plain->GetContentLeft());
    EXPECT_EQ(empty.y, 100);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, 0);
    cPObjPoint *bar = Put(plain.get(), kBar, plain->GetContentLeft() + 100);
    const cRectangl barBounds = *bar->GetBounds();
    const cRectangl members = *plain->GetTotalBounds();
    EXPECT_EQ(members.x, barBounds.x);
    EXPECT_EQ(members.y, barBounds.y);
    EXPECT_EQ(members.width, barBounds.width);
    EXPECT_EQ(members.height, barBounds.height);
    plain->TemplateOf()->visible = 0;
    gScoreStaffFlags = 1;
    const cRectangl hidden = *plain->GetTotalBounds();
    EXPECT_EQ(hidden.x, barBounds.x);
    EXPECT_EQ(hidden.width, 0);
    EXPECT_EQ(hidden.height, 0);
    gScoreStaffFlags = 0;
    plain->TemplateOf()->visible = 1;

    // In a brace the staff's left edge is the brace's when that lies
    // further left.
    auto brace = std::make_unique<cMObjBrace>();
    const int32_t staffX = plain->GetX();
    brace->SetX(staffX - 30);
    StaffObject *braced = plain.release();
    ASSERT_TRUE(brace->InsertChild(braced));
    EXPECT_EQ(braced->GetLeft(), staffX - 30);
    brace->SetX(staffX + 30);
    braced->SetX(staffX);
    EXPECT_EQ(braced->GetLeft(), staffX);
}

#if !defined(_WIN32)

// The DrawLine records drawn in the grid colour.
std::vector<sDrawRecord> GridTicks(const cGraphDvc &w) {
    std::vector<sDrawRecord> ticks;
    for (const sDrawRecord &r : w.Records())
        if (r.op == "DrawLine" && r.penColour == kGridColour) ticks.push_back(r);
    return ticks;
}

TEST_F(StaffDrawing, FiveLinesFromTheTopLineAndTheHeaderWhereThePartPutsIt) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    staff->SetStartKey(kKeyTwoSharps);
    window->ClearRecords();
    staff->Draw();

    std::vector<int32_t> lineYs;
    for (const sDrawRecord &r : window->Records()) {
        if (r.op != "DrawLine" || r.args[1] != r.args[3]) continue;
        EXPECT_EQ(r.args[0], staff->GetX());
        EXPECT_EQ(r.args[2], staff->GetX() + staff->GetWidth() - 1);
        lineYs.push_back(r.args[1]);
    }
    EXPECT_EQ(lineYs, (std::vector<int32_t>{100, 106, 112, 118, 124}));

    MusicBitMapClef *clef = ClefPrototype(staff->GetStartClef());
    ASSERT_TRUE(clef);
    EXPECT_EQ(clef->GetLeft(), staff->GetX() + gStaffClefGap);
    EXPECT_EQ(clef->GetY(), 100 + clef->GetClefLine() * 6);
    KeySignature *key = KeyPrototype(kKeyTwoSharps);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetX(), staff->GetX() + gStaffClefGap + clef->GetWidth() + gStaffKeyGap);
    // The header's pictures follow the lines.
    EXPECT_GT(window->Records().size(), 5u);
    // The header makes the staff's clef and key the running ones.
    EXPECT_EQ(gMusicState.key, kKeyTwoSharps);
}

TEST_F(StaffDrawing, TheNoteGridTicksEachMeasureEvenly) {
    struct sCase {
        const char *name;
        uint16_t word;
        int16_t grid;
        int32_t measure;  // units from the header to the bar line
        size_t ticks;
    };
    const sCase cases[] = {
        {"4/4 eighths", 0x402, 3, 400, 8}, {"6/8 quarters", 0x603, 2, 400, 3},
        {"3/4 sixteenths", 0x302, 4, 480, 12}, {"narrow", 0x402, 3, 3 * 8 - 1, 0},
        {"just wide enough", 0x402, 3, 3 * 8, 8}, {"grid 5", 0x402, 5, 400, 0},
        {"no cell", 0x103, 2, 400, 0},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<StaffObject> staff(NewStaff());
        staff->SetStartTimeWord(c.word);
        const int32_t left = staff->GetContentLeft();
        Put(staff.get(), kBar, left + c.measure);
        gNoteGrid = c.grid;
        window->ClearRecords();
        const tColour pen = window->GetPenColour();
        staff->Draw();
        const std::vector<sDrawRecord> ticks = GridTicks(*window);
        ASSERT_EQ(ticks.size(), c.ticks);
        EXPECT_EQ(window->GetPenColour(), pen);  // the colour is given back
        if (ticks.empty()) continue;
        const int32_t cell = c.measure / int32_t(c.ticks);
        EXPECT_EQ(ticks[0].args[0], left + (c.measure - cell * int32_t(c.ticks - 1)) / 2);
        for (size_t i = 1; i < ticks.size(); ++i) EXPECT_EQ(ticks[i].args[0] - ticks[i - 1].args[0], cell);
        // Two half spacings beyond the outer lines.
        EXPECT_EQ(ticks[0].args[1], 100 - 6);
        EXPECT_EQ(ticks[0].args[3], 124 + 6);
    }
}

TEST_F(StaffDrawing, ATimeSignatureChangesTheGridOfTheMeasuresAfterIt) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    const int32_t left = staff->GetContentLeft();
    Put(staff.get(), kBar, left + 400);           // 4/4: 8 eighths
    Put(staff.get(), kTime68, left + 420);
    Put(staff.get(), kBar, left + 800);           // 6/8: 6 eighths
    Put(staff.get(), kTime34, left + 820);
    Put(staff.get(), kBar, left + 1200);          // 3/4: 6 eighths
    gNoteGrid = 3;
    staff->SetStartTimeWord(0x402);
    window->ClearRecords();
    staff->Draw();
    EXPECT_EQ(GridTicks(*window).size(), 8u + 6u + 6u);
}

TEST_F(StaffDrawing, RepeatDotsStandBesideTheBarLineInTheMiddleSpaces) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    window->ClearRecords();
    staff->DrawRepeatDotsAfter(200);
    staff->DrawRepeatDotsBefore(300);
    std::vector<std::vector<int32_t>> dots;
    for (const sDrawRecord &r : window->Records())
        if (r.op == "FillEllipse") dots.push_back(r.args);
    EXPECT_EQ(dots, (std::vector<std::vector<int32_t>>{
                        {202, 108, 3, 3}, {202, 114, 3, 3}, {296, 108, 3, 3}, {296, 114, 3, 3}}));
}

TEST_F(StaffDrawing, BarNumbersAndPartNamesAreDrawnAboveTheStaff) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    staff->SetPartName(u"Flute");
    window->ClearRecords();
    staff->DrawBarNumber(7, 250);
    EXPECT_TRUE(window->Records().empty());  // numbering off
    gBarNumberMode = 2;
    staff->DrawBarNumber(123456, 250);
    EXPECT_EQ(staff->DrawPartName(), 0);
    ASSERT_EQ(window->Records().size(), 2u);
    EXPECT_EQ(window->Records()[0].text, u"12345");  // at most five characters
    EXPECT_EQ(window->Records()[0].args, (std::vector<int32_t>{250, 94}));
    EXPECT_EQ(window->Records()[1].text, u"Flute");
    EXPECT_EQ(window->Records()[1].args, (std::vector<int32_t>{staff->GetX(), 94}));
}

TEST_F(StaffDrawing, AHiddenPartAmongBracedStaffsIsNeitherDrawnNorHit) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    Put(staff.get(), kBar, staff->GetContentLeft() + 100);
    staff->TemplateOf()->visible = 0;
    gNoteGrid = 3;

    // Without a brace the part shows.
    window->ClearRecords();
    staff->Draw();
    EXPECT_FALSE(window->Records().empty());

    gScoreStaffFlags = 1;
    window->ClearRecords();
    staff->Draw();
    staff->DrawRepeatDotsAfter(200);
    EXPECT_EQ(staff->DrawPartName(), 0);
    EXPECT_TRUE(window->Records().empty());
    const cRectangl bounds = *staff->GetBounds();
    EXPECT_EQ(bounds.width, 0);
    EXPECT_EQ(bounds.height, 0);
    EXPECT_EQ(bounds.x, staff->GetLeft());
    const cRectangl drawn = *staff->DrawRect(cRectangl(0, 0, 10000, 10000), 0);
    EXPECT_EQ(drawn.width, 0);
    EXPECT_EQ(drawn.height, 0);
    const int32_t barX = staff->GetContentLeft() + 100;
    EXPECT_EQ(staff->HitTestChildren(barX, 110, 0, 0x20, 0, nullptr), nullptr);
}

TEST_F(StaffDrawing, TheDrawingBudgetStopsStaffs) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    gDrawBudget = 0;
    window->ClearRecords();
    staff->DrawGroupParts();
    EXPECT_TRUE(window->Records().empty());
    gDrawBudget = 1;
    staff->DrawGroupParts();
    EXPECT_FALSE(window->Records().empty());
    EXPECT_EQ(gDrawBudget, 0u);
    gDrawBudget = 0xFFFFFFFF;
}

#endif

}  // namespace
