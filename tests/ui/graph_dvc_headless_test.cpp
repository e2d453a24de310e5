// The headless device records each primitive with its logical arguments,
// the font index, zoom, origin and colours at the call.
#include <gtest/gtest.h>

#include "platform/op_sys_base.h"
#include "tests/foundation/raised_errors.h"
#include "ui/graph_dvc.h"

namespace {

struct Expected {
    const char *op;
    std::vector<int32_t> args;
    std::u16string text;
    uint16_t font;
    float zoom;
    int32_t originX;
    tColour pen;
};

TEST(HeadlessDevice, RecordsADrawingSequenceExactly) {
    cFontTable::ResetToStockFont();
    cGraphDvc d(u"score");
    uint16_t music = d.FindFont(u"PelmoraMusic5a", -24, 0);
    ASSERT_EQ(music, 1);
    EXPECT_EQ(std::u16string(cFontTable::GetFont(music)->GetFace()), u"PelmoraMusic5a");

    d.Open();
    d.Attach();
    d.PrepareDraw();
    d.SetOrigin(-5, 0);
    d.DrawLine(0, 10, 100, 10);
    d.SetZoomX(2.0f);
    d.SetZoomY(2.0f);
    tColour old = d.SetColour(0x0337CF);
    d.DrawChar(0xD100, 20, 30, music);
    d.FillEllipse(1, 2, 3, 4);
    d.SetColour(old);
    d.DrawEllipse(0, 0, 9, 9);
    d.FillRect(5, 5, 10, 10, 0x12345678);
    d.DrawTextAt(u"Allegro", 7, 8, kFontKeep);
    d.DrawLine(3, 3, 3, 3);  // equal end points draw nothing

    // The scaled music font was looked up at the zoom: one more entry, at -48.
    uint16_t scaled = d.GetScaledFont(music, 2.0f);
    EXPECT_EQ(cFontTable::GetFont(scaled)->GetHeight(), -48);

    const Expected expected[] = {
        {"DrawLine", {0, 10, 100, 10}, u"", 0, 1.0f, -5, 0},
        {"DrawChars", {20, 30}, u"\xD100", music, 2.0f, -5, 0x0337CF},
        {"FillEllipse", {1, 2, 3, 4}, u"", 0, 2.0f, -5, 0x0337CF},
        {"DrawArc", {0, 0, 9, 9, 4, 0, 5, 0}, u"", 0, 2.0f, -5, 0},
        {"FillRect", {5, 5, 10, 10, 0x345678}, u"", 0, 2.0f, -5, 0},
        {"DrawChars", {7, 8}, u"Allegro", 0, 2.0f, -5, 0},
    };
    const std::vector<sDrawRecord> &records = d.Records();
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(records[i].op, expected[i].op);
        EXPECT_EQ(records[i].args, expected[i].args);
        EXPECT_EQ(records[i].text, expected[i].text);
        EXPECT_EQ(records[i].font, expected[i].font);
        EXPECT_EQ(records[i].zoomX, expected[i].zoom);
        EXPECT_EQ(records[i].zoomY, expected[i].zoom);
        EXPECT_EQ(records[i].originX, expected[i].originX);
        EXPECT_EQ(records[i].penColour, expected[i].pen);
    }
    // Text output leaves the font it found selected.
    EXPECT_EQ(d.GetCurrentFont(), 0);
    EXPECT_TRUE(d.IsDirty());
    cFontTable::ResetToStockFont();
}

TEST(HeadlessDevice, ClosedDevicesDrawNothingAndReport) {
    cGraphDvc d(u"closed");
    test::RaisedErrors errors;
    EXPECT_EQ(d.DrawLine(0, 0, 5, 5), DVC_NOT_OPEN);
    EXPECT_EQ(d.FillRect(0, 0, 5, 5, 0), DVC_NOT_OPEN);
    EXPECT_EQ(d.PutChar(u'x'), 1);
    EXPECT_EQ(errors.Count(), 3);
    EXPECT_EQ(errors.LastText(), u"Error in GraphDvcWin: No Device Context");
    EXPECT_TRUE(d.Records().empty());
    // A marking primitive marks even when it fails; FillRect does not mark.
    EXPECT_TRUE(d.IsDirty());
}

TEST(HeadlessDevice, TextLinesWrapInFixedCells) {
    cGraphDvc d(u"lines");
    d.Open();
    // Cells of 8 x 10: "one t" is 40 wide when "w" is scanned, so the line breaks at the blank.
    EXPECT_EQ(d.DrawTextLines(5, 100, 40, 0, u"one two\nthree"), 120);
    ASSERT_EQ(d.Records().size(), 3u);
    EXPECT_EQ(d.Records()[0].text, u"one");
    EXPECT_EQ(d.Records()[0].args, (std::vector<int32_t>{5, 100}));
    EXPECT_EQ(d.Records()[1].text, u"two");
    EXPECT_EQ(d.Records()[1].args, (std::vector<int32_t>{5, 110}));
    EXPECT_EQ(d.Records()[2].text, u"three");
    EXPECT_EQ(d.Records()[2].args, (std::vector<int32_t>{5, 120}));
    EXPECT_EQ(d.GetTextWidth(u"abc", 0), 24);
    EXPECT_EQ(d.GetTextHeight(u"abc", 0), 10);
}

TEST(HeadlessDevice, MouseAndFontFiles) {
    cGraphDvc d(u"mouse");
    d.DeviceRect().Set(100, 200);
    d.SetZoomX(2.0f);
    d.SetZoomY(2.0f);
    d.SetMousePos(10, 20);
    ASSERT_EQ(d.Records().size(), 1u);
    EXPECT_EQ(d.Records()[0].args, (std::vector<int32_t>{120, 240}));
    EXPECT_EQ(d.GetMouseX(), 10);
    EXPECT_EQ(d.GetMouseY(), 20);
    // The stored position: no second move.
    d.SetMousePos(10, 20);
    EXPECT_EQ(d.Records().size(), 1u);
    EXPECT_EQ(d.AddFontFile(u"c:\\prog\\pelmora_5a.ttf"), RC_OK);
    EXPECT_EQ(d.AddedFontFiles().back(), u"c:\\prog\\pelmora_5a.ttf");
    EXPECT_EQ(gOpSys->GetAddedFontFile(), u"c:\\prog\\pelmora_5a.ttf");
    gOpSys->SetAddedFontFile(nullptr);
    // Faces that do not fit a LOGFONTW are refused.
    EXPECT_EQ(d.FindFont(std::u16string(32, u'x').c_str(), -10, 0), kFontNone);
}

TEST(HeadlessDevice, UsableFontsForScreenText) {
    cFontTable::ResetToStockFont();
    cGraphDvc d(u"usable");
    uint16_t cell = d.FindFont(u"Cell", 14, 0);  // a positive height: a cell height
    uint16_t character = d.FindFont(u"Char", -14, 0);
    EXPECT_EQ(d.GetUsableFont(kFontNone), d.GetDefaultFont());
    EXPECT_EQ(d.GetUsableFont(character), character);
    // Every face counts as installed here, so the lookup of "arial" finds it.
    uint16_t usable = d.GetUsableFont(cell);
    ASSERT_NE(usable, cell);
    EXPECT_EQ(std::u16string(cFontTable::GetFont(usable)->GetFace()), u"arial");
    EXPECT_EQ(cFontTable::GetFont(usable)->GetHeight(), -13);
    cFontTable::ResetToStockFont();
}

}  // namespace
