// The score window on the headless device chain (and under Wine): a test
// frame with the five status parts and menu 1000 as the main menu, a MIDI
// driver without a device and a recording print spooler, so that the window
// opens as it does in the program.
#pragma once

#include "app/music_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/block_mark.h"
#include "foundation/text_util.h"
#include "midi/midi_track.h"
#include "platform/op_sys_base.h"
#include "platform/version_word.h"
#include "tests/midi/fake_midi_driver.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/fake_spooler.h"
#include "tests/support/log_capture.h"
#include "tests/support/main_menu_tree.h"
#include "tests/test_support.h"
#include "ui/status_bar.h"
#include "ui/status_slider.h"
#include "ui/win_print.h"

namespace test {

constexpr int32_t kOk = 1;
constexpr int32_t kYes = 6;
constexpr int32_t kNo = 7;

inline std::u16string S(const char16_t *text) { return text ? std::u16string(text) : std::u16string(u"<null>"); }

// The frame as far as the score window needs it: the five status parts and
// menu 1000 as the main menu.
class cTestFrame : public cViewPort {
public:
    cTestFrame() : cViewPort(nullptr, 0, u"TestFrame") {
        Open();
        auto *bar = new cStatusBar(this, 0);
        ReplaceStatusBar(bar);
        const int32_t parts[][3] = {{320, 0, 1}, {120, 0, 1}, {70, 100, 0}, {73, 100, 0}, {120, 0, 1}};
        for (const auto &p : parts) bar->AppendPart(p[0], p[1], p[2]);
        bar->Open();
        SetMainMenu(test::BuildMainMenuTree(this, &installs));
    }
    ~cTestFrame() override { SetMainMenu(nullptr); }

    // The title is kept here too: without a window system the frame has no
    // window text to keep it in.
    tStatus SetWindowTitle(const char16_t *text) override {
        title = text ? text : u"";
        return cViewPort::SetWindowTitle(text);
    }
    const char16_t *GetWindowTitle() override { return title.empty() ? nullptr : title.c_str(); }

    std::u16string Part(int32_t index) {
        return S(dynamic_cast<cStatusBarBase *>(GetStatusBar())->GetPartText(index));
    }

    std::vector<test::cTestMenu::sInstall> installs;
    std::u16string title;
};

class MusicWinTest : public StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        previousSpooler = SetPrintSpooler(&spooler);
        spooler.defaultPrinter = u"Laser";
        spooler.local = {test::cFakeSpooler::Printer(u"Laser")};
        // A box that shows up is answered (and logged), never left waiting.
        gOpSys->SetScriptedBoxAnswer(kOk);
        frame = std::make_unique<cTestFrame>();
        win = std::make_unique<MusicWin>(frame.get());
    }
    void TearDown() override {
        gOpSys->SetScriptedBoxAnswer(0);
        gOpSys->SetTranslateMode(false);
        gProgramStatus.SetDebugMode(false);
        gSelectedObject = nullptr;
        win.reset();
        StaffTest::TearDown();
        frame.reset();
        SetPrintSpooler(previousSpooler);
    }
    void Paint() {
        sWinMessage record;
        win->OnPaint(record);
    }
    cPObjPoint *FirstStaff() {
        ScoreObject *score = win->GetScore();
        for (int32_t i = 0; i < score->GetChildCount(); ++i)
            if (score->GetChild(i)->GetTypeId() == ScoreObject::kStaffId) return score->GetChild(i);
        return nullptr;
    }
    bool Enabled(uint32_t id) { return gMainMenu->IsCommandEnabled(id); }
    tStatus Command(uint32_t id) {
        sWinMessage record(kMsgCommand, id, 0);
        return win->OnCommand(record);
    }

    // The player plays on a driver without a device: the system's own
    // would look for an output device in every test.
    test::cFakeDriverScope midi;
    // The printer device prints on a recording spooler.
    test::cFakeSpooler spooler;
    cPrintSpooler *previousSpooler = nullptr;
    std::unique_ptr<cTestFrame> frame;
    std::unique_ptr<MusicWin> win;
};

}  // namespace test
