// The time signatures' set-up dialogs under the window system, built from
// the program's templates on a hidden window.  At the init event of each
// dialog's last control the test plays the user: it picks the numbers of a
// free time signature, or ticks "keep" in the tempo dialog, then presses OK
// (a thread timer cancels a dialog that never ends, so a failure cannot
// hang).
#include <gtest/gtest.h>

#include <vector>

#include "document/music_commands.h"
#include "foundation/win32_win.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/hidden_score_top_win.h"
#include "ui/dialog_box.h"

namespace {

// What the user does in the next dialogs.
struct sUser {
    int32_t top = -1, bottom = -1;  // entries of the numbers dialog; -1 leave
    bool cancelNumbers = false;
    bool clickKeep = false;
    // The dialogs the user acted in.
    std::vector<uint32_t> templates;
};
sUser gUser;

int32_t PlayUser(uint32_t id, int32_t code, cMessageDvcBase *device, uint32_t) {
    auto *dialog = dynamic_cast<cDialogBoxBase *>(device);
    if (!dialog || code != kDialogEventInit) return code == kDialogEventClose ? RC_OK : RC_FAIL;
    const uint32_t templateId = dialog->GetTemplateId();
    HWND window = dialog->GetWindowHandle();
    if (templateId == 1011 && id == 102) {
        gUser.templates.push_back(templateId);
        test::cDialogSafety::Watch(window);
        if (gUser.top >= 0) SendDlgItemMessageW(window, 101, CB_SETCURSEL, WPARAM(gUser.top), 0);
        if (gUser.bottom >= 0) SendDlgItemMessageW(window, 102, CB_SETCURSEL, WPARAM(gUser.bottom), 0);
        PostMessageW(GetDlgItem(window, gUser.cancelNumbers ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
    }
    if (templateId == 1017 && id == 26728) {
        gUser.templates.push_back(templateId);
        test::cDialogSafety::Watch(window);
        // The click runs before OK: both are posted, in this order.
        if (gUser.clickKeep) PostMessageW(GetDlgItem(window, 26728), BM_CLICK, 0, 0);
        PostMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    }
    return RC_FAIL;
}

class TimeDialogsWin : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        gUser = sUser();
        Build();
        cPObjBase::SetCurrentWindow(&top);
    }
    test::cHiddenScoreTop top{u"TimeTop", PlayUser};
    test::cDialogSafety safety;
};

TEST_F(TimeDialogsWin, TheTempoDialogStoresTheTempoOrNone) {
    struct sCase {
        uint16_t start;
        bool clickKeep;
        uint16_t tempo;
    };
    // Unticking "keep" frees the slider at 100; ticking it stores 0.
    for (const sCase &c : {sCase{0, true, 100}, sCase{90, false, 90}, sCase{90, true, 0}, sCase{0, false, 0}}) {
        gUser = sUser();
        gUser.clickKeep = c.clickKeep;
        std::unique_ptr<TimeC> time(dynamic_cast<TimeC *>(cPObjBase::NewById(Time34::kClassId)));
        TimeC::sCmdSetupTimeC record;
        record.tempo = c.start;
        EXPECT_EQ(time->Setup(&record), 1) << c.start << " " << c.clickKeep;
        EXPECT_EQ(record.tempo, c.tempo) << c.start << " " << c.clickKeep;
        EXPECT_EQ(gUser.templates, (std::vector<uint32_t>{1017}));
        EXPECT_EQ(top.lastTemplate, 1017u);
    }
}

TEST_F(TimeDialogsWin, TheFreeTimeSignatureStoresItsNumbersAndTempo) {
    struct sCase {
        int32_t top, bottom;
        bool cancelNumbers;
        uint16_t word;
    };
    for (const sCase &c : {sCase{5, 2, false, 0x703}, sCase{0, 0, false, 0x201}, sCase{5, 2, true, 0x502}}) {
        gUser = sUser();
        gUser.top = c.top;
        gUser.bottom = c.bottom;
        gUser.cancelNumbers = c.cancelNumbers;
        gUser.clickKeep = true;  // from 0: the slider comes free at 100
        std::unique_ptr<TimeAny> time(dynamic_cast<TimeAny *>(cPObjBase::NewById(TimeAny::kClassId)));
        std::unique_ptr<sCommandPrm> fetched(time->GetObjectSetup(nullptr));
        auto &record = dynamic_cast<TimeAny::sCmdSetupTimeAny &>(*fetched);
        EXPECT_EQ(time->Setup(&record), 1);
        EXPECT_EQ(gUser.templates, (std::vector<uint32_t>{1011, 1017}));
        EXPECT_EQ(time->SetObjectSetup(&record), 0);
        EXPECT_EQ(time->GetTimeWord(), c.word) << c.top << "/" << c.bottom;
        EXPECT_EQ(time->GetTempo(), 100);
    }
}

}  // namespace
