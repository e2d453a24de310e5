// Viewports of the native build open without a window: the class name is
// still made, the window registers and counts, and everything that needs a
// window answers that there is none.
#include <gtest/gtest.h>

#include "ui/view_port_top.h"

namespace {

TEST(ViewPortHeadless, OpeningNamesTheClassAndRegisters) {
    cViewPortTop top(5, u"Frame");
    cViewPort unnamed(&top, 0x12CF0000, u"");
    EXPECT_EQ(unnamed.Open(), RC_OK);
    EXPECT_EQ(std::u16string(unnamed.GetClassName()), u"VPClass315555840");
    EXPECT_EQ(std::u16string(unnamed.GetName()), u"VPClass315555840");
    EXPECT_EQ(top.FindRegisteredWindow(&unnamed), &unnamed);
    EXPECT_EQ(unnamed.OpenCount(), 1);
    EXPECT_EQ(unnamed.GetWindowHandle(), nullptr);

    cViewPort named(&top, 0x50000000, u"MusicWin");
    named.Open();
    EXPECT_EQ(std::u16string(named.GetClassName()), u"VPClassMusicWin1342177280");
    EXPECT_EQ(std::u16string(named.GetName()), u"MusicWin");
}

TEST(ViewPortHeadless, WithoutWindowsNothingLoadsOrAsks) {
    cViewPort view(nullptr, 0, u"View");
    EXPECT_EQ(view.LoadMenuResource(1000, nullptr, 0, nullptr, 0), RC_FAIL);
    EXPECT_EQ(view.LoadMenuResource(0, nullptr, 0, nullptr, 0), RC_FAIL);
    EXPECT_EQ(view.GetMenuHandle(), nullptr);
    EXPECT_EQ(view.AskOpenFileName(u"Scores|*.pmr", u"pmr"), nullptr);
    EXPECT_EQ(view.AskSaveFileName(u"Scores|*.pmr", u"pmr"), nullptr);
    EXPECT_EQ(view.GetFocusObject(), nullptr);
    EXPECT_EQ(view.GetWindowTitle(), nullptr);
}

}  // namespace
