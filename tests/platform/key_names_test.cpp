#include "platform/key_names.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/char_string.h"

TEST(KeyNames, NamesTable) {
    const struct {
        uint16_t code;
        uint32_t flags;
        const char16_t *name;
    } cases[] = {
        {13, 0, u"cr"},
        {13, KEY_SPECIAL, u"cr"},
        {1, 0, u"^A"},
        {1, KEY_SPECIAL, u"F1"},
        {1, KEY_ALT | KEY_SPECIAL, u"AltF1"},
        {19, KEY_SPECIAL | KEY_CTRL, u"Ctrlleft"},
        {19, KEY_SPECIAL | KEY_CTRL | KEY_SHIFT, u"CtrlShfleft"},
        {25, KEY_SPECIAL | KEY_CTRL | KEY_SHIFT | KEY_ALT, u"AltCtrlShfhome"},
        {29, 0, u"^]"},
        {28, 0, u"^\\"},
        {27, 0, u"esc"},
        {0, 0, u"^@"},
        {0, KEY_SPECIAL, u"^@"},
        {65, KEY_ALT, u"AltA"},
        {65, KEY_SHIFT, u"A"},  // Shift is not shown for characters
        {65, KEY_CTRL | KEY_SHIFT, u"CtrlA"},
        {0xE9, 0, u"\u00E9"},
        {0x7F, 0, u"\u007F"},
        {0x263A, KEY_SPECIAL, u"\u263A"},
        {19, 0x1 | 0x40 | 0x800 | 0x80000000u, u"^S"},  // other bits change nothing
        {4, KEY_SPECIAL, u"F4"},
        {7, KEY_SPECIAL, u"F7"},
        {8, KEY_SPECIAL, u"bs"},
        {9, KEY_SPECIAL, u"tab"},
        {14, KEY_SPECIAL, u"F8"},
        {18, KEY_SPECIAL, u"F12"},
        {20, KEY_SPECIAL, u"right"},
        {21, KEY_SPECIAL, u"up"},
        {22, KEY_SPECIAL, u"down"},
        {23, KEY_SPECIAL, u"PageUp"},
        {24, KEY_SPECIAL, u"PageDn"},
        {26, KEY_SPECIAL, u"^Z"},
        {28, KEY_SPECIAL, u"end"},
        {29, KEY_SPECIAL, u"ins"},
        {30, KEY_SPECIAL, u"del"},
        {31, KEY_SPECIAL, u"^_"},
        {31, 0, u"^_"},
        {30, 0, u"^^"},
        {19, KEY_CTRL, u"Ctrl^S"},
        {32, KEY_SHIFT, u" "},
    };
    for (const auto &c : cases) {
        const char16_t *name = FormatKeyName(c.code, c.flags);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(std::u16string(name), c.name) << c.code << " flags " << c.flags;
    }
}

TEST(KeyNames, EveryControlCodeHasCaretOrOwnName) {
    // Without the special flag, codes below 32 are "^" and the character 64
    // higher, but for the four with names of their own.
    for (uint16_t code = 0; code < 32; ++code) {
        std::u16string name = FormatKeyName(code, 0);
        if (code == 8 || code == 9 || code == 13 || code == 27) {
            EXPECT_NE(name[0], u'^') << code;
            continue;
        }
        EXPECT_EQ(name, std::u16string(u"^") + char16_t(code + 64)) << code;
    }
}

TEST(KeyNames, TheNameIsATemporary) {
    int32_t before = gTempStrings.Index();
    FormatKeyName(13, 0);
    EXPECT_EQ(gTempStrings.Index(), (before + 1) & 31);
}
