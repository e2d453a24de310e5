// The score window in the running program: the frame is named after the
// new score, the commands that need a selection, an undo record or a copied
// block are grey on a fresh score, and the zoom slider logs the page size.
#include <gtest/gtest.h>

#include <string>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"

using namespace gui;

namespace {

constexpr uint32_t kZoomSliderId = 28622;
// The default part template's line spacing.
constexpr int32_t kLineSpacing = 6;

class ScoreWindow : public cRunningProgram {};

HWND FindChildById(HWND parent, uint32_t id) {
    struct sSearch {
        uint32_t id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto *s = reinterpret_cast<sSearch *>(data);
            if (uint32_t(GetDlgCtrlID(child)) != s->id) return TRUE;
            s->found = child;
            return FALSE;
        },
        LPARAM(&search));
    return search.found;
}

TEST_F(ScoreWindow, AFreshScoreIsNamedNoNameAndGreysWhatNeedsASelection) {
    Start("score_window_fresh");
    EXPECT_EQ(WindowTitle(frame), u"NoName.pmr");
    tStateDump dump = Settled();
    // Properties, Delete, Deselect, Undo, Paste, Copy and Cut.
    for (uint32_t id : {601u, 203u, 205u, 204u, 202u, 200u, 201u}) {
        const sStateLine *item = MenuItem(dump, id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_EQ(item->fields[3], "0") << id << " is grey";
    }
    // What needs nothing is not.
    for (uint32_t id : {100u, 209u, 210u}) {
        const sStateLine *item = MenuItem(dump, id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_EQ(item->fields[3], "1") << id;
    }
    // The sliders show their values in parts 2 and 3.
    EXPECT_EQ(StatusPart(dump, "2"), "Vol 50%");
    EXPECT_EQ(StatusPart(dump, "3"), "Zoom 100%");
    SaveScreenshot(frame, folder + u"score_window.bmp");
}

TEST_F(ScoreWindow, TheZoomSliderLogsTheSizeOfThePage) {
    Start("score_window_zoom");
    HWND slider = FindChildById(frame, kZoomSliderId);
    ASSERT_NE(slider, nullptr);
    // The slider runs from half the line spacing to three times it and
    // starts at the spacing; the control's positions count from its minimum.
    const int32_t minimum = kLineSpacing / 2;
    ASSERT_EQ(GetScrollPos(slider, SB_CTL), kLineSpacing - minimum);
    ASSERT_TRUE(SetScrollPosition(GetParent(slider), kZoomSliderId, 2 * kLineSpacing - minimum));
    EXPECT_TRUE(program.WaitForText(LogPath(), "Status: Zoom=400%")) << Log();
    ASSERT_TRUE(SetScrollPosition(GetParent(slider), kZoomSliderId, kLineSpacing - minimum));
    EXPECT_TRUE(program.WaitForText(LogPath(), "Status: Zoom=100%")) << Log();
}

}  // namespace
