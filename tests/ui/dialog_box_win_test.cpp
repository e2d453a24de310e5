// Dialogs under the window system: the template 1990 of tests/ui/test_dialogs.rc
// holds every kind of control.  Its event handler, at the init event of the
// last control, posts the user's clicks and keys; the owner-drawn item's
// first painting posts the final click on OK or Cancel (a thread timer
// cancels a dialog that never paints, so that a failure cannot hang).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/op_sys_base.h"
#include "platform/translate_file.h"
#include "foundation/win32_win.h"
#include "tests/support/log_capture.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/list_controls.h"
#include "ui/scroll_controls.h"
#include "ui/text_controls.h"
#include "ui/view_port_top.h"

namespace {

constexpr uint32_t kTemplate = 1990;
constexpr uint32_t kLastControl = 116;
constexpr uint32_t kLabel = 0x686B;
constexpr uint32_t kOverlapped = 0x00CF0000;  // WS_OVERLAPPEDWINDOW, hidden

// The hidden main window that owns the dialogs and makes the editor.
class cHiddenTop : public cViewPortTop {
public:
    cHiddenTop() : cViewPortTop(SW_HIDE, u"DialogTop") { SetWindowStyle(kOverlapped); }
    ~cHiddenTop() override {
        if (GetWindowHandle()) DestroyWindow(GetWindowHandle());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
};

struct sRun {
    uint32_t finalButton = 1;  // OK or Cancel
    std::vector<std::string> events;
    bool painted = false;
    bool paintHadContext = false;
    HWND dialog = nullptr;
    UINT_PTR safetyTimer = 0;
};
sRun *gRun;

HWND ItemOf(cMessageDvcBase *dialog, uint32_t id) {
    cGuiControl *control = dialog->FindControl(id);
    return control ? control->GetWindowHandle() : GetDlgItem(dialog->GetWindowHandle(), int(id));
}

// The user's part, queued at once: every control is up.
void PostUserActions(cMessageDvcBase *dialog) {
    HWND window = dialog->GetWindowHandle();
    gRun->dialog = window;
    PostMessageW(ItemOf(dialog, 104), BM_CLICK, 0, 0);
    PostMessageW(ItemOf(dialog, 106), BM_CLICK, 0, 0);
    for (int i = 0; i < 3; ++i)
        PostMessageW(window, WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(ItemOf(dialog, 109)));
    PostMessageW(ItemOf(dialog, 110), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(ItemOf(dialog, 111), WM_KEYDOWN, VK_DOWN, 0);
    HWND edit = ItemOf(dialog, 112);
    for (int i = 0; i < 30; ++i) PostMessageW(edit, WM_CHAR, WPARAM(L'a' + i % 26), 0);
}

int32_t Handler(uint32_t id, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    gRun->events.push_back(std::to_string(id) + ":" + std::to_string(code));
    if (code == kDialogEventInit && id == kLastControl) PostUserActions(dialog);
    return code == kDialogEventClose ? RC_OK : RC_FAIL;
}

// The owner-drawn item: its first painting comes after every queued action
// (posted messages go before painting) and ends the dialog.
class cPreview : public cStaticOwnerDraw {
public:
    cPreview(cMessageDvcBase *owner, uint32_t id) : cStaticOwnerDraw(owner, id, nullptr, 0) {}
    tStatus OnPaint(sWinMessage &record) override {
        if (!gRun->painted) {
            gRun->painted = true;
            gRun->paintHadContext = GetHeldDC() != nullptr && record.lParam != 0;
            PostMessageW(GetDlgItem(gRun->dialog, int(gRun->finalButton)), BM_CLICK, 0, 0);
        }
        return RC_OK;
    }
};

void CALLBACK Safety(HWND, UINT, UINT_PTR, DWORD) {
    if (gRun && gRun->dialog) PostMessageW(gRun->dialog, WM_COMMAND, IDCANCEL, 0);
}

struct sValues {
    int32_t choice = 0;
    int32_t flags = 1;
    std::u16string shown;
    int32_t steps = 0;
    int32_t instrument = 1;
    int32_t speed = 0;
    std::u16string name;
    uint16_t font = 0;
    int32_t vertical = 5;
};

const char16_t *const kInstruments[] = {u"Piano", u"Organ", u"Flute", u"Harp", nullptr};
const char16_t *const kSpeeds[] = {u"Slow", u"Medium", u"Fast", nullptr};

tStatus RunEveryControl(cViewPortTop &top, sValues &v, sRun &run) {
    gRun = &run;
    cDialogBox *dialog = top.NewDialogBox(kTemplate, 1053);
    dialog->NewRadioButton(103, &v.choice, 0);
    dialog->NewRadioButton(104, &v.choice, 101);
    dialog->NewRadioButton(105, &v.choice, 102);
    dialog->NewCheckBox(106, &v.flags, 4);
    dialog->NewStaticText(108, &v.shown, 1);
    dialog->NewHorzScroll(109, &v.steps, -12, 12);
    dialog->SetControlBuddy(108, 109);
    dialog->NewListBox(110, kInstruments, &v.instrument, 0);
    dialog->NewComboBox(111, kSpeeds, &v.speed, 0);
    dialog->NewTextInput(112, &v.name, 20);
    dialog->AddControl(new cPreview(dialog, 113));
    dialog->NewPushButton(114);
    dialog->NewFontButton(115, &v.font);
    dialog->NewVertScroll(116, &v.vertical, 0, 10);
    dialog->SetEventHandler(Handler, 0);
    run.safetyTimer = SetTimer(nullptr, 0, 10000, Safety);
    tStatus result = dialog->Open();
    KillTimer(nullptr, run.safetyTimer);
    delete dialog;
    return result;
}

std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The lines of the log that belong to the dialog.
std::vector<std::string> DialogLines(const std::string &text) {
    std::vector<std::string> lines;
    for (const std::string &line : Lines(text))
        if (line.rfind("Dialog_Every Control<1990>:", 0) == 0) lines.push_back(line);
    return lines;
}

const std::vector<std::string> kInitEvents = {"103:1028", "104:1028", "105:1028", "106:1028", "108:1028",
                                              "109:1028", "110:1028", "111:1028", "112:1028", "113:1028",
                                              "114:1028", "115:1028", "116:1028"};

void ExpectStored(const sValues &v) {
    EXPECT_EQ(v.choice, 101);
    EXPECT_EQ(v.flags, 5);
    EXPECT_EQ(v.steps, 12);  // three page steps of 6 from 0, held at the maximum
    EXPECT_EQ(v.shown, u"12");
    EXPECT_EQ(v.instrument, 2);
    EXPECT_EQ(v.speed, 1);
    EXPECT_EQ(v.name, u"abcdefghijklmnopqrst");  // 30 typed, 20 kept
    EXPECT_EQ(v.vertical, 5);
}

void ExpectEvents(const sRun &run, uint32_t button) {
    std::vector<std::string> expected = kInitEvents;
    for (const char *e : {"104:0", "106:0", "109:3", "109:3", "109:3", "110:1", "111:1"}) expected.push_back(e);
    expected.push_back(std::to_string(button) + ":0");
    expected.push_back("1990:1030");
    EXPECT_EQ(run.events, expected);
}

std::string ClosingLine(const char *tag) {
    return std::string("Dialog_Every Control<1990>:Radiobutton<103>=0,Radiobutton<104>=1,Radiobutton<105>=0,") +
           "Checkbox<106>=4,Scroller<109>=24,ListBox<110>=2,ComboBox<111>=1,Text<112>='abcdefghijklmnopqrst'," +
           tag;
}

void ExpectClosingLine(const std::string &line, const char *tag) {
    std::string head = ClosingLine("");
    EXPECT_EQ(line.substr(0, head.size()), head);
    std::string tail = std::string(",Scroller<116>=5") + tag;
    ASSERT_GE(line.size(), tail.size());
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
}

// Either button stores the values; only OK answers success.  Both write the
// button's line and the closing line that names it.
TEST(DialogWindow, EveryControlKindEndedWithOkOrCancelStoresItsValuesAndWritesTwoLines) {
    struct Case {
        uint32_t button;
        tStatus answer;
        const char *logName;
        const char *buttonLine;
        const char *closingTag;
    } cases[] = {
        {IDOK, RC_OK, "dialog_every_ok", "Dialog_Every Control<1990>:PushButton OK<1>", "<OK>"},
        {IDCANCEL, RC_FAIL, "dialog_every_cancel", "Dialog_Every Control<1990>:PushButton Cancel<2>", "<Cancel>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.closingTag);
        cHiddenTop top;
        top.Open();
        test::LogCapture log(c.logName);
        sValues v;
        sRun run;
        run.finalButton = c.button;
        EXPECT_EQ(RunEveryControl(top, v, run), c.answer);
        ExpectStored(v);
        ExpectEvents(run, c.button);
        EXPECT_TRUE(run.painted);
        EXPECT_TRUE(run.paintHadContext);
        std::vector<std::string> lines = DialogLines(log.Text());
        ASSERT_EQ(lines.size(), 2u) << log.Text();
        EXPECT_EQ(lines[0], c.buttonLine);
        ExpectClosingLine(lines[1], c.closingTag);
    }
}

TEST(DialogWindow, AMissingTemplateAnswersFailure) {
    cHiddenTop top;
    top.Open();
    cDialogBox *dialog = top.NewDialogBox(1991, 0);
    EXPECT_EQ(dialog->Open(), RC_FAIL);
    delete dialog;
}

// ---- Translate mode ---------------------------------------------------------

struct sTranslateRun {
    int phase = 0;
    HWND dialog = nullptr;
    std::u16string titleAfter, labelAfter;
    bool itemFieldEnabled = false, hintFieldEnabled = true;
};
sTranslateRun *gTranslate;

BOOL CALLBACK FindEditor(HWND window, LPARAM found) {
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (std::wstring(title) == L"Translate Dialog Item") {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

std::u16string TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return U(text);
}

// Plays the translator: fills the editor when it is up and accepts it; once
// it has gone, leaves translate mode and cancels the dialog.
void CALLBACK Translator(HWND, UINT, UINT_PTR timer, DWORD) {
    sTranslateRun &t = *gTranslate;
    HWND editor = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindEditor, reinterpret_cast<LPARAM>(&editor));
    if (t.phase == 0 && editor) {
        t.itemFieldEnabled = IsWindowEnabled(GetDlgItem(editor, 102)) != 0;
        t.hintFieldEnabled = IsWindowEnabled(GetDlgItem(editor, 103)) != 0;
        SetDlgItemTextW(editor, 101, L"Jede Art");
        SetDlgItemTextW(editor, 102, L"Schritte");
        PostMessageW(GetDlgItem(editor, IDOK), BM_CLICK, 0, 0);
        t.phase = 1;
    } else if (t.phase == 1 && !editor) {
        t.titleAfter = TextOf(t.dialog);
        t.labelAfter = TextOf(GetDlgItem(t.dialog, int(kLabel)));
        gOpSys->SetTranslateMode(false);
        PostMessageW(GetDlgItem(t.dialog, IDCANCEL), BM_CLICK, 0, 0);
        KillTimer(nullptr, timer);
        t.phase = 2;
    }
}

int32_t ClickTheLabel(uint32_t id, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    if (code == kDialogEventClose) return RC_OK;
    if (code != kDialogEventInit || id != 103) return RC_FAIL;
    HWND window = dialog->GetWindowHandle();
    gTranslate->dialog = window;
    RECT label{};
    GetWindowRect(GetDlgItem(window, int(kLabel)), &label);
    POINT middle{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    ScreenToClient(window, &middle);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    SetTimer(nullptr, 0, 50, Translator);
    return RC_FAIL;
}

TEST(DialogWindow, InTranslateModeAClickOnALabelOpensTheEditorWhoseOkWritesTheKeys) {
    cHiddenTop top;
    top.Open();
    sTranslateRun run;
    gTranslate = &run;
    int32_t choice = 0;
    gOpSys->SetTranslateMode(true);
    cDialogBox *dialog = top.NewDialogBox(kTemplate, 0);
    dialog->NewRadioButton(103, &choice, 0);
    dialog->SetEventHandler(ClickTheLabel, 0);
    tStatus result = dialog->Open();
    delete dialog;
    gOpSys->SetTranslateMode(false);

    cOpSysBase::cTranslateFile &file = gOpSys->GetTranslateFile();
    std::u16string title = file.GetValue(u"Dialog_1990_text") ? file.GetValue(u"Dialog_1990_text") : u"";
    std::u16string label = file.GetValue(u"Dialog_1990/107_text") ? file.GetValue(u"Dialog_1990/107_text") : u"";
    bool hint = file.GetValue(u"Dialog_1990/107_hint") != nullptr;
    file.SetOrRemove(u"Dialog_1990_text", u"");
    file.SetOrRemove(u"Dialog_1990/107_text", u"");

    EXPECT_EQ(result, RC_FAIL);
    EXPECT_EQ(run.phase, 2);
    EXPECT_TRUE(run.itemFieldEnabled);
    EXPECT_FALSE(run.hintFieldEnabled);  // a label has no hint to edit
    EXPECT_EQ(run.titleAfter, u"Jede Art");
    EXPECT_EQ(run.labelAfter, u"Schritte");
    EXPECT_EQ(title, u"Jede Art");
    EXPECT_EQ(label, u"Schritte");
    EXPECT_FALSE(hint);
}

}  // namespace
