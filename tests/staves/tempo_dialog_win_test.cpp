// The "Set Tempo" dialog under the window system, built from the program's
// template on a hidden window.  At the init event of its last control the
// test plays the user: it drags the slider, clicks "Play Repeats", then
// presses OK or Cancel (a thread timer cancels a dialog that never ends, so
// a failure cannot hang).
#include <gtest/gtest.h>

#include <string>

#include "foundation/win32_win.h"
#include "staves/score_object.h"
#include "staves/tempo_dialog.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/hidden_score_top_win.h"
#include "ui/dialog_box.h"

namespace {

// What the user does in the dialog and what it showed.
struct sUser {
    int32_t slideTo = 0;  // 0: leave the slider
    bool clickRepeats = false;
    bool cancel = false;
    // Seen at the start.
    std::wstring text;
    int32_t checked = -1;
    int32_t opened = 0;
};
sUser gUser;

int32_t PlayUser(uint32_t id, int32_t code, cMessageDvcBase *device, uint32_t) {
    auto *dialog = dynamic_cast<cDialogBoxBase *>(device);
    if (!dialog || code != kDialogEventInit) return code == kDialogEventClose ? RC_OK : RC_FAIL;
    HWND window = dialog->GetWindowHandle();
    if (dialog->GetTemplateId() == 1006 && id == 103) {
        ++gUser.opened;
        test::cDialogSafety::Watch(window);
        gUser.text = test::DialogItemText(window, 101);
        gUser.checked = int32_t(SendDlgItemMessageW(window, 103, BM_GETCHECK, 0, 0));
        // Posted in this order, so they run in it.
        if (gUser.slideTo)
            PostMessageW(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, gUser.slideTo - 40),
                         LPARAM(GetDlgItem(window, 102)));
        if (gUser.clickRepeats) PostMessageW(GetDlgItem(window, 103), BM_CLICK, 0, 0);
        PostMessageW(GetDlgItem(window, gUser.cancel ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
    }
    return RC_FAIL;
}

class TempoDialogWin : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        gUser = sUser();
        Build();
        cPObjBase::SetCurrentWindow(&top);
    }
    test::cHiddenScoreTop top{u"TempoTop", PlayUser};
    test::cDialogSafety safety;
};

TEST_F(TempoDialogWin, OkStoresTheSliderAndTheBoxCancelKeepsBoth) {
    struct sCase {
        uint16_t tempo;
        uint8_t repeats;
        int32_t slideTo;
        bool clickRepeats, cancel;
        uint16_t tempoAfter;
        uint8_t repeatsAfter;
    };
    const sCase cases[] = {
        {120, 1, 60, true, false, 60, 0},
        {120, 1, 60, true, true, 120, 1},
        {90, 0, 0, true, false, 90, 1},
        {150, 1, 0, false, false, 150, 1},
    };
    for (const sCase &c : cases) {
        gUser = sUser();
        gUser.slideTo = c.slideTo;
        gUser.clickRepeats = c.clickRepeats;
        gUser.cancel = c.cancel;
        ScoreObject score;
        score.SetTempo(c.tempo);
        score.SetPlayRepeats(c.repeats);
        const std::string label = std::to_string(c.tempo) + " -> " + std::to_string(c.slideTo);
        EXPECT_EQ(score.TempoDialog(0), c.tempo) << label;
        EXPECT_EQ(gUser.opened, 1) << label;
        EXPECT_EQ(top.lastTemplate, 1006u);
        EXPECT_EQ(gUser.text, std::to_wstring(c.tempo)) << label;
        EXPECT_EQ(gUser.checked, c.repeats) << label;
        EXPECT_EQ(score.GetTempo(), c.tempoAfter) << label;
        EXPECT_EQ(score.GetPlayRepeats(), c.repeatsAfter) << label;
    }
}

}  // namespace
