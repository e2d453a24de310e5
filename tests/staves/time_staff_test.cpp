// Time signatures and rests in real staffs: a time signature dropped into a
// staff stands on its middle line and becomes what new staffs start with;
// the first one sets the staff's own start; a walk over the staff keeps the
// measure length of the staff's start while the running word follows the
// time signatures met; the staff's free time signature takes the numbers
// asked for; and a rest holds the next note back by its duration.
#include <gtest/gtest.h>

#include "document/music_commands.h"
#include "midi/music_track.h"
#include "tests/staves/staff_fixture.h"

namespace {

class TimeInStaff : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        Build();
        TimeC::SetClassTempo(0);
    }

    // A staff at y 100 that owns what is put into it.
    StaffObject *NewStaff() {
        auto *staff = new StaffObject;
        staff->SetPosition(staff->GetX(), 100);
        return staff;
    }

    cPObjPoint *Put(StaffObject *staff, int16_t id, int32_t px, int32_t py = 3) {
        cPObjPoint *symbol = cPObjBase::NewById(id);
        symbol->SetPosition(px, py);
        EXPECT_TRUE(staff->InsertChild(symbol)) << id;
        return symbol;
    }
};

TEST_F(TimeInStaff, ATimeSignatureStandsOnTheMiddleLineAndStartsNewStaffs) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    const int32_t middle = 100 + 2 * staff->LineSpacing();
    cPObjPoint *first = Put(staff.get(), Time34::kClassId, 80, 7);
    EXPECT_EQ(first->GetY(), middle);
    EXPECT_EQ(gStaffDefaultTime, 0x302);
    EXPECT_EQ(gMusicState.timeWord, 0x302);
    EXPECT_EQ(staff->GetStartTimeWord(), 0x302);

    // A later one changes the default for new staffs, not this staff's start.
    cPObjPoint *later = Put(staff.get(), TimeC2::kClassId, 300, 250);
    EXPECT_EQ(later->GetY(), middle);
    EXPECT_EQ(gStaffDefaultTime, 0x202);
    EXPECT_EQ(staff->GetStartTimeWord(), 0x302);
    std::unique_ptr<StaffObject> next(NewStaff());
    EXPECT_EQ(next->GetStartTimeWord(), 0x202);
}

TEST_F(TimeInStaff, AWalkKeepsTheStartsMeasureAndFollowsTheRunningWord) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    Put(staff.get(), Time34::kClassId, 80);
    Put(staff.get(), Time68::kClassId, 200);
    auto *any = dynamic_cast<TimeAny *>(Put(staff.get(), TimeAny::kClassId, 320));
    ASSERT_TRUE(any);
    any->SetNumbers(7, 3);

    struct sCase {
        int32_t limitX;
        uint16_t word;
    };
    for (const sCase &c : {sCase{150, 0x302}, sCase{250, 0x603}, sCase{400, 0x703}}) {
        gMusicState = sMusicState();
        staff->RunContext(c.limitX, -1, nullptr);
        EXPECT_EQ(gMusicState.timeWord, c.word) << c.limitX;
        // 3/4 from the staff's start: 1440 ticks a measure.
        EXPECT_EQ(gMusicState.measureLength, 1440) << c.limitX;
        EXPECT_EQ(gStaffDefaultTime, c.word) << c.limitX;
    }
}

TEST_F(TimeInStaff, TheStaffsFreeTimeSignatureTakesTheNumbersAskedFor) {
    std::unique_ptr<StaffObject> staff(NewStaff());
    auto *time = dynamic_cast<TimeAny *>(staff->InsertTimeSignature(90, 7, 3));
    ASSERT_TRUE(time);
    EXPECT_EQ(time->GetTimeWord(), 0x703);
    EXPECT_EQ(gMusicState.timeWord, 0x703);
    EXPECT_EQ(time->FindOwner(0, 0), staff.get());
}

TEST_F(TimeInStaff, ARestHoldsTheNextNoteBackByItsDuration) {
    struct sCase {
        bool withRest;
        int32_t secondNoteTime;
    };
    for (const sCase &c : {sCase{false, 480}, sCase{true, 960}}) {
        ScoreObject score;
        StaffObject *staff = NewStaff();
        staff->SetOwner(&score);
        score.AddChild(staff);
        Put(staff, Note14::kClassId, 100, 112);
        if (c.withRest) Put(staff, Rest14::kClassId, 160, 112);
        Put(staff, Note14::kClassId, 220, 112);

        cMusicBase::sCmdExport record;
        staff->RunContext(300, -1, &record);
        EXPECT_EQ(gMusicState.currentTime, c.secondNoteTime) << c.withRest;
        EXPECT_EQ(gMusicState.lastX, 220);
    }
}

}  // namespace
