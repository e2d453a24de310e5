// Dialogs and controls without a window system: the controls' item states
// stand for their windows and a script plays the user while a dialog is
// "open".  List paging, each kind's showing and storing, the OK and Cancel
// protocol with its log lines, and the translate-mode editor.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/string_array.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"
#include "platform/translate_file.h"
#include "tests/support/log_capture.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/list_controls.h"
#include "ui/scroll_controls.h"
#include "ui/status_bar.h"
#include "ui/text_controls.h"
#include "ui/view_port_top.h"
#include "tests/support/dialog_script.h"

namespace {

std::u16string S(const char16_t *text) { return text ? text : u"<null>"; }

tStatus Send(cMessageDvcBase &window, uint32_t message, uint32_t wParam, tLParam lParam = 0) {
    sWinMessage record(message, tWParam(wParam), lParam);
    return window.OnMessage(message, record);
}

uint32_t Notify(uint32_t id, uint32_t code) { return code << 16 | id; }

// A window that owns controls and brings them up, as a viewport would.
struct sWindow {
    cMessageDvc window{nullptr, 0, 0, u"Win", 0};
    void Up() { window.InitControls(); }
};

// Forty entries "E0" ... "E39".
struct sEntries {
    sEntries() {
        for (int i = 0; i < 40; ++i) texts.push_back(u"E" + std::u16string(1, u'0' + i / 10) + std::u16string(1, u'0' + i % 10));
        for (auto &t : texts) pointers.push_back(t.c_str());
        pointers.push_back(nullptr);
    }
    std::vector<std::u16string> texts;
    std::vector<const char16_t *> pointers;
};

std::vector<std::u16string> Range(const sEntries &e, int first, int last) {
    std::vector<std::u16string> out;
    for (int i = first; i <= last; ++i) out.push_back(e.texts[size_t(i)]);
    return out;
}

// ---- Lists ------------------------------------------------------------------

TEST(ListPaging, ThePageOfTheSelectionIsShownWithItsEntrySelected) {
    sEntries entries;
    struct sCase {
        int32_t pageSize;
        int32_t selection;
        int32_t firstShown;
        int32_t lastShown;  // -1: nothing shown
        int32_t selectedRow;
    };
    const sCase cases[] = {
        {8, 19, 16, 23, 3},  {0, 5, 0, 39, 5},     {8, 36, 32, 39, 4},
        {10, 39, 30, 39, 9}, {16, 33, 32, 39, 1},  {8, 0, 0, 7, 0},
        // No selection on a paged list: its page lies past the entries.
        {8, kNoSelection, 0, -1, -1}, {0, kNoSelection, 0, 39, -1},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.pageSize) + "/" + std::to_string(c.selection));
        sWindow w;
        int32_t selection = c.selection;
        cListBox *list = w.window.NewListBox(101, entries.pointers.data(), &selection, c.pageSize);
        w.Up();
        std::vector<std::u16string> shown = c.lastShown < 0 ? std::vector<std::u16string>{}
                                                            : Range(entries, c.firstShown, c.lastShown);
        EXPECT_EQ(list->Item().entries, shown);
        EXPECT_EQ(list->Item().selection, c.selectedRow);
        EXPECT_EQ(selection, c.selection);  // showing never stores
    }
}

TEST(ListPaging, ABuddyTurnsThePageAndSelectsItsFirstEntry) {
    sEntries entries;
    sWindow w;
    int32_t selection = 19, page = 2;
    cListBox *list = w.window.NewListBox(101, entries.pointers.data(), &selection, 8);
    cHorzScroll *pager = w.window.NewHorzScroll(102, &page, 0, 4);
    w.window.SetControlBuddy(101, 102);
    w.Up();
    // The pager tells its start value: page 2 and its first entry.
    EXPECT_EQ(selection, 16);
    EXPECT_EQ(list->Item().entries, Range(entries, 16, 23));
    EXPECT_EQ(list->Item().selection, 0);

    EXPECT_EQ(list->OnBuddyValue(3), 16);
    EXPECT_EQ(selection, 24);
    EXPECT_EQ(list->GetFirstShown(), 24);
    EXPECT_EQ(list->Item().entries, Range(entries, 24, 31));
    EXPECT_EQ(list->Item().selection, 0);

    // The pager's own step reaches the list through the buddy.
    Send(w.window, kMsgHScroll, 4 | 4u << 16 /* thumb at 4 */, reinterpret_cast<tLParam>(pager->GetWindowHandle()));
    EXPECT_EQ(page, 4);
    EXPECT_EQ(selection, 32);
    EXPECT_EQ(list->Item().entries, Range(entries, 32, 39));

    // A click on the fifth row of that page stores 36.
    list->Item().selection = 4;
    Send(w.window, kMsgCommand, Notify(101, 1));
    EXPECT_EQ(selection, 36);
    EXPECT_EQ(S(list->GetValueText()), u"E36");
}

TEST(ListPaging, WithoutPagesTheBuddySelectsTheEntry) {
    sEntries entries;
    sWindow w;
    int32_t selection = 0;
    cListBox *list = w.window.NewListBox(101, entries.pointers.data(), &selection, 0);
    w.Up();
    EXPECT_EQ(list->OnBuddyValue(12), 0);
    EXPECT_EQ(selection, 12);
    EXPECT_EQ(list->Item().selection, 12);
    EXPECT_EQ(list->Item().entries.size(), 40u);
}

TEST(ListControls, TheListLoadsOnceAndTheComboBoxAtEveryShowing) {
    static const char16_t *const kFirst[] = {u"a", u"b", nullptr};
    static const char16_t *const kSecond[] = {u"x", u"y", u"z", nullptr};
    const char16_t *const *current = kFirst;
    sWindow w;
    int32_t s1 = 1, s2 = 1;
    cListBox *list = w.window.NewListBoxIndirect(101, &current, &s1, 0);
    cComboBox *combo = w.window.NewComboBoxIndirect(102, &current, &s2, 0);
    w.Up();
    EXPECT_EQ(list->Item().entries, (std::vector<std::u16string>{u"a", u"b"}));
    current = kSecond;
    w.window.PrepareDraw();
    EXPECT_EQ(list->Item().entries, (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(combo->Item().entries, (std::vector<std::u16string>{u"x", u"y", u"z"}));
    EXPECT_EQ(S(list->GetValueText()), u"y");  // the entries as they stand now
}

TEST(ListControls, AListWithoutEntriesShowsNothingAndKeepsItsSelection) {
    static const char16_t *const kNone[] = {nullptr};
    cStringArray empty;
    sWindow w;
    int32_t s1 = 4, s2 = 4;
    cListBox *list = w.window.NewListBoxFromList(101, &empty, &s1, 0);
    cComboBox *combo = w.window.NewComboBox(102, kNone, &s2, 0);
    w.Up();
    EXPECT_TRUE(list->Item().entries.empty());
    EXPECT_EQ(list->Item().selection, -1);
    EXPECT_EQ(s1, 4);
    EXPECT_EQ(S(combo->GetValueText()), u"");
}

TEST(ListControls, AComboBoxWithNoEntryChosenKeepsItsSelectionAndAnswersItsText) {
    static const char16_t *const kEntries[] = {u"Piano", u"Organ", nullptr};
    sWindow w;
    int32_t selection = 1;
    cComboBox *combo = w.window.NewComboBox(101, kEntries, &selection, 0);
    w.Up();
    EXPECT_EQ(combo->Item().selection, 1);
    combo->Item().selection = -1;
    combo->Item().text = std::u16string(90, u'q');
    combo->ReleaseDraw();
    EXPECT_EQ(selection, 1);
    EXPECT_TRUE(combo->IsEdited());
    EXPECT_EQ(S(combo->GetValueText()), std::u16string(78, u'q'));
    // Choosing an entry clears the edited text.
    combo->Item().selection = 0;
    Send(w.window, kMsgCommand, Notify(101, 1));
    EXPECT_FALSE(combo->IsEdited());
    EXPECT_EQ(selection, 0);
    EXPECT_EQ(S(combo->GetValueText()), u"Piano");
}

// ---- Buttons, texts and scroll bars -----------------------------------------

std::vector<std::string> *gEvents;
int32_t Record(uint32_t id, int32_t code, cMessageDvcBase *, uint32_t) {
    gEvents->push_back(std::to_string(id) + ":" + std::to_string(code));
    return RC_OK;
}

TEST(ButtonControls, RadioButtonsShareOneVariableAndTheLogMarksTheChosenOne) {
    std::vector<std::string> events;
    gEvents = &events;
    test::LogCapture log("radio_log");
    gOpSys->Log().SetCount(0);
    sWindow w;
    int32_t choice = 0;
    cRadioButton *a = w.window.NewRadioButton(103, &choice, 0);
    cRadioButton *b = w.window.NewRadioButton(104, &choice, 101);
    cRadioButton *c = w.window.NewRadioButton(105, &choice, 102);
    w.Up();
    w.window.SetEventHandler(Record, 0);
    EXPECT_EQ(a->Item().checked, 1u);
    Send(w.window, kMsgCommand, Notify(104, 0));
    EXPECT_EQ(choice, 101);
    EXPECT_EQ(events, (std::vector<std::string>{"104:0"}));
    Send(w.window, kMsgCommand, Notify(105, 5));  // not a click
    EXPECT_EQ(choice, 101);
    w.window.PrepareDraw();
    EXPECT_EQ(a->Item().checked, 0u);
    EXPECT_EQ(b->Item().checked, 1u);
    for (cRadioButton *button : {a, b, c}) button->LogState();
    EXPECT_EQ(log.Text(), "Radiobutton<103>=0,Radiobutton<104>=1,Radiobutton<105>=0");
}

TEST(ButtonControls, ACheckBoxTogglesItsMaskBitsOnly) {
    test::LogCapture log("check_log");
    gOpSys->Log().SetCount(0);
    sWindow w;
    int32_t flags = 5;
    cCheckBox *box = w.window.NewCheckBox(106, &flags, 4);
    w.Up();
    EXPECT_EQ(box->GetValueInt(), 1);
    EXPECT_EQ(box->Item().checked, 1u);
    box->LogState();
    EXPECT_EQ(log.Text(), "Checkbox<106>=4");
    Send(w.window, kMsgCommand, Notify(106, 0));
    EXPECT_EQ(flags, 1);
    box->SetLogEnabled(0);
    EXPECT_EQ(box->LogState(), RC_FAIL);
    EXPECT_EQ(log.Text(), "Checkbox<106>=4");
}

TEST(ScrollControls, PageStepsAreClampedAndTheLogShowsThePosition) {
    std::vector<std::string> events;
    gEvents = &events;
    sWindow w;
    int32_t steps = 0;
    std::u16string shown;
    cStaticText *label = w.window.NewStaticText(101, &shown, 1);
    cHorzScroll *bar = w.window.NewHorzScroll(102, &steps, -12, 12);
    w.window.SetControlBuddy(101, 102);
    w.Up();
    w.window.SetEventHandler(Record, 0);
    EXPECT_EQ(shown, u"0");  // the buddy shows the start value
    EXPECT_EQ(bar->Item().rangeMax, 24);
    EXPECT_EQ(bar->Item().position, 12);
    auto self = reinterpret_cast<tLParam>(bar->GetWindowHandle());
    struct sStep {
        uint32_t code;
        int32_t position;
    };
    const sStep steps3[] = {{3, 18}, {3, 24}, {3, 24}, {0, 23}, {2, 17}, {4 | (2u << 16), 2}, {5 | (40u << 16), 24},
                            {8, 24},  {2, 18}, {2, 12}, {2, 6}, {2, 0}, {2, 0}};
    for (const sStep &s : steps3) {
        SCOPED_TRACE(s.code);
        EXPECT_EQ(Send(w.window, kMsgHScroll, s.code, self), RC_OK);
        EXPECT_EQ(bar->GetPosition(), s.position);
        EXPECT_EQ(steps, s.position - 12);
        EXPECT_EQ(bar->Item().position, s.position);
        EXPECT_EQ(label->GetText(), FromUtf8(std::to_string(s.position - 12)));
    }
    EXPECT_EQ(events.front(), "102:3");
    EXPECT_EQ(events.size(), std::size(steps3));
    // Another bar's message and a vertical one are not this bar's.
    sWinMessage windowBar(kMsgHScroll, 1, 0);
    EXPECT_EQ(bar->OnMessage(kMsgHScroll, windowBar), MSG_NOT_HANDLED);
    sWinMessage vertical(kMsgVScroll, 1, self);
    EXPECT_EQ(bar->OnMessage(kMsgVScroll, vertical), MSG_NOT_HANDLED);

    test::LogCapture log("scroll_log");
    gOpSys->Log().SetCount(0);
    steps = 12;
    bar->PrepareDraw();
    bar->LogState();
    EXPECT_EQ(log.Text(), "Scroller<102>=24");
    bar->SetEnabled(0);
    EXPECT_FALSE(bar->Item().arrowsEnabled);
}

TEST(TextControls, ATextInputStoresAtMostItsMaximumLength) {
    sWindow w;
    std::u16string text = u"start";
    cTextInput *field = w.window.NewTextInput(101, &text, 50);
    w.Up();
    EXPECT_EQ(field->Item().text, u"start");
    field->Item().text = std::u16string(60, u'x');
    w.window.ReleaseDraw();
    EXPECT_EQ(text, std::u16string(50, u'x'));
    EXPECT_EQ(S(field->SetValueText(u"new")), std::u16string(50, u'x'));
    EXPECT_EQ(field->Item().text, u"new");
}

TEST(TextControls, AnEmptyLabelTakesTheTemplateTextWhenItOpens) {
    sWindow w;
    std::u16string empty, given = u"Given";
    cStaticText *fromTemplate = w.window.NewStaticText(101, &empty, 1);
    cStaticText *fromProgram = w.window.NewStaticText(102, &given, 1);
    fromTemplate->Item().text = u"Template text";
    fromProgram->Item().text = u"Template text";
    w.Up();
    EXPECT_EQ(empty, u"Template text");
    EXPECT_EQ(given, u"Given");
    EXPECT_EQ(fromProgram->Item().text, u"Given");
}

// ---- The dialog protocol ----------------------------------------------------

struct sDialogRun {
    std::vector<std::string> events;
    int32_t closeAnswer = RC_OK;
};
sDialogRun *gRun;
int32_t Journal(uint32_t id, int32_t code, cMessageDvcBase *, uint32_t) {
    gRun->events.push_back(std::to_string(id) + ":" + std::to_string(code));
    return code == kDialogEventClose ? gRun->closeAnswer : RC_FAIL;
}

TEST(Dialog, WithoutAScriptNothingOpensAndNothingIsStored) {
    test::ScriptScope none(nullptr);
    cDialogBox dialog(nullptr, 1005, 0);
    std::u16string text = u"kept";
    cTextInput *field = dialog.NewTextInput(101, &text, 10);
    EXPECT_EQ(dialog.Open(), RC_FAIL);
    EXPECT_LE(field->IsOpen(), 0);
    EXPECT_EQ(text, u"kept");
}

TEST(Dialog, OkWritesThePressLineAndTheClosingLineAfterTheHandlerIsAsked) {
    sDialogRun run;
    gRun = &run;
    test::LogCapture log("dialog_ok");
    int32_t choice = 0, flags = 5;
    test::ScriptScope script([](cDialogBox &d) {
        d.Command(104);
        EXPECT_EQ(d.GetEndCode(), 0);
        EXPECT_EQ(d.Command(1), RC_OK);
    });
    cDialogBox dialog(nullptr, 1005, 1053);
    dialog.SetTemplateTitle(u"Transpose");
    dialog.NewRadioButton(103, &choice, 0);
    dialog.NewRadioButton(104, &choice, 101);
    dialog.NewCheckBox(106, &flags, 4);
    dialog.NewPushButton(1)->Item().text = u"OK";
    dialog.SetEventHandler(Journal, 0);
    EXPECT_EQ(dialog.Open(), RC_OK);
    EXPECT_EQ(dialog.GetEndCode(), 1);
    EXPECT_EQ(choice, 101);
    EXPECT_EQ(run.events, (std::vector<std::string>{"103:1028", "104:1028", "106:1028", "1:1028", "104:0", "1:0",
                                                    "1005:1030"}));
    EXPECT_EQ(log.Text(),
              "Dialog_Transpose<1005>:PushButton OK<1>\r\n"
              "Dialog_Transpose<1005>:Radiobutton<103>=0,Radiobutton<104>=1,Checkbox<106>=4<OK>\r\n");
}

TEST(Dialog, CancelAnswersFailureYetStoresEveryValue) {
    test::LogCapture log("dialog_cancel");
    test::ScriptScope script([](cDialogBox &d) {
        static_cast<cGuiControl *>(d.FindControl(101))->Item().text = u"typed";
        static_cast<cGuiControl *>(d.FindControl(102))->Item().selection = 2;
        d.Command(2);
    });
    static const char16_t *const kEntries[] = {u"a", u"b", u"c", nullptr};
    std::u16string text = u"old";
    int32_t selection = 0;
    cDialogBox dialog(nullptr, 1005, 0);
    dialog.SetTemplateTitle(u"T");
    dialog.NewTextInput(101, &text, 20);
    dialog.NewListBox(102, kEntries, &selection, 0);
    EXPECT_EQ(dialog.Open(), RC_FAIL);
    EXPECT_EQ(dialog.GetEndCode(), 2);
    EXPECT_EQ(text, u"typed");
    EXPECT_EQ(selection, 2);
    EXPECT_EQ(log.Text(), "Dialog_T<1005>:Text<101>='typed',none,ListBox<102>=2<Cancel>\r\n");
}

TEST(Dialog, TheHandlerTheBusyFlagAndNonClicksKeepTheDialogOpen) {
    struct sCase {
        const char *name;
        bool handler;
        int32_t closeAnswer;
        uint32_t busy;
        uint32_t notification;
        bool closes;
    };
    const sCase cases[] = {
        {"no handler", false, RC_OK, 0, 0, true},   {"handler agrees", true, RC_OK, 0, 0, true},
        {"handler vetoes", true, -1, 0, 0, false},  {"busy", false, RC_OK, 1, 0, false},
        {"not a click", false, RC_OK, 0, 1, false},
    };
    for (const sCase &c : cases) {
        for (uint32_t command : {1u, 2u}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(command));
            sDialogRun run;
            run.closeAnswer = c.closeAnswer;
            gRun = &run;
            static uint32_t sCommand, sNotification;
            static tStatus sResult;
            static int32_t sEndCode;
            sCommand = command;
            sNotification = c.notification;
            test::ScriptScope script([](cDialogBox &d) {
                sResult = d.Command(sCommand, sNotification);
                sEndCode = d.GetEndCode();
            });
            int32_t value = 0;
            cDialogBox dialog(nullptr, 1005, 0);
            dialog.NewRadioButton(103, &value, 7);
            if (c.handler) dialog.SetEventHandler(Journal, 0);
            dialog.SetBusy(c.busy);
            tStatus opened = dialog.Open();
            EXPECT_EQ(sResult, c.closes ? RC_OK : RC_FAIL);
            EXPECT_EQ(sEndCode, c.closes ? int32_t(command) : 0);
            EXPECT_EQ(opened, c.closes && command == 1 ? RC_OK : RC_FAIL);
            if (c.handler && c.notification == 0) {
                EXPECT_EQ(run.events.back(), "1005:1030");
            }
        }
    }
}

TEST(Dialog, SetBusyAndGetDataAnswerTheirWords) {
    cDialogBox dialog(nullptr, 1005, 0);
    EXPECT_EQ(dialog.GetData(), 0u);
    EXPECT_EQ(dialog.SetBusy(1), 0u);
    EXPECT_EQ(dialog.SetBusy(0), 1u);
    sWinMessage click(kMsgCommand, 1, 0), other(kMsgCommand, 0x10001, 0);
    EXPECT_EQ(dialog.AcceptClick(click), RC_OK);
    EXPECT_EQ(dialog.AcceptClick(other), RC_FAIL);
}

TEST(Dialog, TitleAndControlTextsComeFromTheLanguageFile) {
    cOpSysBase::cTranslateFile &file = gOpSys->GetTranslateFile();
    file.SetOrRemove(u"Dialog_1005_text", u"Transponieren");
    file.SetOrRemove(u"Dialog_1005/109_text", u"Schritte");
    file.SetOrRemove(u"Dialog_1005/103_hint", u"Nach oben");
    file.SetOrRemove(u"Dialog_ALL/OK_text", u"Gut");
    static std::u16string title, label, hint, ok;
    test::ScriptScope script([](cDialogBox &d) {
        title = S(d.GetWindowTitle());
        label = S(d.FindControl(0x686D)->GetWindowTitle());
        hint = S(d.FindControl(103)->GetHint());
        ok = S(d.FindControl(1)->GetWindowTitle());
        d.Command(2);
    });
    int32_t value = 0;
    cDialogBox dialog(nullptr, 1005, 0);
    dialog.SetTemplateTitle(u"Transpose");
    dialog.NewRadioButton(103, &value, 1)->SetHint(u"Up");
    dialog.NewStaticText(0x686D, nullptr, 0)->Item().text = u"Steps";
    dialog.NewPushButton(1)->Item().text = u"OK";
    dialog.Open();
    for (const char16_t *key : {u"Dialog_1005_text", u"Dialog_1005/109_text", u"Dialog_1005/103_hint",
                                u"Dialog_ALL/OK_text"})
        file.SetOrRemove(key, u"");
    EXPECT_EQ(title, u"Transponieren");
    EXPECT_EQ(label, u"Schritte");
    EXPECT_EQ(hint, u"Nach oben");
    EXPECT_EQ(ok, u"Gut");
}

// A window whose status bar shows the hints of a dialog it owns.
class cWindowWithBar : public cMessageDvc {
public:
    cWindowWithBar() : cMessageDvc(nullptr, 0, 0, u"Owner", 0) {
        bar = new cStatusBar(this, 0);
        bar->AppendPart(200, 0, 1);
        ReplaceStatusBar(bar);
    }
    cStatusBar *bar;
};

TEST(Dialog, TheHintOfTheControlUnderTheMouseGoesToTheOwnersStatusBar) {
    static cWindowWithBar *owner;
    static std::vector<std::u16string> shown;
    cWindowWithBar window;
    owner = &window;
    shown.clear();
    test::ScriptScope script([](cDialogBox &d) {
        d.FindControl(103)->DeviceRect() = cRectangl(10, 10, 60, 12);
        d.FindControl(104)->DeviceRect() = cRectangl(10, 30, 60, 12);
        for (int32_t y : {15, 33, 80}) {
            sWinMessage move(kMsgMouseMove, 0, tLParam(y << 16 | 20));
            d.OnMessage(kMsgMouseMove, move);
            shown.emplace_back(S(owner->bar->GetHelpText()));
        }
        // A control's own mouse step, relative to its dialog.
        sWinMessage move(kMsgMouseMove, 0, 0);
        d.FindControl(103)->OnMouseMove(12, 12, move);
        shown.emplace_back(S(owner->bar->GetHelpText()));
        d.Command(2);
    });
    int32_t choice = 0;
    cDialogBox dialog(&window, 1005, 0);
    dialog.NewRadioButton(103, &choice, 0)->SetHint(u"Down");
    dialog.NewRadioButton(104, &choice, 1)->SetHint(u"Up");
    dialog.Open();
    EXPECT_EQ(shown, (std::vector<std::u16string>{u"Down", u"Up", u"", u"Down"}));
}

// ---- Translate mode ---------------------------------------------------------

// What the editor showed each time it opened.
struct sEditorView {
    std::u16string title, item, hint;
    bool itemEnabled = false, hintEnabled = false;
};

class TranslateMode : public testing::Test {
protected:
    void SetUp() override {
        previousMain = gOpSys->GetMainWindow();
        main = std::make_unique<cViewPortTop>(0, u"Pelmora");
        gOpSys->SetTranslateMode(true);
        editors.clear();
    }
    void TearDown() override {
        gOpSys->SetTranslateMode(false);
        main.reset();
        gOpSys->SetMainWindow(previousMain);
        cOpSysBase::cTranslateFile &file = gOpSys->GetTranslateFile();
        for (const char16_t *key : {u"Dialog_1005_text", u"Dialog_1005/109_text", u"Dialog_1005/109_hint",
                                    u"Dialog_1005/103_hint", u"Dialog_1005/103_text", u"Dialog_ALL/CANCEL_text",
                                    u"Dialog_ALL/CANCEL_hint"})
            file.SetOrRemove(key, u"");
    }

    // The editor's part: remember what it shows, type the new texts, OK.
    static void PlayEditor(cDialogBox &editor) {
        sEditorView view;
        cGuiControl *title = editor.FindControl(101), *item = editor.FindControl(102), *hint = editor.FindControl(103);
        view.title = title->Item().text;
        view.item = item->Item().text;
        view.hint = hint->Item().text;
        view.itemEnabled = item->IsEnabled() != 0;
        view.hintEnabled = hint->IsEnabled() != 0;
        editors.push_back(view);
        title->Item().text = u"Transponieren";
        if (view.itemEnabled) item->Item().text = u"Halbtonschritte";
        if (view.hintEnabled) hint->Item().text = u"Nach oben";
        editor.Command(1);
    }

    static std::vector<sEditorView> editors;
    cViewPortTop *previousMain = nullptr;
    std::unique_ptr<cViewPortTop> main;
};
std::vector<sEditorView> TranslateMode::editors;

TEST_F(TranslateMode, AClickOnAControlOpensTheEditorAndOkWritesTheKeys) {
    test::LogCapture log("translate_mode");
    static int32_t choice;
    static tStatus labelClick;
    static std::u16string labelShown, otherShown;
    static bool otherLabelEnabled, radioEnabled;
    choice = 0;
    test::ScriptScope script([](cDialogBox &d) {
        if (d.GetTemplateId() == kTranslateDialogItemId) return PlayEditor(d);
        otherLabelEnabled = d.FindControl(110)->IsEnabled() != 0;
        radioEnabled = d.FindControl(103)->IsEnabled() != 0;
        // A radio button: the editor opens, the variable stays.
        d.Command(103);
        // The label, by a click on its place in the dialog.
        d.FindControl(103)->DeviceRect() = cRectangl(10, 10, 60, 12);
        d.FindControl(0x686D)->DeviceRect() = cRectangl(10, 40, 80, 10);
        d.FindControl(110)->DeviceRect() = cRectangl(10, 60, 80, 10);
        sWinMessage click(kMsgLeftDown, 1, tLParam(45 << 16 | 20));
        labelClick = d.OnMessage(kMsgLeftDown, click);
        labelShown = S(d.FindControl(0x686D)->GetWindowTitle());
        // Cancel: the editor, then the dialog is cancelled, once.
        d.Command(2);
    });
    cDialogBox dialog(nullptr, 1005, 0);
    dialog.SetTemplateTitle(u"Transpose");
    dialog.NewRadioButton(103, &choice, 101);
    dialog.NewStaticText(0x686D, nullptr, 0)->Item().text = u"Steps";
    dialog.NewStaticText(110, nullptr, 0)->Item().text = u"0";
    dialog.NewPushButton(2)->Item().text = u"Cancel";
    EXPECT_EQ(dialog.Open(), RC_FAIL);
    EXPECT_EQ(dialog.GetEndCode(), 2);
    EXPECT_EQ(choice, 0);
    EXPECT_FALSE(otherLabelEnabled);  // a label outside the block is greyed
    EXPECT_TRUE(radioEnabled);
    EXPECT_EQ(labelClick, RC_OK);

    ASSERT_EQ(editors.size(), 3u);
    EXPECT_EQ(editors[0].title, u"Transpose");
    EXPECT_EQ(editors[0].item, u"");
    EXPECT_FALSE(editors[0].itemEnabled);  // a radio button's text is not translatable
    EXPECT_TRUE(editors[0].hintEnabled);
    EXPECT_EQ(editors[1].title, u"Transponieren");
    EXPECT_EQ(editors[1].item, u"Steps");
    EXPECT_TRUE(editors[1].itemEnabled);
    EXPECT_FALSE(editors[1].hintEnabled);  // labels have no hint
    EXPECT_EQ(editors[2].item, u"Cancel");
    EXPECT_TRUE(editors[2].itemEnabled);

    EXPECT_EQ(labelShown, u"Halbtonschritte");
    cOpSysBase::cTranslateFile &file = gOpSys->GetTranslateFile();
    EXPECT_EQ(S(file.GetValue(u"Dialog_1005_text")), u"Transponieren");
    EXPECT_EQ(S(file.GetValue(u"Dialog_1005/109_text")), u"Halbtonschritte");
    EXPECT_EQ(file.GetValue(u"Dialog_1005/109_hint"), nullptr);
    EXPECT_EQ(S(file.GetValue(u"Dialog_1005/103_hint")), u"Nach oben");
    EXPECT_EQ(file.GetValue(u"Dialog_1005/103_text"), nullptr);
    EXPECT_EQ(S(file.GetValue(u"Dialog_ALL/CANCEL_text")), u"Halbtonschritte");
    std::string text = log.Text();
    size_t cancels = 0;
    for (size_t at = text.find("<Cancel>"); at != std::string::npos; at = text.find("<Cancel>", at + 1)) ++cancels;
    // The editor's own OK lines, and one cancel of the dialog.
    EXPECT_EQ(cancels, 1u);
}

TEST_F(TranslateMode, TheFrameworksOwnDialogsBehaveAsOutsideTranslateMode) {
    static int32_t choice;
    choice = 1;
    test::ScriptScope script([](cDialogBox &d) {
        if (d.GetTemplateId() == kTranslateDialogItemId) return PlayEditor(d);
        d.Command(102);
        d.Command(1);
    });
    cDialogBox dialog(nullptr, kSelectLanguageDialogId, 1052);
    dialog.NewRadioButton(101, &choice, 1);
    dialog.NewRadioButton(102, &choice, 2);
    EXPECT_EQ(dialog.Open(), RC_OK);
    EXPECT_EQ(choice, 2);
    EXPECT_TRUE(editors.empty());
}

TEST_F(TranslateMode, OkOnlyEditsItsTextsAndTheDialogStaysOpen) {
    static int32_t endAfterOk;
    test::ScriptScope script([](cDialogBox &d) {
        if (d.GetTemplateId() == kTranslateDialogItemId) return PlayEditor(d);
        d.Command(1);
        endAfterOk = d.GetEndCode();
        gOpSys->SetTranslateMode(false);
        d.Command(1);
    });
    cDialogBox dialog(nullptr, 1005, 0);
    dialog.NewPushButton(1)->Item().text = u"OK";
    EXPECT_EQ(dialog.Open(), RC_OK);
    EXPECT_EQ(endAfterOk, 0);
    ASSERT_EQ(editors.size(), 1u);
    EXPECT_EQ(editors[0].item, u"OK");
    gOpSys->GetTranslateFile().SetOrRemove(u"Dialog_ALL/OK_text", u"");
    gOpSys->GetTranslateFile().SetOrRemove(u"Dialog_ALL/OK_hint", u"");
}

}  // namespace
