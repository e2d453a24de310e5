// Message devices: the router (controls first, mouse points in logical
// units, key and button log lines, the system keys), listeners and the close
// protocol, ownership, the window map and the two delivery paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/support/log_capture.h"
#include "ui/gui_control.h"
#include "ui/message_dvc.h"
#include "ui/view_port_top.h"

namespace {

using tJournal = std::vector<std::string>;

std::string Point(const char *what, int32_t x, int32_t y) {
    return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
}

// A window object that writes every handler call into a journal and answers
// what the test tells it.
class cProbe : public cMessageDvc {
public:
    cProbe(const char16_t *name, tJournal *journal, cMessageDvcBase *owner = nullptr, int *deaths = nullptr)
        : cMessageDvc(owner, 0, 0, name, 0), journal(journal), deaths(deaths) {}
    ~cProbe() override {
        if (deaths) ++*deaths;
    }

    tStatus OnKey(uint16_t key, sWinMessage &r) override {
        Note("Key " + std::to_string(key));
        return keyAnswer;
    }
    tStatus OnLeftDown(int32_t x, int32_t y, sWinMessage &) override { return Note(Point("LeftDown", x, y)); }
    tStatus OnLeftUp(int32_t x, int32_t y, sWinMessage &) override { return Note(Point("LeftUp", x, y)); }
    tStatus OnRightDown(int32_t x, int32_t y, sWinMessage &) override { return Note(Point("RightDown", x, y)); }
    tStatus OnRightUp(int32_t x, int32_t y, sWinMessage &) override { return Note(Point("RightUp", x, y)); }
    tStatus OnMouseMove(int32_t x, int32_t y, sWinMessage &) override { return Note(Point("MouseMove", x, y)); }
    tStatus OnMove(int32_t dx, int32_t dy, sWinMessage &r) override {
        Note(Point("Move", dx, dy));
        return cMessageDvc::OnMove(dx, dy, r);
    }
    tStatus CanClose() override {
        Note("CanClose");
        tStatus own = cMessageDvc::CanClose();
        return own < 0 ? own : canCloseAnswer;
    }
    tStatus OnClose(sWinMessage &r) override {
        Note("Close");
        return cMessageDvc::OnClose(r);
    }
    tStatus OnCommand(sWinMessage &r) override {
        Note("Command");
        tStatus fromListeners = cMessageDvc::OnCommand(r);
        return fromListeners >= 0 ? fromListeners : commandAnswer;
    }
    tStatus PreviewMessage(uint32_t message, sWinMessage &) override {
        Note("Preview " + std::to_string(message));
        return RC_OK;
    }
    tStatus OnCreate(sWinMessage &) override { return Note("Create"); }
    tStatus OnDestroy(sWinMessage &r) override {
        Note("Destroy");
        return cMessageDvc::OnDestroy(r);
    }
    cDispDvcBase *GiveStatusBar(cDispDvcBase *bar) { return ReplaceStatusBar(bar); }
    void HoldStatusBar(cDispDvcBase *bar) { SetOwnStatusBar(bar); }
    void SetZoom(float z) {
        SetZoomX(z);
        SetZoomY(z);
    }

    tStatus keyAnswer = RC_FAIL;
    tStatus canCloseAnswer = RC_OK;
    tStatus commandAnswer = RC_FAIL;

private:
    tStatus Note(const std::string &s) {
        if (journal) journal->push_back(std::string(test::Narrow(name)) + ": " + s);
        return RC_OK;
    }
    tJournal *journal;
    int *deaths;
};

// A control that takes the messages the test names and answers `answer`.
class cProbeControl : public cGuiControl {
public:
    cProbeControl(uint32_t controlId, tJournal *journal, uint32_t takes = 0, tStatus answer = RC_OK)
        : cGuiControl(nullptr, controlId), journal(journal), takes(takes), answer(answer) {}
    tStatus OnMessage(uint32_t message, sWinMessage &) override {
        journal->push_back("control " + std::to_string(id) + " " + std::to_string(message));
        return message == takes ? answer : MSG_NOT_HANDLED;
    }
    cMessageDvcBase *SetOwner(cMessageDvcBase *window) override {
        journal->push_back("owner " + std::to_string(id));
        return cGuiControl::SetOwner(window);
    }
    tStatus Open() override {
        journal->push_back("open " + std::to_string(id));
        return cGuiControl::Open();
    }
    tStatus PrepareDraw() override {
        journal->push_back("prepare " + std::to_string(id));
        return RC_OK;
    }
    tStatus OnMove(int32_t dx, int32_t dy, sWinMessage &r) override {
        journal->push_back("control moved " + std::to_string(id));
        return RC_OK;
    }

private:
    tJournal *journal;
    uint32_t takes;
    tStatus answer;
};

tLParam At(int32_t x, int32_t y) { return tLParam((uint32_t(uint16_t(y)) << 16) | uint16_t(x)); }

tStatus Send(cMessageDvcBase &window, uint32_t message, tWParam wParam, tLParam lParam) {
    sWinMessage record(message, wParam, lParam);
    return window.OnMessage(message, record);
}

bool Has(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

// A handle value no window system gave out; only the map sees it.
tWindowHandle FakeHandle(uintptr_t n) { return reinterpret_cast<tWindowHandle>(0x7F000000u + n * 16); }

TEST(MessageRouter, MouseButtonsReachHandlersInLogicalUnitsAndAreLogged) {
    struct sCase {
        uint32_t message;
        tWParam wParam;
        int32_t x, y;
        const char *call;  // null: no handler runs
        const char *logged;
        tStatus result;
    };
    // Zoom 2 and origin (-10, 0): logical = floor((device + 1) / 2) - origin.
    const sCase cases[] = {
        {kMsgLeftDown, 1, 41, 21, "Probe: LeftDown 31,11", "Probe: L+=31,11", RC_OK},
        {kMsgLeftUp, 0, 40, 20, "Probe: LeftUp 30,10", "Probe: L-=30,10", RC_OK},
        {kMsgRightDown, 0, 9, 9, "Probe: RightDown 15,5", "Probe: R+=15,5", RC_OK},
        {kMsgRightDown, 1, 9, 9, "Probe: RightDown 15,5", "Probe: LR=15,5", RC_OK},
        {kMsgRightUp, 0, 2, 2, "Probe: RightUp 11,1", nullptr, RC_OK},
        {kMsgLeftDoubleClick, 1, 2, 2, nullptr, nullptr, MSG_NOT_HANDLED},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.message);
        test::LogCapture log("router_mouse");
        tJournal journal;
        cProbe probe(u"Probe", &journal);
        probe.SetZoom(2.0f);
        probe.SetOrigin(-10, 0);
        EXPECT_EQ(Send(probe, c.message, c.wParam, At(c.x, c.y)), c.result);
        if (c.call) {
            ASSERT_EQ(journal.size(), 1u);
            EXPECT_EQ(journal[0], c.call);
        } else {
            EXPECT_TRUE(journal.empty());
        }
        std::string text = log.Text();
        if (c.logged)
            EXPECT_TRUE(Has(text, std::string(c.logged) + "\r\n")) << text;
        else
            EXPECT_EQ(text, "");
    }
}

// The modifier keys held stand before a logged click.
TEST(MessageRouter, HeldModifiersAreLoggedWithTheClick) {
    struct sCase {
        uint32_t keys;
        uint32_t message;
        const char *logged;
    };
    const sCase cases[] = {
        {cOpSysBase::kTestShift, kMsgRightDown, "Probe: Shift R+=5,5\r\n"},
        {cOpSysBase::kTestCtrl, kMsgLeftDown, "Probe: Ctrl L+=5,5\r\n"},
        {cOpSysBase::kTestShift | cOpSysBase::kTestCtrl, kMsgLeftUp, "Probe: Shift Ctrl L-=5,5\r\n"},
        {0, kMsgLeftDown, "Probe: L+=5,5\r\n"},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.logged);
        test::LogCapture log("router_modifiers");
        tJournal journal;
        cProbe probe(u"Probe", &journal);
        gOpSys->SetTestModifiers(c.keys);
        Send(probe, c.message, 0, At(5, 5));
        gOpSys->SetTestModifiers(0);
        EXPECT_EQ(log.Text(), c.logged);
    }
}

TEST(MessageRouter, MouseMovesToTheSameLogicalPointCallNothing) {
    tJournal journal;
    cProbe probe(u"Probe", &journal);
    probe.SetZoom(2.0f);
    EXPECT_EQ(Send(probe, kMsgMouseMove, 0, At(9, 0)), RC_OK);
    EXPECT_EQ(Send(probe, kMsgMouseMove, 0, At(10, 0)), RC_OK);  // also logical 5
    EXPECT_EQ(journal, (tJournal{"Probe: MouseMove 5,0"}));
    EXPECT_EQ(probe.GetMouseX(), 5);
    // A button press stores its point, so a move there calls nothing.
    Send(probe, kMsgLeftDown, 1, At(40, 40));
    Send(probe, kMsgMouseMove, 1, At(40, 40));
    EXPECT_EQ(journal.back(), "Probe: LeftDown 20,20");
}

TEST(MessageRouter, KeysAreLoggedWithTheMousePointAndPassedOn) {
    test::LogCapture log("router_keys");
    tJournal journal;
    cProbe probe(u"Probe", &journal);
    probe.StoreMousePos(120, 48);
    // A letter's key-down normalises to 0: handled, silent.
    EXPECT_EQ(Send(probe, kMsgKeyDown, 'A', 0x001E0001), RC_OK);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(Send(probe, kMsgChar, 'a', 0x001E0001), RC_FAIL);  // the base OnKey refuses: still handled
    EXPECT_EQ(Send(probe, kMsgKeyDown, 0x70, 0x003B0001), RC_FAIL);
    EXPECT_EQ(journal, (tJournal{"Probe: Key 97", "Probe: Key 1"}));
    EXPECT_EQ(log.Text(), "Probe: Key=a<97>@120,48\r\nProbe: Key=F1<1>@120,48\r\n");
}

TEST(MessageRouter, SystemKeysTheWindowRefusesGoOnToTheSystem) {
    const tLParam altF4 = (tLParam(1) << 29) | (tLParam(0x3E) << 16) | 1;
    const tLParam altAlone = (tLParam(1) << 29) | (tLParam(0x38) << 16) | 1;
    test::LogCapture log("router_syskeys");
    tJournal journal;
    cProbe probe(u"Frame", &journal);
    // Alt+F4: logged and offered to the window; refused, so the system's
    // default handling closes the window.
    EXPECT_EQ(Send(probe, kMsgSysKeyDown, 0x73, altF4), MSG_NOT_HANDLED);
    EXPECT_EQ(journal, (tJournal{"Frame: Key 4"}));
    EXPECT_TRUE(Has(log.Text(), "Frame: Key=AltF4<4>@0,0\r\n"));
    // The Alt key alone (the menu bar) and F10 also reach the system.
    EXPECT_EQ(Send(probe, kMsgSysKeyDown, 0x12, altAlone), MSG_NOT_HANDLED);
    EXPECT_EQ(Send(probe, kMsgSysKeyDown, 0x79, 0x00440001), MSG_NOT_HANDLED);
    // A window that takes the key keeps it.
    probe.keyAnswer = RC_OK;
    EXPECT_EQ(Send(probe, kMsgSysKeyDown, 0x73, altF4), RC_OK);
    // An ordinary key refused by the window stays handled (no default step).
    probe.keyAnswer = RC_FAIL;
    EXPECT_EQ(Send(probe, kMsgKeyDown, 0x73, 0x003E0001), RC_FAIL);
}

TEST(MessageRouter, ControlsSeeMessagesFirstAndATakenMessageEndsRouting) {
    tJournal journal;
    cProbe window(u"Win", &journal);
    window.commandAnswer = 42;
    window.AddControl(new cProbeControl(7, &journal));
    window.AddControl(new cProbeControl(8, &journal, kMsgCommand, RC_OK));
    window.AddControl(new cProbeControl(9, &journal));
    EXPECT_EQ(Send(window, kMsgCommand, 8, 0), RC_OK);
    EXPECT_EQ(journal, (tJournal{"control 7 273", "control 8 273"}));
    journal.clear();
    EXPECT_EQ(Send(window, kMsgLeftDown, 0, At(3, 4)), RC_OK);
    EXPECT_EQ(journal, (tJournal{"control 7 513", "control 8 513", "control 9 513", "Win: LeftDown 3,4"}));
}

TEST(MessageRouter, MoveShiftsBothRectanglesAndTellsListenersThenControls) {
    tJournal journal;
    cProbe window(u"Win", &journal);
    window.AddListener(new cProbe(u"L", &journal));
    window.AddControl(new cProbeControl(5, &journal, 0xFFFF));
    window.DeviceRect().Set(100, 50);
    window.FrameRect().Set(96, 20);
    journal.clear();
    EXPECT_EQ(Send(window, kMsgMove, 0, At(110, -5)), RC_OK);  // signed 16-bit coordinates
    EXPECT_EQ(journal, (tJournal{"control 5 3", "Win: Move 10,-55", "L: Move 10,-55", "control moved 5"}));
    EXPECT_EQ(window.DeviceRect().x, 110);
    EXPECT_EQ(window.DeviceRect().y, -5);
    EXPECT_EQ(window.FrameRect().x, 106);
    EXPECT_EQ(window.FrameRect().y, -35);
}

TEST(Listeners, CanCloseIsTheLowestAnswerAndCommandsTheFirstAnswer) {
    tJournal journal;
    cProbe window(u"Win", &journal);
    EXPECT_EQ(window.CanClose(), RC_OK);  // no listeners
    auto *a = new cProbe(u"A", &journal);
    auto *b = new cProbe(u"B", &journal);
    auto *c = new cProbe(u"C", &journal);
    a->canCloseAnswer = 5;
    b->canCloseAnswer = -1;
    for (cProbe *l : {a, b, c}) window.AddListener(l);
    EXPECT_EQ(window.CanClose(), -1);

    a->commandAnswer = RC_FAIL;
    b->commandAnswer = 7;
    journal.clear();
    sWinMessage record(kMsgCommand, 100, 0);
    EXPECT_EQ(window.cMessageDvc::OnCommand(record), 7);
    EXPECT_EQ(journal, (tJournal{"A: Command", "B: Command"}));
    b->commandAnswer = RC_FAIL;
    EXPECT_EQ(window.cMessageDvc::OnCommand(record), RC_FAIL);

    // Removing hands the object back without deleting it.
    EXPECT_EQ(window.RemoveListener(b), b);
    EXPECT_EQ(window.RemoveListener(b), nullptr);
    cProbe stranger(u"S", nullptr);
    EXPECT_EQ(window.RemoveListener(&stranger), nullptr);
    EXPECT_EQ(window.Listeners().size(), 2u);
    delete b;
}

TEST(Listeners, AnObjectAddedTwiceIsToldTwiceAndDeletedOnce) {
    int deaths = 0;
    tJournal journal;
    {
        cProbe window(u"Win", &journal);
        auto *twice = new cProbe(u"T", &journal, nullptr, &deaths);
        window.AddListener(twice);
        window.AddListener(twice);
        sWinMessage record(kMsgCommand, 1, 0);
        window.cMessageDvc::OnCommand(record);
        EXPECT_EQ(journal, (tJournal{"T: Command", "T: Command"}));
    }
    EXPECT_EQ(deaths, 1);
}

TEST(Listeners, ClosingAsksTellsAndClosesUnlessRefused) {
    tJournal journal;
    cProbe window(u"Win", &journal);
    auto *a = new cProbe(u"A", &journal);
    auto *b = new cProbe(u"B", &journal);
    window.AddListener(a);
    window.AddListener(b);
    window.Open();
    window.Open();
    journal.clear();
    EXPECT_EQ(Send(window, kMsgClose, 0, 0), RC_OK);
    // Each listener runs its own close, which asks its own CanClose.
    EXPECT_EQ(journal, (tJournal{"Win: Close", "Win: CanClose", "A: CanClose", "B: CanClose", "A: Close", "A: CanClose",
                                 "B: Close", "B: CanClose"}));
    EXPECT_EQ(window.OpenCount(), 1);

    // A refusal (a score whose save failed) keeps the listeners untold and
    // the window open.
    b->canCloseAnswer = RC_FAIL;
    journal.clear();
    EXPECT_EQ(Send(window, kMsgClose, 0, 0), RC_FAIL);
    EXPECT_EQ(journal, (tJournal{"Win: Close", "Win: CanClose", "A: CanClose", "B: CanClose"}));
    EXPECT_EQ(window.OpenCount(), 1);
}

TEST(Ownership, ControlsAndListenersGoWithTheWindowAndTheStatusBarOnce) {
    int deaths = 0;
    {
        cProbe window(u"Win", nullptr);
        window.AddControl(new cGuiControl(&window, 1));
        window.AddListener(new cProbe(u"L1", nullptr, &window, &deaths));
        // The status bar is held by the window and also listens to it.
        auto *bar = new cProbe(u"Bar", nullptr, &window, &deaths);
        window.GiveStatusBar(bar);
        window.AddListener(bar);
        EXPECT_EQ(window.GetStatusBar(), bar);
    }
    EXPECT_EQ(deaths, 2);

    // Replacing the status bar takes the old one out of the listeners.
    deaths = 0;
    {
        cProbe window(u"Win", nullptr);
        auto *bar = new cProbe(u"Bar", nullptr, &window, &deaths);
        window.GiveStatusBar(bar);
        window.AddListener(bar);
        EXPECT_EQ(window.CreateStatusBar(0), nullptr);
        EXPECT_EQ(deaths, 1);
        EXPECT_TRUE(window.Listeners().empty());
        EXPECT_EQ(window.GetStatusBar(), nullptr);
        // The same through the plain setter a window uses for a new bar.
        auto *second = new cProbe(u"Bar2", nullptr, &window, &deaths);
        window.HoldStatusBar(second);
        window.AddListener(second);
        window.HoldStatusBar(new cProbe(u"Bar3", nullptr, &window, &deaths));
        EXPECT_EQ(deaths, 2);
        EXPECT_TRUE(window.Listeners().empty());
    }
    EXPECT_EQ(deaths, 3);
}

TEST(Ownership, StatusBarOfTheOwnerServesItsChildren) {
    cProbe frame(u"Frame", nullptr);
    cProbe child(u"Child", nullptr, &frame);
    EXPECT_EQ(child.GetStatusBar(), nullptr);
    auto *bar = new cProbe(u"Bar", nullptr, &frame);
    frame.GiveStatusBar(bar);
    EXPECT_EQ(child.GetStatusBar(), bar);
}

TEST(Controls, BroughtUpInOrderThenToldTheyAreUp) {
    tJournal journal;
    cProbe window(u"Win", &journal);
    window.AddControl(new cProbeControl(3, &journal));
    window.AddControl(new cProbeControl(4, &journal));
    static tJournal *events;
    events = &journal;
    EXPECT_EQ(window.CallEventHandler(3, kDialogEventInit), RC_FAIL);  // no handler yet
    window.SetEventHandler(
        [](uint32_t controlId, int32_t code, cMessageDvcBase *, uint32_t data) -> int32_t {
            events->push_back("event " + std::to_string(controlId) + " " + std::to_string(code) + " " +
                              std::to_string(data));
            return RC_OK;
        },
        99);
    EXPECT_EQ(window.InitControls(), RC_OK);
    // A control's open step prepares once itself (showing nothing yet);
    // the second prepare is the one that shows the value.
    EXPECT_EQ(journal, (tJournal{"owner 3", "open 3", "prepare 3", "prepare 3", "owner 4", "open 4", "prepare 4",
                                 "prepare 4", "event 3 1028 99", "event 4 1028 99"}));
    EXPECT_EQ(window.Controls()[0]->GetOwner(), &window);
}

TEST(MessageDevice, NamesKeysAndSettings) {
    cProbe window(u"Score", nullptr);
    EXPECT_EQ(std::u16string(window.GetTextKey()), u"Score_text");
    EXPECT_EQ(std::u16string(window.GetHintKey()), u"Score_hint");
    EXPECT_EQ(std::u16string(window.SetName(u"Other")), u"Score");
    EXPECT_EQ(std::u16string(window.GetName()), u"Other");
    EXPECT_EQ(window.SetEnabled(0), 1);
    EXPECT_EQ(window.IsEnabled(), 0);
    EXPECT_EQ(window.SetWindowStyle(0x10), 0u);
    EXPECT_EQ(window.PutChars(u"abc", 3), 0);
    EXPECT_EQ(window.FilterCode(0x1234), 0x1234);
    window.SetFrameRect(800, 200, 205, 180);
    EXPECT_EQ(window.FrameRect().x, 800);
    EXPECT_EQ(window.FrameRect().width, 205);
    test::LogCapture log("mouse_pos");
    window.StoreMousePos(3, 4);
    window.LogMousePos();
    EXPECT_EQ(log.Text(), "Other: Mouse=3,4\r\n");
}

TEST(WindowMap, DeliveryFindsTheObjectPreviewsAndRoutes) {
    tJournal journal;
    size_t before = WindowMapCount();
    {
        cProbe window(u"Win", &journal);
        tWindowHandle h = FakeHandle(1);
        EXPECT_EQ(DeliverWindowMessage(h, kMsgLeftDown, 1, At(4, 6)), MSG_NOT_HANDLED);  // not mapped yet
        EXPECT_TRUE(journal.empty());
        MapWindow(h, &window);
        EXPECT_EQ(FindWindowObject(h), &window);
        EXPECT_EQ(DeliverWindowMessage(h, kMsgLeftDown, 1, At(4, 6)), RC_OK);
        EXPECT_EQ(journal, (tJournal{"Win: Preview 513", "Win: LeftDown 4,6"}));
        // Only MSG_NOT_HANDLED goes on to the default handling.
        EXPECT_EQ(DeliverWindowMessage(h, kMsgLeftDoubleClick, 1, 0), MSG_NOT_HANDLED);
        EXPECT_EQ(DeliverWindowMessage(h, kMsgChar, 'x', 0), RC_FAIL);
        // Another object for the same handle replaces the first.
        cProbe other(u"Other", &journal);
        MapWindow(h, &other);
        EXPECT_EQ(FindWindowObject(h), &other);
        EXPECT_EQ(WindowMapCount(), before + 1);
    }
    // Deleted objects leave no entry behind.
    EXPECT_EQ(WindowMapCount(), before);
}

TEST(WindowMap, DestroyForgetsTheHandle) {
    tJournal journal;
    cProbe owner(u"Owner", nullptr);
    cProbe window(u"Win", &journal, &owner);
    tWindowHandle h = FakeHandle(2);
    window.SetWindowHandle(h);
    MapWindow(h, &window);
    EXPECT_EQ(DeliverWindowMessage(h, kMsgDestroy, 0, 0), RC_OK);
    EXPECT_EQ(FindWindowObject(h), nullptr);
    EXPECT_EQ(window.GetWindowHandle(), owner.GetWindowHandle());
    // A later message for the same handle value reaches no object.
    journal.clear();
    EXPECT_EQ(DeliverWindowMessage(h, kMsgLeftDown, 0, 0), MSG_NOT_HANDLED);
    EXPECT_TRUE(journal.empty());
}

TEST(WindowMap, DialogDelivery) {
    static tJournal calls;
    static intptr_t answer;
    calls.clear();
    auto deliver = [](tWindowHandle, uint32_t message, tWParam, tLParam) -> intptr_t {
        calls.push_back("deliver " + std::to_string(message));
        return answer;
    };
    cProbe dialog(u"Dialog", nullptr);
    tWindowHandle h = FakeHandle(3);
    // Messages of a dialog the map does not know answer FALSE.
    EXPECT_EQ(DeliverDialogMessage(h, kMsgCommand, 1, 0, deliver), 0);
    EXPECT_TRUE(calls.empty());
    // WM_INITDIALOG maps the dialog it carries and answers TRUE whatever
    // the handler said, also for a handle already mapped.
    cProbe earlier(u"Earlier", nullptr);
    MapWindow(h, &earlier);
    answer = -5;
    EXPECT_EQ(DeliverDialogMessage(h, kMsgInitDialog, 0, reinterpret_cast<tLParam>(&dialog), deliver), 1);
    EXPECT_EQ(FindWindowObject(h), &dialog);
    EXPECT_EQ(dialog.GetWindowHandle(), h);
    struct sCase {
        uint32_t message;
        intptr_t answer;
        intptr_t expected;
        bool delivered;
    };
    const sCase cases[] = {
        {kMsgCommand, 0, 1, true},        {kMsgCommand, -1, 0, true},       {kMsgCreate, 0, 1, true},
        {kMsgMove, 3, 1, true},           {kMsgDrawItem, 0, 1, true},       {kMsgHScroll, 0, 1, true},
        {kMsgVScroll, 0, 1, true},        {kMsgMouseMove, 0, 1, true},      {kMsgLeftDown, 0, 1, true},
        {kMsgPaint, 0, 0, false},         {kMsgClose, 0, 0, false},         {kMsgLeftUp, 0, 0, false},
        {kMsgRightDown, 0, 0, false},     {kMsgKeyDown, 0, 0, false},       {kMsgDestroy, 0, 0, false},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.message);
        calls.clear();
        answer = c.answer;
        EXPECT_EQ(DeliverDialogMessage(h, c.message, 0, 0, deliver), c.expected);
        EXPECT_EQ(calls.size(), c.delivered ? 1u : 0u);
    }
    UnmapWindow(h);
    dialog.SetWindowHandle(nullptr);
}

TEST(WindowRegister, TheTopWindowKeepsOneEntryPerOpenWindow) {
    cViewPortTop top(5, u"Top");
    EXPECT_EQ(gOpSys->GetMainWindow(), &top);
    cProbe child(u"Child", nullptr, &top);
    cProbe grandChild(u"Grand", nullptr, &child);
    cProbe loner(u"Loner", nullptr);
    EXPECT_EQ(top.FindRegisteredWindow(&child), nullptr);
    child.Open();
    grandChild.Open();
    loner.Open();
    EXPECT_EQ(top.Register(), (std::vector<cMessageDvcBase *>{&child, &grandChild}));
    EXPECT_EQ(grandChild.FindRegisteredWindow(&child), &child);
    EXPECT_EQ(loner.FindRegisteredWindow(&loner), nullptr);
    // Registering again changes nothing; one unregister removes it.
    EXPECT_EQ(top.RegisterWindow(&child), &child);
    EXPECT_EQ(top.Register().size(), 2u);
    child.Close();
    EXPECT_EQ(top.FindRegisteredWindow(&child), nullptr);
    EXPECT_EQ(top.UnregisterWindow(&child), nullptr);
    EXPECT_EQ(top.Register(), (std::vector<cMessageDvcBase *>{&grandChild}));
}

TEST(WindowRegister, TheTopWindowStopsBeingTheMainWindowWhenItGoes) {
    {
        cViewPortTop top(5, u"Top");
        EXPECT_EQ(gOpSys->GetMainWindow(), &top);
    }
    EXPECT_EQ(gOpSys->GetMainWindow(), nullptr);
}

}  // namespace
