// The symbol palette in the running program: the F keys turn its pages and
// log the tool, Draw > All opens the floating window of every symbol (and
// empties the static palette), Draw > None greys it, another page closes
// it, a window closed by hand is never destroyed again, hovering and
// right-clicking a button give its hint and its popup menu, and in
// translate mode choosing a button edits its hint.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/gui/running_program_win.h"

using namespace gui;

namespace {

constexpr uint32_t kRests = 301, kClefs = 308, kNone = 310, kAll = 311, kTranslate = 609;

class PaletteWindows : public cRunningProgram {
protected:
    void Start(const char *name) {
        cRunningProgram::Start(name);
        if (HasFatalFailure()) return;
        // The palette's first tool is logged once the loop runs.
        ASSERT_TRUE(program.WaitForText(LogPath(), "(Tool=Note116)")) << Log();
    }
    static int32_t ClientHeight(HWND window) {
        RECT r{};
        GetClientRect(window, &r);
        return r.bottom - r.top;
    }
    bool WaitUntilGone(HWND window) {
        for (int i = 0; i < 300 && IsWindow(window); ++i) program.ReadState(frame);
        return !IsWindow(window);
    }
};

TEST_F(PaletteWindows, F3ThenF2LogTheRestAndTheNote) {
    Start("palette_keys");
    const size_t start = Log().size();
    ASSERT_TRUE(PostKey(frame, VK_F3));
    const size_t rest = WaitForLogAfter("(Tool=Rest116)", start);
    ASSERT_NE(rest, std::string::npos) << Log();
    ASSERT_TRUE(PostKey(frame, VK_F2));
    EXPECT_NE(WaitForLogAfter("(Tool=Note116)", rest), std::string::npos) << Log();
}

TEST_F(PaletteWindows, DrawAllNoneAndAPageOpenGreyAndCloseTheFloatingWindow) {
    Start("palette_all");
    HWND palette = StaticPalette();
    ASSERT_NE(palette, nullptr);
    EXPECT_GT(ClientHeight(palette), 0) << "the Notes page";
    ASSERT_TRUE(PostCommand(frame, kAll));
    HWND floating = program.WaitForWindow(u"Draw All");
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(WindowClass(floating), u"AllToolsWindow");
    program.ReadState(frame);
    EXPECT_EQ(ClientHeight(palette), 0) << "page None";
    SaveScreenshot(frame, folder + u"palette_frame.bmp");
    SaveScreenshot(floating, folder + u"palette_all.bmp");

    // A click on a greyed button chooses nothing; enabled again, it does.
    ASSERT_TRUE(PostCommand(frame, kNone));
    size_t from = Log().size();
    ASSERT_TRUE(PostClick(floating, 3, 3));
    program.ReadState(frame);
    program.ReadState(frame);
    EXPECT_EQ(Log().find("(Tool=", from), std::string::npos) << Log().substr(from);
    SaveScreenshot(floating, folder + u"palette_all_grey.bmp");
    ASSERT_TRUE(PostCommand(frame, kAll));
    from = Log().size();
    ASSERT_TRUE(PostClick(floating, 3, 3));
    EXPECT_NE(WaitForLogAfter("(Tool=Note164)", from), std::string::npos) << Log().substr(from);
    EXPECT_TRUE(IsWindow(floating)) << "the same window, enabled again";

    // Another page closes the window and shows that page.
    ASSERT_TRUE(PostCommand(frame, kClefs));
    EXPECT_TRUE(WaitUntilGone(floating));
    EXPECT_GT(ClientHeight(palette), 0);
}

// The user's close box, then Draw > All, Draw > Rests and Exit: the closed
// window is never destroyed a second time (TearDown sees a clean end).
TEST_F(PaletteWindows, AWindowClosedByHandIsNotDestroyedAgain) {
    Start("palette_closed");
    ASSERT_TRUE(PostCommand(frame, kAll));
    HWND floating = program.WaitForWindow(u"Draw All");
    ASSERT_NE(floating, nullptr);
    ASSERT_TRUE(PostClose(floating));
    EXPECT_TRUE(WaitUntilGone(floating));
    ASSERT_TRUE(PostCommand(frame, kAll));
    HWND again = program.WaitForWindow(u"Draw All");
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(PostCommand(frame, kRests));
    EXPECT_TRUE(WaitUntilGone(again));
    const size_t from = Log().size();
    ASSERT_TRUE(PostClick(StaticPalette(), 3, 3));
    EXPECT_NE(WaitForLogAfter("(Tool=Rest164)", from), std::string::npos) << Log().substr(from);
}

TEST_F(PaletteWindows, HoverGivesTheHintAndARightClickTheToolMenu) {
    Start("palette_hover");
    HWND palette = StaticPalette();
    ASSERT_NE(palette, nullptr);
    ASSERT_TRUE(PostCommand(frame, kRests));
    ASSERT_TRUE(PostMessageW(palette, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)));
    std::string hint;
    for (int i = 0; i < 100 && hint != "Select or place rests"; ++i) hint = HelpPart();
    EXPECT_EQ(hint, "Select or place rests");

    ASSERT_TRUE(PostRightClick(palette, 3, 3));
    HWND menu = program.WaitForWindowOf(u"#32768", nullptr, 10000);
    ASSERT_NE(menu, nullptr);
    SaveScreenshot(frame, folder + u"palette_menu.bmp");
    // The menu's own loop runs while it is open; once the driver has
    // dismissed it, the state channel tells which menu it was.
    ASSERT_TRUE(PostKey(menu, VK_ESCAPE));
    std::vector<sStateLine> popup;
    for (int i = 0; i < 100 && popup.empty(); ++i) popup = LinesOf(program.ReadState(frame), "popup");
    ASSERT_FALSE(popup.empty());
    ASSERT_GE(popup[0].fields.size(), 3u);
    EXPECT_EQ(popup[0].fields[0], "ToolRBtn");
    EXPECT_EQ(popup[0].fields[1], std::to_string(0x4000 | 700));
    EXPECT_EQ(popup[0].fields[2], "Help");
}

// Choosing a button in translate mode opens "Translate Tool Hint" with the
// class's hint; OK stores the edited hint, which the hover then shows.
// While the dialog runs the program does not answer the state channel, so
// each step waits on the dialog's window instead, and the page change is
// handled, with the tool choice it posts, before translate mode begins:
// otherwise that choice would open a dialog of its own.
TEST_F(PaletteWindows, InTranslateModeChoosingAButtonEditsItsHint) {
    Start("palette_translate");
    HWND palette = StaticPalette();
    ASSERT_NE(palette, nullptr);
    // Ending translate mode asks for a language file, so File > Exit would
    // stop on that dialog: the test ends the program itself, however it ends.
    struct sAtEnd {
        std::function<void()> run;
        ~sAtEnd() { run(); }
    } end{[this] {
        program.Kill();
        frame = nullptr;
    }};
    ASSERT_TRUE(PostCommand(frame, kRests));
    Settled();
    ASSERT_TRUE(PostCommand(frame, kTranslate));
    Settled();
    ASSERT_EQ(program.WaitForWindow(u"Translate Tool Hint", nullptr, 0), nullptr) << "a hint dialog before the click";

    ASSERT_TRUE(PostClick(palette, 3, 3));
    HWND dialog = program.WaitForWindow(u"Translate Tool Hint", nullptr, 10000);
    ASSERT_NE(dialog, nullptr);
    SaveScreenshot(GetDesktopWindow(), folder + u"palette_translate.bmp");
    EXPECT_EQ(ItemText(dialog, 101), u"Select or place rests");
    ASSERT_TRUE(SetItemText(dialog, 101, u"Pause here"));
    ASSERT_TRUE(PressButton(dialog, IDOK));
    ASSERT_TRUE(WaitUntilClosed(dialog, 10000));
    ASSERT_EQ(program.WaitForWindow(u"Translate Tool Hint", nullptr, 0), nullptr) << "a second hint dialog";
    const std::string log = Log();
    EXPECT_EQ(CountOf(log, "translating: (Tool="), 1) << log;
    EXPECT_EQ(CountOf(log, "translating: (Tool=Rest164)"), 1) << log;

    // A move to the point where the mouse already is (the click's) is no
    // move, so the pointer wanders inside the button until the hint shows.
    std::string hint;
    int32_t step = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const int32_t at = 4 + step++ % 2;
            PostMessageW(palette, WM_MOUSEMOVE, 0, MAKELPARAM(at, at));
            return (hint = HelpPart()) == "Pause here";
        },
        10000))
        << hint;
}

}  // namespace
