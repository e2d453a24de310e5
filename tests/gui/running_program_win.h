// One running program for a GUI test: a fresh data folder, the program
// started on it, its frame, and the round trips and files that the tests of
// the running program share.  A test that leaves the program running has it
// ended by File > Exit afterwards, and a fault on the way fails the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "tests/gui/gui_driver_win.h"

namespace gui {

class cRunningProgram : public testing::Test {
protected:
    static constexpr uint32_t kCmdExit = 111;

    // A fresh data folder for the test; files go into it before the start.
    void Use(const char *name) { folder = FreshFolder(name); }
    // The settings file of a start after the first, with these lines too
    // (each ending in "\n").
    void WriteSettings(const std::u16string &lines = u"") {
        WriteFile(folder + kSettingsName, Utf16File(kFirstRunSettings + lines));
    }
    // A file of the source tree (path from the source root) copied into the
    // data folder under the name; its path there.
    std::u16string CopyIn(const char *source, const std::u16string &as);
    // Starts the program on the data folder (`how.dataFolder` is set here)
    // and waits for its frame.
    void Launch(sStart how = {});
    // Use, then Launch.
    void Start(const char *name, sStart how = {}) {
        Use(name);
        Launch(std::move(how));
    }
    void TearDown() override;

    // Every message posted so far was handled: the program answers the
    // state channel from its main loop only, after them.  The state dump.
    tStateDump Settled();
    // File > Exit, then the end: the exit code (0xDEAD when the program did
    // not end in time).  The frame is gone afterwards.
    uint32_t Exit() {
        PostCommand(frame, kCmdExit);
        return WaitForEnd();
    }
    // The end that the test brought about (a close, a fault): the exit code,
    // or 0xDEAD when the program did not end in time.  The frame is gone
    // afterwards, and TearDown leaves the ended program alone.
    uint32_t WaitForEnd(uint32_t timeoutMs = 30000);

    std::u16string LogPath() const { return folder + TodaysLogName(); }
    std::string Log() const { return ReadFile(LogPath()); }
    std::string Settings() const { return ReadFile(folder + kSettingsName); }
    // A text as it stands in a UTF-16 file such as the settings file (no
    // byte-order mark), to be found in its bytes.
    static std::string Utf16Text(const std::u16string &text) { return Utf16File(text).substr(2); }
    // Waits until the log holds the text at or after `from`, turning
    // through the program's main loop meanwhile; its place, or npos.
    size_t WaitForLogAfter(const std::string &text, size_t from = 0);
    // Polls the condition until it holds; false after the timeout.
    static bool WaitUntil(const std::function<bool()> &holds, uint32_t timeoutMs = 30000);

    // The score window and the static palette, children of the frame.
    HWND ScoreWindow() const { return ChildOfClass(frame, u"VPClassMusicWin"); }
    HWND StaticPalette() const { return ChildOfClass(frame, u"Tool_Bar_Window"); }
    // A part of the status bar in a state dump ("<none>" when it has none);
    // part 0, the help part, as the program shows it now.
    static std::string StatusPart(const tStateDump &dump, const char *index);
    std::string HelpPart() { return StatusPart(program.ReadState(frame), "0"); }

    std::u16string folder;
    cProgram program;
    HWND frame = nullptr;
};

}  // namespace gui
