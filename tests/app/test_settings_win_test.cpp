// The test settings as the program takes them at start-up: each is put in
// the environment, applied by ApplyTestSettings as wWinMain applies it, and
// then seen through the entry points the program itself calls (the message
// boxes and file dialogs of a window, the MIDI player, the printer, the
// help viewer).
#include "foundation/win32_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/test_settings.h"
#include "foundation/text_util.h"
#include "midi/midi_devices.h"
#include "midi/midi_driver.h"
#include "midi/midi_track.h"
#include "platform/op_sys.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"
#include "ui/help_engine.h"
#include "ui/message_dvc.h"
#include "ui/print_spooler.h"
#include "ui/view_help.h"
#include "ui/view_port.h"
#include "ui/win_print.h"

namespace {

struct sVariable {
    const wchar_t *name;
    std::u16string value;
};

// Puts the variables in the environment and applies the settings as the
// program's start does; on the way out takes them away again and gives the
// test main's set-up back (every box answered 1, no file answers, the
// system's MIDI driver, spooler and help engine).
class cAppliedSettings {
public:
    explicit cAppliedSettings(std::initializer_list<sVariable> variables) {
        for (const sVariable &v : variables) {
            SetEnvironmentVariableW(v.name, W(v.value.c_str()));
            names.push_back(v.name);
        }
        ApplyTestSettings(test::OpSys());
    }
    ~cAppliedSettings() {
        for (const wchar_t *name : names) SetEnvironmentVariableW(name, nullptr);
        test::OpSys().SetScriptedBoxAnswer(1);
        test::OpSys().SetScriptedFileAnswers({});
        SetMidiDriver(nullptr);
        SetPrintSpooler(nullptr);
        SetHelpEngine(nullptr);
    }
    cAppliedSettings(const cAppliedSettings &) = delete;
    cAppliedSettings &operator=(const cAppliedSettings &) = delete;

private:
    std::vector<const wchar_t *> names;
};

// A window object of the program that asks the user; it needs no window.
class cAskingView : public cViewPort {
public:
    cAskingView() : cViewPort(nullptr, 0, u"Asking") {}
};

// ---- Message boxes ---------------------------------------------------------

TEST(TestSettings, BoxAnswersAreQueuedAndTheLastRepeats) {
    struct {
        const char16_t *value;
        std::vector<int32_t> answers;  // of five boxes in a row
    } cases[] = {
        {u"6,7,1", {6, 7, 1, 1, 1}},
        {u"2", {2, 2, 2, 2, 2}},
        {u"6,7", {6, 7, 7, 7, 7}},
        // A 0 stands for "show the box": the queue ends before it.
        {u"6,0,7", {6, 6, 6, 6, 6}},
    };
    for (const auto &c : cases) {
        test::LogCapture log("settings_boxes");
        cAppliedSettings settings{{L"PELMORA_TEST_BOX_ANSWER", c.value}};
        cAskingView view;
        std::vector<int32_t> answers;
        answers.push_back(view.AskYesNo(u"Do you want to save?", u"Score has changed"));
        answers.push_back(view.AskYesNo(u"Replace the file?", u"Save as"));
        answers.push_back(view.ShowMessage(u"Check your MIDI setup", u"MIDI Error"));
        answers.push_back(test::OpSys().MessageBox(u"Fourth", u"Box", 0));
        answers.push_back(view.AskYesNo(u"Fifth", u"Box"));
        EXPECT_EQ(answers, c.answers) << test::Narrow(c.value);
        // Each box is logged with its caption and text, none is shown.
        EXPECT_EQ(log.Text(),
                  "Box: Score has changed: Do you want to save?\r\nBox: Save as: Replace the file?\r\n"
                  "Box: MIDI Error: Check your MIDI setup\r\nBox: Box: Fourth\r\nBox: Box: Fifth\r\n")
            << test::Narrow(c.value);
    }
}

// Answers that script nothing leave the boxes to the user (the test main's
// answer is taken away, so a box would show).
TEST(TestSettings, BoxAnswersThatScriptNothingShowTheBoxes) {
    for (const char16_t *value : {u"0", u"none", u",6"}) {
        cAppliedSettings settings{{L"PELMORA_TEST_BOX_ANSWER", value}};
        EXPECT_EQ(test::OpSys().GetScriptedBoxAnswer(), 0) << test::Narrow(value);
    }
}

// ---- File dialogs ----------------------------------------------------------

TEST(TestSettings, FileAnswersComeFromTheFileOneLineEach) {
    std::u16string folder = test::MakeTempFolder("settings_file_answers");
    std::u16string answers = folder + u"answers.txt";
    // Line ends of either kind, a path outside ASCII, an empty line.
    test::WriteFileBytes(answers, "c:\\scores\\first.pmr\r\n\r\nz:\\tmp\\\xC3\xBC" "ber.mid\n");
    test::LogCapture log("settings_file_dialogs");
    std::u16string before = test::OpSys().GetCurrentFile();
    {
        cAppliedSettings settings{{L"PELMORA_TEST_FILE_ANSWERS", answers}};
        cAskingView view;
        const char16_t *chosen = view.AskOpenFileName(u"Scores|*.pmr", u"pmr");
        ASSERT_NE(chosen, nullptr);
        EXPECT_EQ(std::u16string(chosen), u"c:\\scores\\first.pmr");
        EXPECT_EQ(test::OpSys().GetCurrentFile(), u"c:\\scores\\first.pmr");
        // The empty line cancels the next dialog; the current file stays.
        EXPECT_EQ(view.AskSaveFileName(u"Scores|*.pmr", u"pmr"), nullptr);
        EXPECT_EQ(test::OpSys().GetCurrentFile(), u"c:\\scores\\first.pmr");
        chosen = view.AskSaveFileName(u"MIDI files|*.mid", u"mid");
        ASSERT_NE(chosen, nullptr);
        EXPECT_EQ(std::u16string(chosen), u"z:\\tmp\\\u00FCber.mid");
        // The file is used up: the next dialog would be the real one, and
        // the log says so.
        std::u16string path;
        EXPECT_FALSE(test::OpSys().TakeScriptedFileAnswer(u"Open", path));
    }
    // The session log holds the ANSI code page's bytes (1252 here).
    EXPECT_EQ(log.Text(), "File dialog: Open: c:\\scores\\first.pmr\r\nFile dialog: Save: Cancel\r\n"
                          "File dialog: Save: z:\\tmp\\\xFC" "ber.mid\r\nFile dialog: Open: not scripted\r\n");
    test::OpSys().SetCurrentFile(before.c_str());
}

// How the lines of the file become answers, a table of file contents.
TEST(TestSettings, FileAnswerFilesLineByLine) {
    struct {
        const char *bytes;
        std::vector<std::u16string> answers;
    } cases[] = {
        {"a.pmr", {u"a.pmr"}},                                  // no line end after the last line
        {"a.pmr\r\n\r\n", {u"a.pmr", u""}},                     // an empty last line is a Cancel
        {"\n\nb.pmr\n", {u"", u"", u"b.pmr"}},                  // Cancels first
        {"\xEF\xBB\xBF" "c.pmr\r\nd.pmr", {u"c.pmr", u"d.pmr"}},  // a byte-order mark is no part of a path
        {"with space.pmr \r\n", {u"with space.pmr "}},          // blanks belong to the path
    };
    std::u16string folder = test::MakeTempFolder("settings_answer_lines");
    for (const auto &c : cases) {
        std::u16string file = folder + u"answers.txt";
        test::WriteFileBytes(file, c.bytes);
        test::LogCapture log("settings_answer_lines_log");
        cAppliedSettings settings{{L"PELMORA_TEST_FILE_ANSWERS", file}};
        std::vector<std::u16string> taken;
        std::u16string path;
        while (taken.size() < 10 && test::OpSys().TakeScriptedFileAnswer(u"Open", path)) taken.push_back(path);
        EXPECT_EQ(taken, c.answers) << c.bytes;
    }
}

// A file that cannot be read scripts nothing: the real dialogs run, and no
// dialog is logged.
TEST(TestSettings, AMissingAnswerFileScriptsNothing) {
    test::LogCapture log("settings_no_answers");
    std::u16string missing = test::MakeTempFolder("settings_missing_answers") + u"none.txt";
    cAppliedSettings settings{{L"PELMORA_TEST_FILE_ANSWERS", missing}};
    std::u16string path;
    EXPECT_FALSE(test::OpSys().TakeScriptedFileAnswer(u"Open", path));
    EXPECT_EQ(log.Text(), "");
}

// ---- Without settings ------------------------------------------------------

TEST(TestSettings, WithoutSettingsNothingChanges) {
    cMidiDriver *driver = GetMidiDriver();
    cPrintSpooler *spooler = &GetPrintSpooler();
    cHelpEngine *help = &GetHelpEngine();
    ApplyTestSettings(test::OpSys());
    EXPECT_EQ(GetMidiDriver(), driver);
    EXPECT_EQ(GetMidiDriver(), &SystemMidiDriver());
    EXPECT_EQ(&GetPrintSpooler(), spooler);
    EXPECT_EQ(&GetHelpEngine(), help);
    EXPECT_EQ(test::OpSys().GetScriptedBoxAnswer(), 1);  // the test main's
    std::u16string path;
    EXPECT_FALSE(test::OpSys().TakeScriptedFileAnswer(u"Open", path));
    EXPECT_FALSE(test::OpSys().IsShiftDown());
    EXPECT_FALSE(test::OpSys().IsCtrlDown());
}

// ---- MIDI without a device -------------------------------------------------

// A window that only receives the player's notices (WM_USER), so that the
// test reads them as the program's window would.
class cNoticeWindow {
public:
    cNoticeWindow() : window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~cNoticeWindow() {
        if (window) DestroyWindow(window);
    }
    HWND Handle() const { return window; }

    // Takes the notices until one is "done" or the time is up.
    std::vector<std::pair<uintptr_t, intptr_t>> UntilDone(std::chrono::milliseconds limit) {
        std::vector<std::pair<uintptr_t, intptr_t>> notices;
        auto until = std::chrono::steady_clock::now() + limit;
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, window, WM_USER, WM_USER, PM_REMOVE)) {
                notices.emplace_back(uintptr_t(msg.wParam), intptr_t(msg.lParam));
                if (msg.wParam == kMomDone) return notices;
            }
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            if (left.count() <= 0) return notices;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left.count()), QS_POSTMESSAGE);
        }
    }

private:
    HWND window;
};

TEST(TestSettings, MidiPlaysWithoutADeviceAndRecordsWhatItPlayed) {
    std::u16string record = test::MakeTempFolder("settings_midi") + u"played.txt";
    cAppliedSettings settings{{L"PELMORA_TEST_MIDI", u"50," + record}};
    ASSERT_NE(GetMidiDriver(), &SystemMidiDriver());
    // The device report of the session log names the driver.
    EXPECT_NE(std::u16string(GetMidiDeviceReport()).find(u"MIDI Mapper: Name Pelmora test MIDI (no device), "),
              std::u16string::npos)
        << test::Narrow(GetMidiDeviceReport());

    cNoticeWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    std::vector<std::pair<uintptr_t, intptr_t>> notices;
    {
        // Three onsets a quarter apart at 120 beats a minute, each marked
        // (tag 10 + onset) and a chunk of its own.
        cMidiTrack track(480, 1024);
        ASSERT_TRUE(track.HasStream());
        track.PutTempo(120);
        track.PutProgramChange(0, 0);
        for (uint32_t i = 0; i < 3; ++i) {
            track.PutPositionMark(10 + i, 480 * i);
            track.PutNote(int32_t(i), 480 * i, 240);
            track.BreakChunk();
        }
        track.PutEndOfTrack();
        track.SetNotifyWindow(window.Handle());
        track.Play();
        notices = window.UntilDone(std::chrono::seconds(30));
    }
    // The marks in order, then the end, through the system's notices.
    std::vector<std::pair<uintptr_t, intptr_t>> expected = {
        {kMomPositionCb, 10}, {kMomPositionCb, 11}, {kMomPositionCb, 12}, {kMomDone, 0}};
    EXPECT_EQ(notices, expected);

    // The program change, then each note on and off, at its time of music
    // in milliseconds: 500 ms a quarter, the notes held an eighth less a
    // little (the player ends notes early).
    std::vector<std::string> lines = test::SplitLines(test::ReadFileBytes(record));
    ASSERT_EQ(lines.size(), 7u) << test::ReadFileBytes(record);
    EXPECT_EQ(lines[0], "0 C0 00 00");
    for (uint32_t i = 0; i < 3; ++i) {
        const std::string &on = lines[1 + 2 * i], &off = lines[2 + 2 * i];
        EXPECT_EQ(on.substr(0, on.find(' ')), std::to_string(500 * i)) << on;
        EXPECT_EQ(on.substr(on.find(' '), 4), " 90 ") << on;
        EXPECT_EQ(off.substr(off.find(' '), 4), " 80 ") << off;
        EXPECT_EQ(on.substr(on.find(' ') + 4, 2), off.substr(off.find(' ') + 4, 2)) << on << " / " << off;
        int offTime = std::stoi(off);
        EXPECT_GT(offTime, int(500 * i) + 200) << off;
        EXPECT_LE(offTime, int(500 * i) + 250) << off;
    }
}

// ---- Printing and help -----------------------------------------------------

TEST(TestSettings, APrintJobLandsInThePrintFile) {
    std::u16string file = test::MakeTempFolder("settings_print") + u"print.txt";
    cAppliedSettings settings{{L"PELMORA_TEST_PRINT", file}};
    {
        cWinPrint printer;
        ASSERT_TRUE(printer.HasPrinter());
        EXPECT_EQ(std::u16string(printer.GetPrinterName()), u"Pelmora test printer");
        ASSERT_EQ(printer.Open(), RC_OK);
        printer.DrawLine(0, 0, 100, 100);
        printer.NewPage();
        printer.FillEllipse(10, 10, 20, 20);
        EXPECT_EQ(printer.Close(), RC_OK);
    }
    // The job, its pages and what each page drew.
    EXPECT_EQ(test::SplitLines(test::ReadFileBytes(file)),
              (std::vector<std::string>{"doc PrintDoc", "page 2480 3508 300", "  line 0 0 101 101", "endpage",
                                        "page 2480 3508 300", "  ellipse 10 10 30 30", "endpage", "enddoc"}));
}

TEST(TestSettings, HelpRequestsLandInTheHelpFileWithoutAHelpFile) {
    std::u16string folder = test::MakeTempFolder("settings_help");
    std::u16string file = folder + u"help.txt";
    std::u16string missing = folder + u"pelmora.chm";
    cAppliedSettings settings{{L"PELMORA_TEST_HELP", file}};
    class cAsker : public cMessageDvc {
    public:
        cAsker() : cMessageDvc(nullptr, 0, 0, u"asker", 0) {}
    } asker;
    {
        cViewHelp viewer;
        viewer.SetHelpFile(missing.c_str());
        EXPECT_EQ(viewer.ShowTopicId(&asker), RC_OK);     // the contents
        EXPECT_EQ(viewer.ShowTopic(&asker, 1052), RC_OK);  // a topic
    }
    std::string chm = test::Narrow(missing);
    EXPECT_EQ(test::ReadFileBytes(file),
              "HtmlHelp 0 0 " + chm + "\nHtmlHelp 15 1052 " + chm + "\nHtmlHelp 18 0 -\n");
}

}  // namespace
