// The dialog "Setup Percussion Staff" without a window system: a script
// plays the user through the controls' item states while the dialog is
// "open".
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "midi/music_track.h"
#include "midi/pitch.h"
#include "staves/percussion_sets.h"
#include "tests/staves/percussion_fixture.h"
#include "tests/support/dialog_script.h"
#include "tests/support/recording_music_track.h"
#include "ui/dialog_box.h"
#include "ui/list_controls.h"
#include "ui/scroll_controls.h"

namespace {

constexpr int32_t kHighTomLine = 16;  // key 50
constexpr int32_t kCowbellLine = 22;  // key 56

class PercussionDialogTest : public test::PercussionTest {
protected:
    void SetUp() override {
        PercussionTest::SetUp();
        Build();
        keptTicks = gTicksPerQuarter;
    }
    void TearDown() override {
        gTicksPerQuarter = keptTicks;
        PercussionTest::TearDown();
    }

    // Runs the dialog with the script and the player; answers the dialog's
    // answer and how it ended.
    int32_t Run(const std::function<void(cDialogBox &)> &script, cMusicTrack *player = nullptr) {
        test::ScriptScope scope([&](cDialogBox &d) {
            templateId = d.GetTemplateId();
            helpTopic = d.GetHelpTopic();
            script(d);
            endCode = d.GetEndCode();
        });
        cPercussionSetup setup(player);
        return setup.Dialog(window.get());
    }

    static cComboBox &Sets(cDialogBox &d) { return *dynamic_cast<cComboBox *>(d.FindControl(106)); }
    static cListBox &Instruments(cDialogBox &d) { return *dynamic_cast<cListBox *>(d.FindControl(109)); }
    // The user types a name into the set box; the next event reads it.
    static void Type(cDialogBox &d, const char16_t *name) {
        Sets(d).Item().text = name;
        Sets(d).Item().selection = -1;
    }
    static void Pick(cDialogBox &d, int32_t line) {
        Instruments(d).Item().selection = line;
        d.Command(109, 1);
    }
    // The slider's thumb dropped at the value.
    static void Slide(cDialogBox &d, int32_t value) {
        cGuiControl *slider = d.FindControl(107);
        ASSERT_NE(slider->GetWindowHandle(), nullptr);
        sWinMessage record(kMsgVScroll, tWParam(uint32_t(value - 35) << 16 | 4),
                           reinterpret_cast<tLParam>(slider->GetWindowHandle()));
        slider->OnMessage(kMsgVScroll, record);
    }

    uint32_t templateId = 0, helpTopic = 0;
    int32_t endCode = 0;
    uint32_t keptTicks = 0;
};

TEST_F(PercussionDialogTest, TheDialogHasEveryControlWithItsHint) {
    Store(u"Jazz", kHeadKindOval, 0, u"RideBell");
    std::vector<std::u16string> sets, instruments;
    std::vector<std::pair<uint32_t, std::u16string>> hints;
    int32_t position = 0;
    EXPECT_EQ(Run([&](cDialogBox &d) {
                  for (uint32_t id : {106, 111, 101, 102, 103, 104, 105, 109, 107, 110, 112}) {
                      cGuiControl *control = d.FindControl(id);
                      ASSERT_NE(control, nullptr) << id;
                      hints.emplace_back(id, control->GetHint());
                  }
                  ASSERT_NE(dynamic_cast<cPercussionSetup::cPercOwnerDraw *>(d.FindControl(108)), nullptr);
                  EXPECT_EQ(d.FindControl(107)->GetBuddy(), d.FindControl(108));
                  sets = Sets(d).Item().entries;
                  instruments = Instruments(d).Item().entries;
                  position = d.FindControl(107)->GetValueInt();
                  EXPECT_EQ(d.FindControl(101)->Item().checked, 1u);
                  d.Command(2);
              }),
              0);
    EXPECT_EQ(templateId, 1027u);
    EXPECT_EQ(helpTopic, 1046u);
    EXPECT_EQ(sets, std::vector<std::u16string>{u"Jazz"});
    ASSERT_EQ(instruments.size(), 48u);
    EXPECT_EQ(instruments[0], u"  --  ");
    EXPECT_EQ(instruments[kHighTomLine], u"HighTom");
    EXPECT_EQ(position, 60);
    const std::vector<std::pair<uint32_t, std::u16string>> expected = {
        {106, u"Instrument sets"},   {111, u"Delete instrument set"},
        {101, u"Oval note head"},    {102, u"Diamond note head"},
        {103, u"Triangle note head"}, {104, u"Cross note head"},
        {105, u"Circled cross note head"}, {109, u"Select instrument"},
        {107, u"Move the slider to select position"}, {110, u"Add instrument"},
        {112, u"Remove instrument"},
    };
    EXPECT_EQ(hints, expected);
}

TEST_F(PercussionDialogTest, WithoutSetsTheDialogOffersANewOne) {
    std::vector<std::u16string> sets;
    Run([&](cDialogBox &d) {
        sets = Sets(d).Item().entries;
        d.Command(2);
    });
    EXPECT_EQ(sets, std::vector<std::u16string>{u"New Percussion Set"});
    EXPECT_EQ(SetsText(), u"");
}

TEST_F(PercussionDialogTest, ATypedNameMakesTheSetAtTheFirstEvent) {
    Store(u"Jazz", kHeadKindOval, 0, u"RideBell");
    bool before = true, after = false;
    std::vector<std::u16string> sets;
    int32_t shown = -1;
    Run([&](cDialogBox &d) {
        Type(d, u"Rock");
        before = cPercussionSetup::FindSetNode(u"Rock", kHeadKindOval, 0) != nullptr;
        d.Command(104);
        after = cPercussionSetup::FindSetNode(u"Rock", kHeadKindCross, 0) != nullptr;
        sets = Sets(d).Item().entries;
        shown = Sets(d).Item().selection;
        d.Command(1);
    });
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
    EXPECT_EQ(sets, (std::vector<std::u16string>{u"Jazz", u"Rock"}));
    EXPECT_EQ(shown, 1);
    // OK keeps it, with nothing stored yet, and compiles every set.
    EXPECT_NE(cPercussionSetup::FindSetNode(u"Rock", kHeadKindCross, 0), nullptr);
    ASSERT_EQ(gPercussionSets.size(), 2u);
    EXPECT_EQ(gPercussionSets[0]->name, u"Jazz");
    EXPECT_EQ(gPercussionSets[1]->name, u"Rock");
}

TEST_F(PercussionDialogTest, AddStoresTheInstrumentAtTheSliderAndOkCompilesIt) {
    struct sCase {
        int32_t slider;
        int32_t position;
    };
    for (const sCase &c : {sCase{60, 0}, sCase{58, 2}, sCase{35, 25}, sCase{81, -21}}) {
        SCOPED_TRACE(c.slider);
        ClearSets();
        Run([&](cDialogBox &d) {
            Type(d, u"Rock");
            d.Command(104);
            if (c.slider != 60) Slide(d, c.slider);
            Pick(d, kHighTomLine);
            d.Command(110);
            d.Command(1);
        });
        EXPECT_EQ(endCode, 1);
        EXPECT_EQ(Stored(u"Rock", kHeadKindCross, c.position), u"HighTom");
        EXPECT_EQ(Stored(u"Rock", kHeadKindOval, c.position), u"");
        // Positions beyond the table stay in the settings without sounding.
        const int32_t mapped = c.position <= cPercussionSetup::kHighestPosition ? -10 : c.position;
        EXPECT_EQ(cPercussionSetup::MapPosition(c.position, 48, u"Rock"), mapped);
        EXPECT_EQ(cPercussionSetup::MapPosition(c.position, 43, u"Rock"), c.position);
        // The settings file was written on OK.
        EXPECT_EQ(StoredInFile(u"Rock", u"Cross", c.position), u"HighTom");
    }
}

TEST_F(PercussionDialogTest, TheInstrumentListShowsWhatTheSetStoresAtTheSlider) {
    Store(u"Rock", kHeadKindCross, 0, u"HighTom");
    Store(u"Rock", kHeadKindCross, 2, u"cowbell");
    Store(u"Rock", kHeadKindOval, 0, u"Kazoo");
    std::vector<int32_t> shown;
    Run([&](cDialogBox &d) {
        auto selection = [&] { shown.push_back(Instruments(d).Item().selection); };
        d.Command(104);  // Cross at 60
        selection();
        Slide(d, 58);  // position 2, any case
        selection();
        Slide(d, 59);  // nothing stored
        selection();
        Slide(d, 60);
        d.Command(101);  // Oval: an unknown name shows the first line
        selection();
        d.Command(104);
        d.Command(112);  // Remove
        selection();
        d.Command(2);
    });
    EXPECT_EQ(shown, (std::vector<int32_t>{kHighTomLine, kCowbellLine, 0, 0, 0}));
    // Cancel brought the removed entry back.
    EXPECT_EQ(Stored(u"Rock", kHeadKindCross, 0), u"HighTom");
}

TEST_F(PercussionDialogTest, RemoveTakesTheEntryOutAndDeleteNeedsASecondSet) {
    Store(u"Rock", kHeadKindCross, 0, u"HighTom");
    Store(u"Rock", kHeadKindCross, 1, u"Claves");
    std::vector<std::u16string> afterRefusal, afterDelete;
    Run([&](cDialogBox &d) {
        d.Command(104);
        d.Command(112);
        d.Command(111);  // the only set: refused
        afterRefusal = Sets(d).Item().entries;
        Type(d, u"Jazz");
        d.Command(101);
        Sets(d).Item().selection = 0;  // Rock
        d.Command(106, 1);
        d.Command(111);
        afterDelete = Sets(d).Item().entries;
        d.Command(1);
    });
    EXPECT_EQ(afterRefusal, std::vector<std::u16string>{u"Rock"});
    EXPECT_EQ(afterDelete, std::vector<std::u16string>{u"Jazz"});
    EXPECT_EQ(cPercussionSetup::FindSetNode(u"Rock", kHeadKindCross, 0), nullptr);
    ASSERT_EQ(gPercussionSets.size(), 1u);
    EXPECT_EQ(gPercussionSets[0]->name, u"Jazz");
}

TEST_F(PercussionDialogTest, CancelPutsTheSetsBackAlsoWhenTheSaveBeforeFailed) {
    struct sCase {
        const char *name;
        std::u16string fileName;  // relative to the test folder; "-" for none
    };
    const sCase cases[] = {
        {"saved", u"PelmoraSetup.ini"},
        {"unwritable", u"no such folder\\PelmoraSetup.ini"},
        {"unnamed", u"-"},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        ClearSets();
        Settings().SetFileName(c.fileName == u"-" ? u"" : (folder + c.fileName).c_str());
        Store(u"Jazz", kHeadKindOval, 0, u"RideBell");
        Store(u"Rock", kHeadKindCross, 0, u"HighTom");
        Store(u"Waltz", kHeadKindDiamond, -3, u"Claves");
        Settings().SetValue(u"Sound", u"1");
        const std::u16string before = SetsText();
        const std::string fileBefore = c.fileName == u"-" ? "" : test::ReadFileBytes(folder + c.fileName);
        Run([&](cDialogBox &d) {
            Type(d, u"Polka");
            d.Command(103);
            Pick(d, kCowbellLine);
            d.Command(110);
            Sets(d).Item().selection = 0;  // Jazz, from Jazz, Rock, Waltz, Polka
            d.Command(106, 1);
            d.Command(101);
            d.Command(112);
            Sets(d).Item().selection = 1;  // Rock
            d.Command(106, 1);
            d.Command(111);
            Settings().SetValue(u"Sound", u"0");  // not a set: Cancel leaves it
            d.Command(2);
        });
        EXPECT_EQ(endCode, 2);
        EXPECT_EQ(SetsText(), before);
        EXPECT_EQ(std::u16string(Settings().GetValue(u"Sound")), u"0");
        EXPECT_TRUE(gPercussionSets.empty());
        if (c.fileName == u"PelmoraSetup.ini") {
            // The file written at opening holds the state before the dialog.
            EXPECT_EQ(StoredInFile(u"Rock", u"Cross", 0), u"HighTom");
            EXPECT_EQ(StoredInFile(u"Polka", u"Triangle", 0), u"");
        } else if (c.fileName != u"-") {
            EXPECT_EQ(test::ReadFileBytes(folder + c.fileName), fileBefore);
        }
    }
}

TEST_F(PercussionDialogTest, ChoosingAnInstrumentSoundsItOnThePlayer) {
    Store(u"Rock", kHeadKindOval, 0, u"HighTom");
    {
        // No player: the choice is kept and nothing sounds.
        int32_t chosen = -1;
        Run([&](cDialogBox &d) {
            Pick(d, kHighTomLine);
            chosen = Instruments(d).Item().selection;
            d.Command(2);
        });
        EXPECT_EQ(chosen, kHighTomLine);
    }
    struct sCase {
        int32_t line;
        int32_t key;  // 0: nothing sounds
    };
    for (const sCase &c : {sCase{kHighTomLine, 50}, sCase{1, 35}, sCase{47, 81}, sCase{0, 0}}) {
        SCOPED_TRACE(c.line);
        test::cRecordingMusicTrack player(96);
        gTicksPerQuarter = 96;
        Run(
            [&](cDialogBox &d) {
                Pick(d, c.line);
                d.Command(2);
            },
            &player);
        if (!c.key) {
            EXPECT_TRUE(player.events.empty());
            continue;
        }
        const std::vector<std::string> expected = {
            "tempo 120", "program 0 0", "channel 9",
            "note " + std::to_string(SemitoneToPitch(c.key - 60, 0)) + " 0 240", "end"};
        EXPECT_EQ(player.events, expected);
        EXPECT_EQ(gTicksPerQuarter, 480u);
    }
}

TEST_F(PercussionDialogTest, ThePreviewDrawsTheStaffTheClefLedgerLinesAndTheHead) {
    struct sCase {
        int32_t slider;
        uint32_t radio;
        size_t ledgers;
    };
    // (v - 60) / 2 truncates toward zero: 55 and 65 need none.
    const sCase cases[] = {{60, 101, 0}, {35, 104, 10}, {81, 102, 8}, {55, 101, 0}, {65, 105, 0}, {54, 103, 1}};
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.slider);
        std::vector<sDrawRecord> drawn;
        Run([&](cDialogBox &d) {
            d.Command(c.radio);
            if (c.slider != 60) Slide(d, c.slider);
            auto *preview = dynamic_cast<cPercussionSetup::cPercOwnerDraw *>(d.FindControl(108));
            ASSERT_NE(preview, nullptr);
            EXPECT_EQ(preview->GetDrawValue(), c.slider);
            preview->ClearRecords();
            sDeviceBox area{0, 0, 120, 240};
            sWinMessage record(kMsgDrawItem, 108, reinterpret_cast<tLParam>(&area));
            preview->OnPaint(record);
            drawn = preview->Records();
            d.Command(2);
        });
        const int32_t s = cStaffBase::CurrentLineSpacing();
        std::vector<std::vector<int32_t>> staff, ledgers;
        for (const sDrawRecord &r : drawn)
            if (r.op == "DrawLine") (r.args[0] == 0 ? staff : ledgers).push_back(r.args);
        ASSERT_EQ(staff.size(), 5u);
        for (int32_t i = 0; i < 5; ++i)
            EXPECT_EQ(staff[size_t(i)], (std::vector<int32_t>{0, 120 + (i - 2) * s, 120, 120 + (i - 2) * s}));
        EXPECT_EQ(ledgers.size(), c.ledgers);
        for (const auto &l : ledgers) {
            EXPECT_EQ(l[0], 54);
            EXPECT_EQ(l[2], 66);
            EXPECT_GT(std::abs(l[1] - 120), 2 * s);
        }
        EXPECT_FALSE(drawn.empty());
        if (!drawn.empty()) {
            EXPECT_EQ(drawn.front().op, "EraseRect");
        }
    }
}

}  // namespace
