// The frame window routes its messages: commands are logged before they run,
// clicks and keys are logged, and Alt+F4 still closes the program.
#include <gtest/gtest.h>

#include <string>

#include "tests/gui/running_program_win.h"

using namespace gui;

namespace {

// The line of the log that contains `text`; empty when none does.
std::string LineWith(const std::string &log, const std::string &text) {
    size_t at = log.find(text);
    if (at == std::string::npos) return std::string();
    size_t start = log.rfind('\n', at);
    start = start == std::string::npos ? 0 : start + 1;
    size_t end = log.find('\r', at);
    return log.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

class FrameMessages : public cRunningProgram {};

TEST_F(FrameMessages, CommandsAreLoggedAndReachTheFrame) {
    Start("frame_commands");
    // An accelerator nobody handles is logged and changes nothing.
    ASSERT_TRUE(PostMessageW(frame, WM_COMMAND, MAKEWPARAM(999, 1), 0));
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    EXPECT_EQ(WaitForEnd(), 0u);
    std::string log = Log();
    std::string accelerator = LineWith(log, "Accelerator=");
    std::string menu = LineWith(log, "Menu=");
    EXPECT_EQ(accelerator.rfind("Pelmora: Accelerator=", 0), 0u) << accelerator;
    EXPECT_NE(accelerator.find("<999>"), std::string::npos) << accelerator;
    EXPECT_EQ(menu.rfind("Pelmora: Menu=", 0), 0u) << menu;
    EXPECT_NE(menu.find("<111>"), std::string::npos) << menu;
    // Logged before it ran: the session ends after the command line.
    EXPECT_LT(log.find("Menu="), log.find("Status: Ending session @ "));
}

TEST_F(FrameMessages, ClicksAndKeysAreLogged) {
    Start("frame_input");
    ASSERT_TRUE(PostClick(frame, 30, 12));
    ASSERT_TRUE(PostMessageW(frame, WM_CHAR, 'q', 0x00100001));
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    EXPECT_EQ(WaitForEnd(), 0u);
    std::string log = Log();
    EXPECT_EQ(CountOf(log, "Pelmora: L+=30,12\r\n"), 1);
    EXPECT_EQ(CountOf(log, "Pelmora: L-=30,12\r\n"), 1);
    EXPECT_EQ(CountOf(log, "Pelmora: Key=q<113>@30,12\r\n"), 1);
}

TEST_F(FrameMessages, AltF4ClosesTheFrame) {
    Start("frame_alt_f4");
    // Sent, not posted: a posted F4 would be taken by the program's
    // accelerator table, as no Alt key is really held.
    const LPARAM altF4 = (LPARAM(1) << 29) | (LPARAM(0x3E) << 16) | 1;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(frame, WM_SYSKEYDOWN, VK_F4, altF4, SMTO_ABORTIFHUNG, 10000, &answer);
    EXPECT_EQ(WaitForEnd(), 0u);
    std::string log = Log();
    EXPECT_EQ(CountOf(log, "Pelmora: Key=AltF4<4>"), 1);
    EXPECT_EQ(CountOf(log, "Status: Ending session @ "), 1);
}

}  // namespace
