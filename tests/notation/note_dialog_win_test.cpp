// The note-head dialog under the window system, built from the program's
// template on a hidden window.  The window hands the dialog an event handler
// that, at the init event of its last control, clicks the chosen kind's
// button and then OK (a thread timer cancels a dialog that never ends).
// With PELMORA_HOLD_DIALOG set in the environment the handler leaves the
// dialog up until that timer cancels it, so that it can be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "document/music_commands.h"
#include "foundation/win32_win.h"
#include "notation/symbol_classes.h"
#include "tests/document/symbol_fixture.h"
#include "tests/support/hidden_score_top_win.h"
#include "ui/dialog_box.h"

namespace {

uint32_t gClick = 0;
bool gPreselected[6] = {};

int32_t PlayUser(uint32_t id, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    if (code != kDialogEventInit || id != 105) return code == kDialogEventClose ? RC_OK : RC_FAIL;
    HWND window = dialog->GetWindowHandle();
    test::cDialogSafety::Watch(window);
    for (int i = 101; i <= 105; ++i) gPreselected[i - 100] = IsDlgButtonChecked(window, i) == BST_CHECKED;
    if (gClick) PostMessageW(GetDlgItem(window, int(gClick)), BM_CLICK, 0, 0);
    if (!std::getenv("PELMORA_HOLD_DIALOG")) PostMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    return RC_FAIL;
}

class NoteDialogTest : public test::SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        gClick = 0;
        cPObjBase::SetCurrentWindow(&top);
    }
    test::cHiddenScoreTop top{u"NoteDialogTop", PlayUser};
    test::cDialogSafety safety;
};

TEST_F(NoteDialogTest, TheDialogStoresTheChosenHead) {
    struct sCase {
        int16_t head, classId;
        uint32_t click;
        int preselected;
        int16_t result;
    };
    const sCase cases[] = {
        {43, 25, 102, 1, 56}, {46, 28, 103, 1, 51}, {29, 29, 104, 1, 48}, {57, 26, 105, 2, 59}, {52, 27, 101, 3, 45},
    };
    std::unique_ptr<Note14> note(new Note14);
    for (const sCase &c : cases) {
        gClick = c.click;
        cMusicBase::sCmdSetNoteHead record(c.head, c.classId);
        const int32_t answer = note->Setup(&record);
        EXPECT_EQ(top.lastTemplate, 1026u);
        EXPECT_TRUE(gPreselected[c.preselected]) << c.head;
        if (std::getenv("PELMORA_HOLD_DIALOG")) continue;
        EXPECT_EQ(answer, 1) << c.head;
        EXPECT_EQ(record.headGlyph, c.result) << c.head << " " << c.click;
    }
}

}  // namespace
