// The time signatures' set-up dialogs without a window system: a script
// plays the user in the numbers dialog of the free time signature and in
// the tempo dialog that follows it (or stands alone for the fixed ones).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/music_commands.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/dialog_script.h"
#include "ui/dialog_box.h"
#include "ui/list_controls.h"
#include "ui/scroll_controls.h"

namespace {

constexpr uint32_t kOk = 1, kCancel = 2;

class TimeDialogs : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        Build();
    }
};

// What the tempo dialog showed and what the user did in it.
struct sTempoUser {
    bool tick = false;     // click "keep" once
    bool tickTwice = false;
    int32_t slideTo = 0;   // 0: leave the slider
    uint32_t end = kOk;
    // Seen.
    uint32_t templateId = 0;
    uint32_t helpTopic = 0;
    bool greyedAtStart = false;
    int32_t sliderAfterTick = -1;
    std::u16string textAfterTick;
    bool greyedAfterTick = false;
};

void PlayTempo(cDialogBox &d, sTempoUser &u) {
    u.templateId = d.GetTemplateId();
    u.helpTopic = d.GetHelpTopic();
    u.greyedAtStart = !d.FindControl(102)->IsEnabled() && !d.FindControl(101)->IsEnabled();
    if (u.tick || u.tickTwice) {
        d.Command(26728);
        u.sliderAfterTick = d.GetControlInt(102);
        const char16_t *text = d.GetControlText(101);
        u.textAfterTick = text ? text : u"";
        u.greyedAfterTick = !d.FindControl(102)->IsEnabled();
    }
    if (u.tickTwice) d.Command(26728);
    if (u.slideTo) {
        cGuiControl *slider = d.FindControl(102);
        sWinMessage record(kMsgHScroll, tWParam(uint32_t(u.slideTo - 40) << 16 | 4),
                           reinterpret_cast<tLParam>(slider->GetWindowHandle()));
        slider->OnMessage(kMsgHScroll, record);
    }
    d.Command(u.end);
}

TEST_F(TimeDialogs, TheTempoDialogKeepsOrChangesTheTempo) {
    struct sCase {
        uint16_t start;
        bool tick, tickTwice;
        int32_t slideTo;
        uint32_t end;
        int32_t answer;
        uint16_t tempo;
    };
    const sCase cases[] = {
        {0, true, false, 0, kOk, 1, 100},      // unticking "keep" frees the slider at 100
        {0, true, false, 150, kOk, 1, 150},    // then the slider chooses
        {0, true, true, 0, kOk, 1, 0},         // ticked again: keep, stored as 0
        {90, false, false, 0, kOk, 1, 90},     // nothing touched
        {90, true, false, 0, kOk, 1, 0},       // ticking "keep" stores 0
        {90, false, false, 200, kOk, 1, 200},  // a new tempo
        {90, false, false, 200, kCancel, 0, 90},
    };
    for (const sCase &c : cases) {
        sTempoUser user;
        user.tick = c.tick;
        user.tickTwice = c.tickTwice;
        user.slideTo = c.slideTo;
        user.end = c.end;
        test::ScriptScope scope([&](cDialogBox &d) { PlayTempo(d, user); });
        std::unique_ptr<TimeC> time(dynamic_cast<TimeC *>(cPObjBase::NewById(Time44::kClassId)));
        TimeC::sCmdSetupTimeC record;
        record.tempo = c.start;
        EXPECT_EQ(time->Setup(&record), c.answer) << c.start << " " << c.tick << c.tickTwice << " " << c.slideTo;
        EXPECT_EQ(record.tempo, c.tempo) << c.start << " " << c.tick << c.tickTwice << " " << c.slideTo;
        EXPECT_EQ(user.templateId, 1017u);
        EXPECT_EQ(user.helpTopic, 1050u);
        EXPECT_EQ(user.greyedAtStart, c.start == 0);
        if (c.tick && c.start == 0) {
            EXPECT_EQ(user.sliderAfterTick, 100);
            EXPECT_EQ(user.textAfterTick, u"100");
            EXPECT_FALSE(user.greyedAfterTick);
        }
        if (c.tick && c.start != 0) {
            EXPECT_TRUE(user.greyedAfterTick);
        }
    }
}

TEST_F(TimeDialogs, TheFreeTimeSignatureAsksForItsNumbersThenItsTempo) {
    struct sCase {
        int32_t top, bottom;  // entries picked
        uint32_t numbersEnd;
        uint32_t tempoEnd;
        int32_t answer;
        uint8_t numerator, log2;
    };
    const sCase cases[] = {
        {5, 2, kOk, kOk, 1, 7, 3},          // 7/8
        {0, 0, kOk, kOk, 1, 2, 1},          // 2/2
        {5, 2, kCancel, kOk, 1, 5, 2},      // numbers cancelled: the tempo still asked
        {5, 2, kOk, kCancel, 0, 7, 3},      // tempo cancelled: the whole set-up is
    };
    for (const sCase &c : cases) {
        std::vector<uint32_t> templates;
        std::vector<std::u16string> tops, bottoms;
        int32_t shownTop = -1, shownBottom = -1;
        sTempoUser tempo;
        tempo.end = c.tempoEnd;
        test::ScriptScope scope([&](cDialogBox &d) {
            templates.push_back(d.GetTemplateId());
            if (d.GetTemplateId() != 1011) {
                PlayTempo(d, tempo);
                return;
            }
            auto *top = dynamic_cast<cComboBox *>(d.FindControl(101));
            auto *bottom = dynamic_cast<cComboBox *>(d.FindControl(102));
            ASSERT_TRUE(top && bottom);
            tops = top->Item().entries;
            bottoms = bottom->Item().entries;
            shownTop = top->Item().selection;
            shownBottom = bottom->Item().selection;
            top->Item().selection = c.top;
            bottom->Item().selection = c.bottom;
            d.Command(c.numbersEnd);
        });
        std::unique_ptr<TimeAny> time(dynamic_cast<TimeAny *>(cPObjBase::NewById(TimeAny::kClassId)));
        std::unique_ptr<sCommandPrm> fetched(time->GetObjectSetup(nullptr));
        auto &record = dynamic_cast<TimeAny::sCmdSetupTimeAny &>(*fetched);
        EXPECT_EQ(time->Setup(&record), c.answer);
        EXPECT_EQ(templates, (std::vector<uint32_t>{1011, 1017}));
        EXPECT_EQ(tops, (std::vector<std::u16string>{u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"}));
        EXPECT_EQ(bottoms, (std::vector<std::u16string>{u"2", u"4", u"8"}));
        // 5/4 shows as the entries "5" and "4".
        EXPECT_EQ(shownTop, 3);
        EXPECT_EQ(shownBottom, 1);
        EXPECT_EQ(record.numerator, c.numerator);
        EXPECT_EQ(record.log2Denominator, c.log2);
        if (c.answer) {
            EXPECT_EQ(time->SetObjectSetup(&record), 0);
            EXPECT_EQ(time->GetTimeWord(), uint16_t(c.numerator << 8 | c.log2));
        }
    }
}

TEST_F(TimeDialogs, OnlyTheirOwnRecordsOpenTheDialogs) {
    int32_t opened = 0;
    test::ScriptScope scope([&](cDialogBox &d) {
        ++opened;
        d.Command(kOk);
    });
    std::unique_ptr<TimeC> time(dynamic_cast<TimeC *>(cPObjBase::NewById(Time24::kClassId)));
    std::unique_ptr<TimeAny> any(dynamic_cast<TimeAny *>(cPObjBase::NewById(TimeAny::kClassId)));
    TimeC::sCmdSetupTimeC plain;
    cLineObject::sCmdSetupLine line;
    EXPECT_EQ(any->Setup(&plain), 0);  // the free one needs its numbers' record
    EXPECT_EQ(time->Setup(&line), 0);
    EXPECT_EQ(any->Setup(&line), 0);
    EXPECT_EQ(opened, 0);
    // The class set-up of a fixed time signature: the tempo dialog alone.
    EXPECT_EQ(time->RunClassSetup(nullptr), 0);
    EXPECT_EQ(opened, 1);
}

}  // namespace
