// The score's tempo without the dialog: a tempo other than 0 is simply
// taken, and without a score window to open the dialog in nothing changes.
#include <gtest/gtest.h>

#include "staves/tempo_dialog.h"
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
        sScoreTempo score;
        score.tempo = c.stored;
        score.playRepeats = 0;
        EXPECT_EQ(TempoDialog(score, c.given), c.answer) << c.stored << " " << c.given;
        EXPECT_EQ(score.tempo, c.after) << c.stored << " " << c.given;
        EXPECT_EQ(score.playRepeats, 0) << "the switch is the dialog's alone";
    }
}

TEST_F(TempoDialogDirect, WithoutAScoreWindowNothingChanges) {
    cPObjBase::SetCurrentWindow(nullptr);
    sScoreTempo score;
    score.tempo = 90;
    score.playRepeats = 1;
    EXPECT_EQ(TempoDialog(score, 0), 90);
    EXPECT_EQ(score.tempo, 90);
    EXPECT_EQ(score.playRepeats, 1);
}

}  // namespace
