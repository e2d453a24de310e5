#include "ui/tool_bar.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/tool_window.h"

namespace {

// A tool whose picture has a given size; counts its drawings.
class cTestTool : public cToolBarItem {
public:
    cTestTool(int32_t w, int32_t h) : cToolBarItem(0, 0, nullptr), contentHeight(h) { width = w; }
    int32_t GetContentWidth() override { return width; }
    int32_t GetContentHeight() override { return contentHeight; }
    void Draw() override { ++draws; }
    void DrawPressed() override { ++pressedDraws; }
    int32_t contentHeight;
    int draws = 0;
    int pressedDraws = 0;
};

// A tool window of a fixed width.
class cFixedToolWin : public cViewPortStaticToolWin {
public:
    explicit cFixedToolWin(int32_t w) : cViewPortStaticToolWin(nullptr), width(w) {}
    int32_t GetWidth() override { return width; }
    int32_t width;
};

TEST(ToolBarLayout, RowsWrapAtTheWindowWidth) {
    cTestTool a(10, 16), b(30, 12), c(18, 10), d(5, 14);
    cToolBarItem *items[] = {&a, nullptr, &b, &c, &d};
    cToolBar bar(0, 0, items, 5, new cFixedToolWin(50));
    bar.Layout();
    EXPECT_EQ(a.GetWidth(), 18);
    EXPECT_EQ(a.GetX(), 0);
    EXPECT_EQ(b.GetX(), 18);  // 18 + 30 - 1 = 47 fits in 50
    EXPECT_EQ(b.GetY(), 0);
    EXPECT_EQ(c.GetX(), 0);  // 48 + 18 - 1 = 65 wraps
    EXPECT_EQ(c.GetY(), 18);
    EXPECT_EQ(a.GetHeight(), 18) << "a row followed by another is 2 taller";
    EXPECT_EQ(b.GetHeight(), 18);
    EXPECT_EQ(d.GetX(), 18);
    EXPECT_EQ(d.GetWidth(), 18);
    EXPECT_EQ(c.GetHeight(), 14) << "the last row keeps its tallest picture";
    EXPECT_EQ(bar.GetWidth(), 48);
    EXPECT_EQ(bar.GetHeight(), 18 + 14);
}

TEST(ToolBarLayout, ItemWiderThanTheWindowStartsAfterAnEmptyBand) {
    cTestTool wide(60, 10);
    cToolBarItem *items[] = {&wide};
    cToolBar bar(5, 7, items, 1, new cFixedToolWin(40));
    bar.Layout();
    EXPECT_EQ(wide.GetX(), 5);
    EXPECT_EQ(wide.GetY(), 9);
    EXPECT_EQ(bar.GetHeight(), 12);
    cToolBar empty(0, 0, nullptr, 0, nullptr);
    empty.Layout();
    EXPECT_EQ(empty.GetWidth(), 0);
    EXPECT_EQ(empty.IsWindowOpen(), DVC_NOT_OPEN);
}

TEST(ToolBarSelection, PressReleaseDisableAndHits) {
    cTestTool a(20, 10), b(20, 10);
    cToolBarItem *items[] = {&a, &b};
    cToolBar bar(0, 0, items, 2, new cFixedToolWin(100));
    bar.Layout();
    EXPECT_EQ(bar.SelectAt(5, 5), &a);
    EXPECT_EQ(bar.SelectAt(25, 5), &b);
    EXPECT_EQ(a.GetState(), kToolUp);
    EXPECT_EQ(bar.SelectAt(70, 5), &b) << "an empty spot keeps the selection";
    bar.DisableItem(0);
    EXPECT_EQ(bar.ItemAt(5, 5), nullptr);
    EXPECT_EQ(bar.Select(&a), &b) << "a disabled item is not taken";
    EXPECT_EQ(bar.GetPressedItem(), &b);
    a.Release();
    a.Press();
    EXPECT_EQ(a.GetState(), kToolDisabled);
    bar.EnableItem(0);
    EXPECT_EQ(a.GetState(), kToolUp);
    bar.DisableItem(7);  // ignored
    bar.DrawItems();
    EXPECT_EQ(a.draws, 1);
    EXPECT_EQ(b.pressedDraws, 1);

    EXPECT_EQ(bar.SetEnabled(0), 1);
    EXPECT_EQ(a.GetState(), kToolDisabled);
    EXPECT_EQ(b.GetState(), kToolDisabled);
    EXPECT_EQ(bar.GetPressedItem(), nullptr);
    EXPECT_EQ(bar.SetEnabled(1), 0);
    EXPECT_EQ(a.GetState(), kToolDisabled) << "the plain bar only redraws";
}

// A palette-like bar: groups over one array of tools.
class cTestBars : public cToolBars {
public:
    explicit cTestBars(cViewPortBase *window) : cToolBars(0, 0, window, 2) {
        auto **array = new cToolBarItem *[5];
        for (int i = 0; i < 5; ++i) array[i] = new cTestTool(20, 10 + i);
        AdoptAllItems(array, 5);
        groups[0] = {0, 3, 0, 'N'};
        groups[1] = {3, 2, 1, 'C'};
        SetItems(array, 3);
        currentGroup = 0;
        SelectIndex(0);
    }
    cToolBarItem *All(int i) { return allItems[i]; }
};

TEST(ToolBarGroups, GroupSwitchRemembersTheSelection) {
    cTestBars bars(new cFixedToolWin(50));
    bars.Layout();
    EXPECT_EQ(bars.All(3)->GetX(), 0) << "groups share the origin";
    EXPECT_EQ(bars.All(4)->GetX(), 20);
    EXPECT_EQ(bars.All(2)->GetX(), 40) << "groups never wrap";
    EXPECT_EQ(bars.All(0)->GetHeight(), 12);

    bars.SelectIndex(2);
    bars.SelectGroup('C');
    EXPECT_EQ(bars.GetCurrentGroup(), 1u);
    EXPECT_EQ(bars.GetSelection(), bars.All(4));
    EXPECT_EQ(bars.All(2)->GetState(), kToolUp);
    bars.SelectGroup('N');
    EXPECT_EQ(bars.GetSelection(), bars.All(2)) << "the group's remembered tool";

    bars.SelectGroup(kAllToolsGroup);
    EXPECT_EQ(bars.GetCount(), 5u);
    EXPECT_EQ(bars.GetSelection(), bars.All(2));
    EXPECT_EQ(bars.All(2)->GetY(), 13) << "all tools flow into rows";
    bars.SelectIndex(1);
    bars.SelectGroup('C');
    bars.SelectGroup(kAllToolsGroup);
    EXPECT_EQ(bars.GetSelection(), bars.All(1)) << "the all view keeps the first group's record";
    EXPECT_EQ(bars.Groups()[0].selected, 1);

    bars.SelectGroup('Z');
    EXPECT_EQ(bars.GetCount(), 5u) << "an unknown key keeps the shown items";
    EXPECT_EQ(bars.GetSelection(), nullptr);

    bars.SelectGroup('C');
    bars.DisableItem(1);
    EXPECT_EQ(bars.All(4)->GetState(), kToolDisabled);
    bars.EnableGroupItem(1, 1);
    EXPECT_EQ(bars.All(4)->GetState(), kToolUp);
    bars.DisableGroupItem(5, 0);
    bars.DisableGroupItem(0, 3);
    EXPECT_EQ(bars.All(3)->GetState(), kToolUp);
}

TEST(ToolWindow, WithoutABarMouseAndEnableAreHarmless) {
    cFixedToolWin window(100);
    sWinMessage record(0x201, 0, 0x00050005);
    EXPECT_EQ(window.OnLeftDown(5, 5, record), RC_OK);
    EXPECT_EQ(window.OnRightDown(5, 5, record), RC_OK);
    EXPECT_EQ(window.OnMouseMove(5, 5, record), RC_OK);
    EXPECT_EQ(window.IsToolBarEnabled(), 0);
    EXPECT_EQ(window.SetToolBarEnabled(1), 0);
    EXPECT_EQ(window.SetToolBar(nullptr), nullptr);
}

}  // namespace
