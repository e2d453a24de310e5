#include <gtest/gtest.h>

#include "ui/message_ids.h"
#include "ui/win_message.h"

namespace {

constexpr uint32_t kKeyDown = 0x100, kKeyUp = 0x101, kChar = 0x102, kSysKeyDown = 0x104;
constexpr tLParam kAltHeld = tLParam(1) << 29;
constexpr tLParam kAltScan = tLParam(0x38) << 16;

TEST(WinMessageKeys, EveryMappedVirtualKeyAndItsNeighbours) {
    struct Case {
        uint32_t vk;
        uint16_t code;
    };
    const Case cases[] = {
        {0x70, 1},  {0x71, 2},  {0x72, 3},  {0x73, 4},  {0x74, 5},  {0x75, 6},  {0x76, 7},
        {0x77, 14}, {0x78, 15}, {0x79, 16}, {0x7A, 17}, {0x7B, 18}, {0x25, 19}, {0x27, 20},
        {0x26, 21}, {0x28, 22}, {0x21, 23}, {0x22, 24}, {0x24, 25}, {0x23, 28}, {0x2D, 29},
        {0x2E, 30},
        // Keys around the table map to nothing.
        {0x7C, 0}, {0x6F, 0}, {0x29, 0}, {0x2A, 0}, {0x2B, 0}, {0x2C, 0}, {0x2F, 0}, {0x20, 0},
        {0x41, 0}, {0x30, 0}, {0x0D, 0}, {0x1B, 0}, {0x08, 0}, {0x09, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.vk);
        sWinMessage down(kKeyDown, c.vk, 0);
        EXPECT_EQ(down.key, c.code);
        EXPECT_EQ(down.flags, c.code ? kKeyFlagSpecial : 0u);
        sWinMessage sys(kSysKeyDown, c.vk, 0);
        EXPECT_EQ(sys.KeyCode(), c.code);
    }
}

TEST(WinMessageKeys, CharactersAltAndOtherMessages) {
    // A letter's key-down normalises to 0; the character comes with WM_CHAR.
    sWinMessage letter(kKeyDown, 'A', 0);
    EXPECT_EQ(letter.key, 0u);
    EXPECT_EQ(letter.flags, 0u);
    sWinMessage ch(kChar, 'a', 0);
    EXPECT_EQ(ch.key, 0x61u);
    EXPECT_EQ(ch.flags, 0u);
    // Ctrl+N shares its number with F8; only the flag tells them apart.
    sWinMessage ctrlN(kChar, 14, 0);
    EXPECT_EQ(ctrlN.key, 14u);
    EXPECT_EQ(ctrlN.flags, 0u);
    // Alt+F4 and the Alt key alone.
    sWinMessage altF4(kSysKeyDown, 0x73, kAltHeld);
    EXPECT_EQ(altF4.key, 4u);
    EXPECT_EQ(altF4.flags, 0x480u);
    sWinMessage alt(kSysKeyDown, 0x12, kAltHeld | kAltScan);
    EXPECT_EQ(alt.key, 0u);
    EXPECT_EQ(alt.flags, 0x80u);
    // Alt held with a character keeps the character.
    sWinMessage altChar(kChar, 'x', kAltHeld);
    EXPECT_EQ(altChar.key, uint32_t('x'));
    EXPECT_EQ(altChar.flags, 0x80u);
    // A key-up keeps its virtual key, no flags, and Normalize answers 0.
    sWinMessage up(kKeyUp, 0x70, kAltHeld);
    EXPECT_EQ(up.key, 0x70u);
    EXPECT_EQ(up.flags, 0u);
    EXPECT_EQ(up.Normalize(), 0u);
    EXPECT_EQ(up.lParam, kAltHeld);
}

TEST(WinMessageKeys, SetAssignAndClear) {
    sWinMessage m;
    m.Set(kKeyDown, 0x23, 5);
    EXPECT_EQ(m.message, kKeyDown);
    EXPECT_EQ(m.key, 28u);
    EXPECT_EQ(m.lParam, 5);
    EXPECT_EQ(m.flags, kKeyFlagSpecial);
    // Set rewrites the flags from the new message.
    m.Set(kChar, 'q', 0);
    EXPECT_EQ(m.flags, 0u);
    m.Clear();
    EXPECT_EQ(m.message, 0u);
    EXPECT_EQ(m.key, 0u);
    EXPECT_EQ(m.lParam, 0);
    EXPECT_EQ(m.flags, 0u);
}

TEST(WinMessageMenu, PlainItemAnswersItsId) {
    sWinMessage select(kMsgMenuSelect, (0x80u << 16) | 204, 0);
    EXPECT_EQ(GetMenuSelectItem(select), 204u);
}

}  // namespace
