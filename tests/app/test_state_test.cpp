// The dump of the state channel: what a test of the running program reads
// of the menus, the status bar and the windows.
#include "app/test_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_menu.h"
#include "ui/status_bar.h"

namespace {

TEST(TestStateDump, MenusStatusPartsWindowsAndModifiersInOrder) {
    std::vector<test::cTestMenu::sInstall> installs;
    test::cTestMenu root{nullptr, 1, nullptr, &installs};
    test::cTestMenu *file = root.Sub(u"&File", 0);
    file->Leaf(u"New", 100);
    file->Leaf(u"Save\tCtrl+S", 102)->Disable();
    test::cTestMenu *exportMenu = file->Sub(u"Export", 0);
    cMenuItemBase *midi = exportMenu->Leaf(u"Midi", 105);
    midi->Check();
    // A tab in a hint would split the line's fields.
    midi->SetHint(u"Save\tas MIDI");
    file->Leaf(u"Exit", 111);

    cStatusBar bar(nullptr, 0);
    bar.AppendPart(100, 0, 0);
    bar.AppendPart(50, 0, 0);
    bar.SetPartText(0, u"Bar 3");
    bar.SetPartText(1, u"a\ttab");

    test::cTestMenu popup{nullptr, 0, nullptr, &installs};
    popup.SetFlagsAndText(0, u"ToolRBtn");
    popup.Leaf(u"Help", 0x4000 | 700);
    popup.Leaf(u"Setup Draw", 0x4000 | 600);

    sTestState state;
    state.popups = {&popup};
    state.menu = &root;
    state.statusBar = &bar;
    state.windows = {{u"VPClassPelmora0", u"Pelmora"}};
    state.pages = {{u"VPClassPalette0", u"Notes"}};
    state.shift = true;
    EXPECT_EQ(ComposeTestStateDump(state),
              "menu\t0\t0\t&File\t1\t0\tFile\t\n"
              "menu\t1\t100\tNew\t1\t0\tFile/New\t\n"
              "menu\t1\t102\tSave\t0\t0\tFile/Save\t\n"
              "menu\t1\t0\tExport\t1\t0\tFile/Export\t\n"
              "menu\t2\t105\tMidi\t1\t1\tFile/Midi\tSave as MIDI\n"
              "menu\t1\t111\tExit\t1\t0\tFile/Exit\t\n"
              "status\t0\tBar 3\n"
              "status\t1\ta tab\n"
              "window\tVPClassPelmora0\tPelmora\n"
              "page\tVPClassPalette0\tNotes\n"
              "popup\tToolRBtn\t17084\tHelp\n"
              "popup\tToolRBtn\t16984\tSetup Draw\n"
              "modifiers\t1\t0\n"
              "end\n");
}

TEST(TestStateDump, NothingButTheModifiersAndTheEnd) {
    EXPECT_EQ(ComposeTestStateDump(sTestState()), "modifiers\t0\t0\nend\n");
}

}  // namespace
