#include "foundation/string_kbd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what the editor draws and where it puts the caret.
class RecordingKbd : public cStringKbd {
public:
    RecordingKbd(char16_t *text, int32_t maxLength) : cStringKbd(text, maxLength) {}
    void MoveCaret(int32_t cx, int32_t cy) override { caret = {cx, cy}; }
    void PutChar(char16_t c) override { drawn.push_back(c); }
    std::pair<int32_t, int32_t> caret{-1, -1};
    std::u16string drawn;
};

TEST(StringKbd, KeyTable) {
    struct Case {
        const char16_t *text;
        int32_t cursor;
        uint8_t insert;
        int32_t key, mode;
        int32_t answer;
        std::u16string after;
        int32_t cursorAfter;
    } cases[] = {
        {u"ab", 1, 1, 'A', 3, 0, u"aAb", 2},
        {u"ab", 1, 0, 'A', 3, 0, u"aA", 2},
        {u"ab", 1, 0, 'A', 2, 0, u"aA", 1},
        {u"ab", 1, 0, 'A', 0, 0, u"aAb", 2},   // mode 0 always inserts
        {u"ab", 2, 0, 'c', 3, 0, u"abc", 3},   // overwrite at the end appends
        {u"abcd", 1, 1, 'x', 3, 'x', u"abcd", 1},  // full: refused
        {u"ab", 0, 1, cStringKbd::kBackspace, 3, 0, u"b", 0},
        {u"ab", 2, 1, cStringKbd::kBackspace, 3, 0, u"a", 1},
        {u"ab", 2, 1, cStringKbd::kRight, 3, 0, u"ab", 2},
        {u"ab", 0, 1, cStringKbd::kLeft, 3, 0, u"ab", 0},
        {u"ab", 0, 1, cStringKbd::kDelete, 3, 0, u"b", 0},
        {u"ab", 2, 1, cStringKbd::kDelete, 3, 0, u"ab", 2},
        {u"ab", 1, 1, 27, 3, 27, u"ab", 1},
        {u"ab", 1, 1, 256, 3, 256, u"ab", 1},
    };
    for (const Case &c : cases) {
        char16_t buffer[5] = {};
        std::u16string(c.text).copy(buffer, 4);
        RecordingKbd kbd(buffer, 4);
        kbd.SetPosition(10, 20);
        kbd.SetCursor(c.cursor);
        kbd.SetInsertMode(c.insert);
        EXPECT_EQ(kbd.OnKey(c.key, c.mode), c.answer) << c.key;
        EXPECT_EQ(std::u16string(buffer), c.after) << c.key;
        EXPECT_EQ(kbd.GetCursor(), c.cursorAfter) << c.key;
        EXPECT_EQ(kbd.caret, std::make_pair(10 + c.cursorAfter, 20));
    }
}

TEST(StringKbd, InsertKeyTogglesAndCursorFollowsClicks) {
    char16_t buffer[8] = u"abc";
    RecordingKbd kbd(buffer, 7);
    EXPECT_EQ(kbd.SetInsertMode(0), 1);
    EXPECT_EQ(kbd.OnKey(cStringKbd::kInsert, 3), 0);
    EXPECT_EQ(kbd.GetInsertMode(), 1);
    kbd.SetPosition(100, 0);
    kbd.SetCursorAtX(102);
    EXPECT_EQ(kbd.GetCursor(), 2);
    kbd.SetCursorAtX(500);
    EXPECT_EQ(kbd.GetCursor(), 3);
    kbd.SetCursorAtX(0);
    EXPECT_EQ(kbd.GetCursor(), 0);
    kbd.Draw();
    kbd.EraseField();
    EXPECT_EQ(kbd.drawn, u"abc    ");
}

}  // namespace
