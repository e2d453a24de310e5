// The editor on the recording device: its caret, characters and erasing go
// to the device, and widths come from the device's measure of the font.
#include <gtest/gtest.h>

#include "ui/graph_dvc.h"
#include "ui/grf_str_kbd.h"

namespace {

struct Device {
    Device() : d(u"editor") {
        cFontTable::ResetToStockFont();
        d.Open();
        d.Attach();
        d.PrepareDraw();
        d.ClearRecords();
    }
    std::vector<std::string> Ops() const {
        std::vector<std::string> ops;
        for (const auto &r : d.Records()) ops.push_back(r.op);
        return ops;
    }
    cGraphDvc d;
};

TEST(GrfStrKbd, ClickPlacesTheCursorByTheFontsWidthsAndTypingEditsInPlace) {
    Device dev;
    char16_t buffer[6] = u"abc";
    cGrfStrKbd editor(buffer, 5, &dev.d, 0);
    editor.SetPosition(100, 50);
    // The recording device measures 8 units a character.
    int32_t w1 = dev.d.GetTextWidthN(buffer, 1, 0);
    ASSERT_GT(w1, 0);
    editor.SetCursorAtX(100 + w1 + 1);
    EXPECT_EQ(editor.GetCursor(), 2);
    editor.SetInsertMode(0);
    EXPECT_EQ(editor.OnKey(u'X', 3), 0);
    EXPECT_EQ(std::u16string(buffer), u"abX");
    EXPECT_EQ(editor.OnKey(u'Y', 3), 0);
    EXPECT_EQ(editor.OnKey(u'Z', 3), 0);
    EXPECT_EQ(std::u16string(buffer), u"abXYZ");
    EXPECT_EQ(editor.OnKey(u'!', 3), u'!');  // full: the key is handed back
    EXPECT_EQ(std::u16string(buffer), u"abXYZ");
}

TEST(GrfStrKbd, EraseRangeErasesTheTextHeightAboveTheBaseline) {
    Device dev;
    char16_t buffer[4] = u"ab";
    cGrfStrKbd editor(buffer, 3, &dev.d, 0);
    editor.SetPosition(10, 40);
    dev.d.ClearRecords();
    editor.EraseRange(10, 29);
    int32_t h = dev.d.GetTextHeight(buffer, 0);
    ASSERT_EQ(dev.d.Records().size(), 1u);
    EXPECT_EQ(dev.d.Records()[0].op, "EraseRect");
    EXPECT_EQ(dev.d.Records()[0].args, (std::vector<int32_t>{10, 40 - h, 20, h}));
}

TEST(GrfStrKbd, DrawPutsEachCharacterOnTheDevice) {
    Device dev;
    char16_t buffer[4] = u"ab";
    cGrfStrKbd editor(buffer, 3, &dev.d, 0);
    dev.d.ClearRecords();
    editor.Draw();
    ASSERT_EQ(dev.Ops(), (std::vector<std::string>{"PutChar", "PutChar"}));
    EXPECT_EQ(dev.d.Records()[1].text, u"b");
}

}  // namespace
