// The message record taken from the system's own record, as the message
// loop hands it over.
#include <gtest/gtest.h>

#include "foundation/win32_win.h"
#include "ui/win_message.h"

namespace {

TEST(WinMessageWin, AssignTakesTheSystemRecordAndNormalisesIt) {
    sWinMessage m;
    m.Set(WM_CHAR, 'q', 0);
    MSG msg{};
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F8;
    msg.lParam = 7;
    m.Assign(msg);
    EXPECT_EQ(m.message, uint32_t(WM_KEYDOWN));
    EXPECT_EQ(m.key, 14u);
    EXPECT_EQ(m.lParam, 7);
    EXPECT_EQ(m.flags, kKeyFlagSpecial);
}

}  // namespace
