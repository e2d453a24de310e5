// The score's tempo without the dialog: a tempo other than 0 is simply
// taken, and without a score window to open the dialog in nothing changes.
#include <gtest/gtest.h>

#include "staves/score_object.h"
#include "tests/staves/staff_fixture.h"

namespace {

class TempoDialogDirect : public test::StaffTest {};

TEST_F(TempoDialogDirect, ATempoIsTakenWithoutADialog) {
    struct sCase {
        uint16_t stored, given, answer, after;
    };
    const sCase cases[] = {
        {120, 150, 120, 150},
        {150, 40, 150, 40},
        {300, 90, 300, 90},  // a stored tempo off the slider's range is still answered
        {120, 1000, 120, 1000},
    };
    for (const sCase &c : cases) {
        ScoreObject score;
        score.SetTempo(c.stored);
        score.SetPlayRepeats(0);
        EXPECT_EQ(score.TempoDialog(c.given), c.answer) << c.stored << " " << c.given;
        EXPECT_EQ(score.GetTempo(), c.after) << c.stored << " " << c.given;
        EXPECT_EQ(score.GetPlayRepeats(), 0) << "the switch is the dialog's alone";
    }
}

TEST_F(TempoDialogDirect, WithoutAScoreWindowNothingChanges) {
    cPObjBase::SetCurrentWindow(nullptr);
    ScoreObject score;
    score.SetTempo(90);
    score.SetPlayRepeats(1);
    EXPECT_EQ(score.TempoDialog(0), 90);
    EXPECT_EQ(score.GetTempo(), 90);
    EXPECT_EQ(score.GetPlayRepeats(), 1);
}

}  // namespace
