// The dialog "Setup Percussion Staff" under the window system, from the
// program's template on a hidden window.  The dialog's state plays the user
// at the init event of its last control: it posts the typing, clicks and
// selections, which run once the dialog is up (a thread timer cancels a
// dialog that never ends, so a failure cannot hang).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/win32_win.h"
#include "staves/percussion_sets.h"
#include "tests/staves/percussion_fixture.h"
#include "tests/support/hidden_score_top_win.h"
#include "ui/dialog_box.h"

namespace {

constexpr int kHighTomLine = 16;

// What the user does, and what the dialog showed when it came up.
struct sUser {
    bool typeRock = true;
    int radio = 104;
    int instrumentLine = kHighTomLine;
    int end = IDOK;
    std::vector<std::wstring> classes;  // window class of each control, in kControls order
    std::wstring title;
    std::u16string added;  // what Rock's Cross section held at 0 after Add
};

constexpr int kControls[] = {106, 111, 101, 102, 103, 104, 105, 109, 108, 107, 110, 112, IDOK, IDCANCEL, 9};

class cPlayedSetup : public cPercussionSetup {
public:
    explicit cPlayedSetup(sUser &user) : cPercussionSetup(nullptr), user(user) {}

    int32_t DialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog) override {
        int32_t result = cPercussionSetup::DialogEvent(controlId, code, dialog);
        if (code == kDialogEventInit && controlId == kRemoveButton) Play(dialog->GetWindowHandle());
        if (code == kDialogEventClick && controlId == kAddButton)
            if (cIniFile *node = FindSetNode(u"Rock", kHeadKindCross, 0))
                if (const char16_t *value = node->GetValue(u"Instrument[0]")) user.added = value;
        return result;
    }

private:
    void Play(HWND window) {
        test::cDialogSafety::Watch(window);
        wchar_t text[64] = {};
        GetWindowTextW(window, text, 64);
        user.title = text;
        for (int id : kControls) {
            wchar_t name[64] = {};
            HWND item = GetDlgItem(window, id);
            if (item) GetClassNameW(item, name, 64);
            user.classes.push_back(name);
        }
        if (user.typeRock) {
            // Typed over the whole text in the box's edit field.
            HWND edit = FindWindowExW(GetDlgItem(window, kSetList), nullptr, L"Edit", nullptr);
            PostMessageW(edit, EM_SETSEL, 0, -1);
            for (wchar_t c : std::wstring(L"Rock")) PostMessageW(edit, WM_CHAR, WPARAM(c), 0);
        }
        if (user.radio) PostMessageW(GetDlgItem(window, user.radio), BM_CLICK, 0, 0);
        if (user.instrumentLine >= 0) {
            HWND list = GetDlgItem(window, kInstrumentList);
            PostMessageW(list, LB_SETCURSEL, WPARAM(user.instrumentLine), 0);
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(kInstrumentList, LBN_SELCHANGE), LPARAM(list));
        }
        PostMessageW(GetDlgItem(window, kAddButton), BM_CLICK, 0, 0);
        PostMessageW(GetDlgItem(window, user.end), BM_CLICK, 0, 0);
    }

    sUser &user;
};

int32_t NoUser(uint32_t, int32_t code, cMessageDvcBase *, uint32_t) {
    return code == kDialogEventClose ? RC_OK : RC_FAIL;
}

class PercussionDialogWinTest : public test::PercussionTest {
protected:
    void SetUp() override {
        PercussionTest::SetUp();
        cPObjBase::SetCurrentWindow(&top);
        Build();
        cPObjBase::SetCurrentWindow(&top);
    }
    int32_t Run(sUser &user) {
        cPlayedSetup setup(user);
        return setup.Dialog(&top);
    }

    test::cHiddenScoreTop top{u"PercussionTop", NoUser};
    test::cDialogSafety safety;
};

TEST_F(PercussionDialogWinTest, TheTemplateHasEveryControl) {
    sUser user;
    user.end = IDCANCEL;
    EXPECT_EQ(Run(user), 0);
    EXPECT_EQ(top.lastTemplate, 1027u);
    EXPECT_EQ(user.title, L"Setup Percussion Staff");
    const std::vector<std::wstring> expected = {L"ComboBox", L"Button", L"Button",    L"Button", L"Button",
                                                L"Button",   L"Button", L"ListBox",   L"Static", L"ScrollBar",
                                                L"Button",   L"Button", L"Button",    L"Button", L"Button"};
    ASSERT_EQ(user.classes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(_wcsicmp(user.classes[i].c_str(), expected[i].c_str()), 0) << kControls[i];
}

TEST_F(PercussionDialogWinTest, OkWritesTheNewSetIntoTheSettingsFile) {
    Store(u"Jazz", kHeadKindOval, 0, u"RideBell");
    sUser user;
    EXPECT_EQ(Run(user), 0);
    EXPECT_EQ(user.added, u"HighTom");
    EXPECT_EQ(Stored(u"Rock", kHeadKindCross, 0), u"HighTom");
    EXPECT_EQ(cPercussionSetup::MapPosition(0, 48, u"Rock"), -10);
    EXPECT_EQ(StoredInFile(u"Rock", u"Cross", 0), u"HighTom");
    EXPECT_EQ(StoredInFile(u"Jazz", u"Oval", 0), u"RideBell");
}

TEST_F(PercussionDialogWinTest, CancelLeavesTheSettingsFileByteForByte) {
    Store(u"Jazz", kHeadKindOval, 0, u"RideBell");
    Store(u"Waltz", kHeadKindCross, 0, u"LowTom");
    ASSERT_EQ(Settings().Save(nullptr), RC_OK);
    const std::string before = test::ReadFileBytes(Settings().GetFileName());
    ASSERT_FALSE(before.empty());
    sUser user;
    user.end = IDCANCEL;
    EXPECT_EQ(Run(user), 0);
    EXPECT_EQ(user.added, u"HighTom");
    EXPECT_EQ(test::ReadFileBytes(Settings().GetFileName()), before);
    // The settings in memory are back too: saved again, the file is the same.
    EXPECT_EQ(cPercussionSetup::FindSetNode(u"Rock", kHeadKindCross, 0), nullptr);
    ASSERT_EQ(Settings().Save(nullptr), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(Settings().GetFileName()), before);
    EXPECT_TRUE(gPercussionSets.empty());
}

}  // namespace
