// The symbol palette on the real catalogue: the pages and their buttons,
// the button pressed when a page is first shown, the classes left out, the
// buttons' sizes against their pictures, what a button draws (natively on
// the recording device), enabling every page again and a bar that gets its
// window late.
#include "notation/palette.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "tests/notation/catalogue_fixture.h"
#include "ui/graph_dvc.h"
#include "ui/tool_window.h"

namespace {

// A docked palette window of a given width, ready to draw on.  The bar that
// takes it deletes it.
cViewPortStaticToolWin *NewToolWindow(int32_t width) {
    auto *window = new cViewPortStaticToolWin(nullptr);
    window->Open();
    window->Attach();
    window->PrepareDraw();
    window->SetSize(width, 60);
    return window;
}

class Palette : public test::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        Build();
    }
    void TearDown() override {
        bar.reset();
        CatalogueTest::TearDown();
    }

    void MakeBar(int32_t windowWidth = 400) {
        bar = std::make_unique<cMusicToolBar>(kPalettePages, kPalettePageCount, NewToolWindow(windowWidth));
    }
    // The buttons the bar shows now.
    std::vector<cMusicToolBarItem *> Shown() const {
        std::vector<cMusicToolBarItem *> shown;
        for (uint32_t i = 0; i < bar->GetCount(); ++i)
            shown.push_back(dynamic_cast<cMusicToolBarItem *>(bar->GetItems()[i]));
        return shown;
    }
    int16_t PressedClass() const {
        auto *pressed = dynamic_cast<cMusicToolBarItem *>(bar->GetPressedItem());
        return pressed ? pressed->GetClassId() : 0;
    }
    cGraphDvc *ToolWindow() const { return dynamic_cast<cGraphDvc *>(bar->GetWindow()); }

    std::unique_ptr<cMusicToolBar> bar;
};

TEST_F(Palette, EachPageShowsItsClassesWithItsFirstChoicePressed) {
    MakeBar();
    // The Notes page is shown first, with the sixteenth note pressed.
    EXPECT_EQ(bar->GetCurrentGroup(), 0u);
    ASSERT_EQ(bar->GetCount(), 20u);
    EXPECT_EQ(PressedClass(), Note116::kClassId);
    EXPECT_NE(dynamic_cast<Note116 *>(cPObjBase::PrototypeById(PressedClass())), nullptr);

    // key | buttons | first class | initially pressed
    struct sPageCase {
        uint32_t key;
        uint32_t buttons;
        int16_t first;
        int16_t pressed;
    } const cases[] = {
        {300, 20, 17, 21}, {301, 7, 72, 74},    {302, 8, 166, 166}, {303, 16, 79, 79},
        {304, 5, 175, 178}, {305, 12, 139, 139}, {306, 15, 151, 151}, {307, 4, 182, 183},
        {308, 22, 96, 101}, {309, 11, 118, 118}, {310, 0, 0, 0},
    };
    for (const sPageCase &c : cases) {
        SCOPED_TRACE(c.key);
        bar->SelectGroup(c.key);
        ASSERT_EQ(bar->GetCount(), c.buttons);
        std::vector<cMusicToolBarItem *> shown = Shown();
        for (uint32_t j = 0; j < c.buttons; ++j) {
            ASSERT_NE(shown[j], nullptr);
            EXPECT_EQ(shown[j]->GetClassId(), c.first + int16_t(j));
        }
        EXPECT_EQ(PressedClass(), c.pressed);
        if (c.buttons == 0) {
            EXPECT_EQ(bar->GetPressedItem(), nullptr);
        }
    }

    // Back on the Notes page after another choice there, the page keeps it.
    bar->SelectGroup(300);
    bar->SelectIndex(9);
    bar->SelectGroup(301);
    EXPECT_EQ(PressedClass(), 74);
    bar->SelectGroup(300);
    EXPECT_EQ(PressedClass(), 26);
}

TEST_F(Palette, ButtonsCoverTheRangesOnlyAndLeaveTheFermataBelowOut) {
    MakeBar();
    bar->SelectGroup(kAllToolsGroup);
    std::set<int16_t> classes;
    for (cMusicToolBarItem *item : Shown()) {
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(classes.insert(item->GetClassId()).second) << "one button per class: " << item->GetClassId();
    }
    std::set<int16_t> expected;
    for (const sPalettePage &page : kPalettePages)
        for (int32_t id = page.firstId; page.firstId != 0 && id <= page.lastId; ++id) expected.insert(int16_t(id));
    EXPECT_EQ(classes, expected);
    EXPECT_EQ(classes.size(), 120u);
    EXPECT_EQ(classes.count(ArticFermataObject::kClassId), 1u);
    EXPECT_EQ(classes.count(ArticFermataUpObject::kClassId), 0u);
    for (int16_t outside : {16, 37, 71, 95, 129, 138, 174, 180, 181, 186}) EXPECT_EQ(classes.count(outside), 0u) << outside;
}

TEST_F(Palette, EveryButtonHoldsItsPictureOnEachPageAndInTheAllView) {
    MakeBar(300);
    auto checkShown = [&](const char *view) {
        SCOPED_TRACE(view);
        for (cMusicToolBarItem *item : Shown()) {
            SCOPED_TRACE(item->GetClassId());
            const cRectangl picture = *cPObjBase::PrototypeById(item->GetClassId())->GetImageRect();
            EXPECT_GT(picture.width, 0);
            EXPECT_GT(picture.height, 0);
            EXPECT_EQ(item->GetContentWidth(), picture.width);
            EXPECT_EQ(item->GetContentHeight(), picture.height);
            EXPECT_GE(item->GetWidth(), picture.width);
            EXPECT_GE(item->GetHeight(), picture.height);
            EXPECT_GE(item->GetWidth(), 18) << "the layout widens small buttons";
        }
    };
    for (const sPalettePage &page : kPalettePages) {
        bar->SelectGroup(page.key);
        checkShown("page");
    }
    // The all view wraps the buttons into rows across the window.
    bar->SelectGroup(kAllToolsGroup);
    checkShown("all");
    EXPECT_LE(bar->GetWidth(), 300);
    EXPECT_GT(bar->GetHeight(), Shown().front()->GetHeight());
}

#if !defined(_WIN32)
// What a button draws is its prototype's picture, centred in the box: the
// same primitives as the prototype drawn at the centred corner.
TEST_F(Palette, AButtonDrawsItsPictureCentredBlackOrGreyAndInvertsWhenPressed) {
    MakeBar();
    cGraphDvc *device = ToolWindow();
    ASSERT_NE(device, nullptr);
    device->ClearRecords();
    for (uint32_t key : {300u, 303u, 308u, 307u}) {
        bar->SelectGroup(key);
        for (cMusicToolBarItem *item : Shown()) {
            SCOPED_TRACE(item->GetClassId());
            cPObjPoint *prototype = cPObjBase::PrototypeById(item->GetClassId());
            const int32_t left = item->GetX() + (item->GetWidth() - item->GetContentWidth()) / 2;
            const int32_t top = item->GetY() + (item->GetHeight() - item->GetContentHeight()) / 2;
            prototype->DrawPicture(left, top, device);
            const std::vector<sDrawRecord> expected = device->Records();
            device->ClearRecords();
            ASSERT_FALSE(expected.empty());

            // Drawing leaves the device's settings as it found them.
            device->SetBitmapMode(3);
            device->SetColour(0x123456);
            device->SetTextColour(0x654321);
            device->SetBitmapColour(0x0000FF);
            item->Draw();
            std::vector<sDrawRecord> drawn = device->Records();
            device->ClearRecords();
            ASSERT_EQ(drawn.size(), expected.size());
            for (size_t i = 0; i < drawn.size(); ++i) {
                EXPECT_EQ(drawn[i].op, expected[i].op);
                EXPECT_EQ(drawn[i].args, expected[i].args);
                EXPECT_EQ(drawn[i].penColour, 0u);
                EXPECT_EQ(drawn[i].textColour, 0u);
            }
            EXPECT_EQ(device->GetBitmapMode(), 3);
            EXPECT_EQ(device->GetPenColour(), 0x123456u);
            EXPECT_EQ(device->GetTextColour(), 0x654321u);
            EXPECT_EQ(device->GetBitmapColour(), 0x0000FFu);
        }
    }

    // Pressed: the picture, then the box inverted.
    bar->SelectGroup(300);
    cToolBarItem *pressed = bar->GetPressedItem();
    ASSERT_NE(pressed, nullptr);
    pressed->DrawState();
    std::vector<sDrawRecord> drawn = device->Records();
    device->ClearRecords();
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn.back().op, "InvertRect");
    EXPECT_EQ(drawn.back().args,
              (std::vector<int32_t>{pressed->GetX(), pressed->GetY(), pressed->GetWidth(), pressed->GetHeight()}));

    // Disabled: grey, and never inverted.
    bar->SetEnabled(0);
    ASSERT_EQ(pressed->GetState(), kToolDisabled);
    pressed->DrawPressed();
    drawn = device->Records();
    device->ClearRecords();
    ASSERT_FALSE(drawn.empty());
    for (const sDrawRecord &r : drawn) {
        EXPECT_NE(r.op, "InvertRect");
        EXPECT_EQ(r.penColour, 0xB4B4B4u);
        EXPECT_EQ(r.textColour, 0xB4B4B4u);
    }
}

// The palette window's paint draws the page it shows: each button once,
// one box inverted, the pressed one's.
TEST_F(Palette, ThePaletteWindowPaintsThePageWithThePressedButtonInverted) {
    MakeBar();
    auto *window = dynamic_cast<cViewPortStaticToolWin *>(bar->GetWindow());
    ASSERT_NE(window, nullptr);
    window->SetToolBar(bar.get());
    for (uint32_t key : {300u, 301u, 310u}) {
        SCOPED_TRACE(key);
        bar->SelectGroup(key);
        window->ClearRecords();
        sWinMessage paint(0x000F, 0, 0);
        ASSERT_EQ(window->OnPaint(paint), RC_OK);
        std::vector<sDrawRecord> inverted;
        size_t drawn = 0;
        for (const sDrawRecord &r : window->Records()) {
            if (r.op == "InvertRect")
                inverted.push_back(r);
            else
                ++drawn;
        }
        cToolBarItem *pressed = bar->GetPressedItem();
        if (!pressed) {
            EXPECT_EQ(drawn, 0u) << "an empty page draws nothing";
            EXPECT_TRUE(inverted.empty());
            continue;
        }
        EXPECT_GE(drawn, bar->GetCount());
        ASSERT_EQ(inverted.size(), 1u);
        EXPECT_EQ(inverted[0].args,
                  (std::vector<int32_t>{pressed->GetX(), pressed->GetY(), pressed->GetWidth(), pressed->GetHeight()}));
    }
}
#endif

TEST_F(Palette, RefreshEnablesTheButtonsOfEveryPage) {
    MakeBar();
    bar->SetEnabled(0);
    bar->DisableGroupItem(8, 3);
    bar->DisableGroupItem(1, 0);
    ASSERT_EQ(bar->GetItems()[0]->GetState(), kToolDisabled);
    auto states = [&](int32_t wanted) {
        int32_t n = 0;
        for (int32_t g = 0; g < bar->GetGroupCount(); ++g) {
            bar->SelectGroup(bar->Groups()[g].key);
            for (cMusicToolBarItem *item : Shown()) n += item->GetState() == wanted;
        }
        return n;
    };
    bar->RefreshAll();
    EXPECT_EQ(states(kToolDisabled), 0);
    bar->SetEnabled(0);
    bar->Refresh(0);
    EXPECT_EQ(states(kToolDisabled), 0);
}

TEST_F(Palette, AButtonMakesNewSymbolsOfItsClass) {
    MakeBar();
    for (cMusicToolBarItem *item : Shown()) {
        std::unique_ptr<cPObjPoint> symbol(item->NewSymbol());
        ASSERT_NE(symbol, nullptr);
        EXPECT_EQ(symbol->GetTypeId(), item->GetClassId());
        EXPECT_NE(symbol.get(), cPObjBase::PrototypeById(item->GetClassId()));
    }
}

// A bar made without a window has no buttons until it gets one; building
// again keeps the buttons it has.
TEST_F(Palette, ABarWithoutAWindowBuildsItsButtonsOnceItHasOne) {
    bar = std::make_unique<cMusicToolBar>(kPalettePages, kPalettePageCount, nullptr);
    bar->BuildItems();
    EXPECT_EQ(bar->GetCount(), 0u);
    EXPECT_EQ(bar->GetItems(), nullptr);
    EXPECT_EQ(bar->GetGroupCount(), kPalettePageCount);

    bar->SetWindow(NewToolWindow(400));
    bar->BuildItems();
    ASSERT_EQ(bar->GetCount(), 20u);
    EXPECT_EQ(PressedClass(), 21);
    std::vector<cMusicToolBarItem *> before = Shown();
    bar->SelectIndex(0);
    bar->BuildItems();
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(PressedClass(), 21) << "the first page is shown again with its first choice";
}

// Pages without buttons: none, a reversed range, an empty first page.
TEST_F(Palette, PagesWithoutButtonsShowNothingAndPressNothing) {
    static constexpr sPalettePage pages[] = {
        {0, 0, 0, 1},
        {90, 90, 89, 2},
        {80, 81, 81, 3},
        {79, 80, 81, 4},
    };
    EXPECT_EQ(PaletteButtonCount(pages[0]), 0);
    EXPECT_EQ(PaletteButtonCount(pages[1]), 0);
    EXPECT_EQ(PaletteButtonCount({0, 0, 36, 9}), 0);
    EXPECT_EQ(PaletteButtonCount({17, 0, 0, 9}), 0);
    bar = std::make_unique<cMusicToolBar>(pages, 4, NewToolWindow(400));
    EXPECT_EQ(bar->GetCount(), 0u);
    EXPECT_EQ(bar->GetPressedItem(), nullptr);
    bar->SelectGroup(2);
    EXPECT_EQ(bar->GetCount(), 0u);
    bar->SelectGroup(3);
    ASSERT_EQ(bar->GetCount(), 2u);
    EXPECT_EQ(PressedClass(), 81);
    bar->SelectGroup(4);
    ASSERT_EQ(bar->GetCount(), 3u);
    EXPECT_EQ(PressedClass(), 80);
    EXPECT_EQ(bar->Groups()[3].first, 2) << "buttons of one page follow those of the page before";
    // A page table without pages makes a bar without groups.
    cMusicToolBar none(nullptr, 5, nullptr);
    EXPECT_EQ(none.GetGroupCount(), 0);
    none.BuildItems();
    EXPECT_EQ(none.GetCount(), 0u);
}

}  // namespace
