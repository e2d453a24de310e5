// The Win32 side of the operating-system object: the fault guard around the
// message loop, the wait pump, stored path names, the music font removal,
// a settings file held by another program and 8-bit conversion.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>
#include <stdexcept>

#include "foundation/win32_win.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"

namespace {

cOpSysVirtual &Sys() { return test::OpSys(); }

enum : UINT { kFault = WM_APP + 1, kThrow, kCount, kSendFault, kLibraryFault };
int gHandled = 0;

int CountOf(const std::string &text, const std::string &what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kFault: {
            volatile int *nowhere = reinterpret_cast<int *>(wParam);
            *nowhere = 1;
            return 1;
        }
        case kThrow:
            throw std::runtime_error("handler failed");
        case kCount:
            ++gHandled;
            return 0;
        case kSendFault:
            SendMessageW(reinterpret_cast<HWND>(lParam), kFault, 0, 0);
            ++gHandled;  // the send came back normally
            return 0;
        case kLibraryFault: {
            // A fault inside the C library, called by the handler.
            void *(*volatile fill)(void *, int, size_t) = &std::memset;
            fill(nullptr, 0, 64);
            return 0;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A window whose procedure guards its handler as the program's does.
LRESULT CALLBACK GuardedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunGuarded<LRESULT>([&]() { return Handle(hwnd, message, wParam, lParam); },
                               [](const sFaultInfo &info) -> LRESULT { return MessageLoopHandler(info); });
}

HWND MakeWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = GuardedProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PelmoraGuardTest";
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowExW(0, L"PelmoraGuardTest", L"", 0, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

}  // namespace

TEST(MessageLoop, AFaultInAHandlerIsReportedOnceAndEndsTheLoopWithZero) {
    test::LogCapture log("loop_fault");
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, kFault, 0, 0);
    PostMessageW(window, kFault, 0, 0);  // never reached: the loop ends first
    EXPECT_EQ(Sys().RunMessageLoop(nullptr), 0);
    std::string text = log.Text();
    EXPECT_EQ(CountOf(text, "Exception address: 0x"), 1) << text;
    EXPECT_EQ(CountOf(text, "Error in OpSys: Access Violation"), 1) << text;
    EXPECT_NE(text.find(" Data = 0x1, 0x0"), std::string::npos) << text;  // a write to address 0

    // The loop runs again afterwards, and the quit code comes through.
    MSG stale;
    while (PeekMessageW(&stale, window, 0, 0, PM_REMOVE)) {
    }
    PostMessageW(window, kCount, 0, 0);
    PostQuitMessage(7);
    gHandled = 0;
    EXPECT_EQ(Sys().RunMessageLoop(nullptr), 7);
    EXPECT_EQ(gHandled, 1);
    DestroyWindow(window);
}

TEST(MessageLoop, ACppExceptionInAHandlerEndsTheLoopAsAnUnknownException) {
    test::LogCapture log("loop_throw");
    HWND window = MakeWindow();
    PostMessageW(window, kThrow, 0, 0);
    EXPECT_EQ(Sys().RunMessageLoop(nullptr), 0);
    EXPECT_NE(log.Text().find("Error in OpSys: Unknown exception"), std::string::npos) << log.Text();
    DestroyWindow(window);
}

TEST(MessageLoop, AFaultInsideANestedSendIsTakenBackToTheInnerHandler) {
    test::LogCapture log("loop_nested");
    HWND outer = MakeWindow();
    HWND inner = MakeWindow();
    gHandled = 0;
    PostMessageW(outer, kSendFault, 0, reinterpret_cast<LPARAM>(inner));
    EXPECT_EQ(Sys().RunMessageLoop(nullptr), 0);
    EXPECT_EQ(gHandled, 1);
    EXPECT_EQ(CountOf(log.Text(), "Error in OpSys: Access Violation"), 1);
    EXPECT_EQ(FaultRescueDepth(), 0);
    DestroyWindow(outer);
    DestroyWindow(inner);
}

TEST(MessageLoop, AFaultInsideALibraryCallEndsTheLoopToo) {
    test::LogCapture log("loop_library");
    HWND window = MakeWindow();
    PostMessageW(window, kLibraryFault, 0, 0);
    EXPECT_EQ(Sys().RunMessageLoop(nullptr), 0);
    EXPECT_EQ(CountOf(log.Text(), "Error in OpSys: "), 1) << log.Text();
    EXPECT_EQ(FaultRescueDepth(), 0);
    DestroyWindow(window);
}

TEST(WaitPump, ShortWaitsSpinLongOnesDispatchAndAQuitIsKept) {
    HWND window = MakeWindow();
    DWORD start = GetTickCount();
    EXPECT_EQ(Sys().Wait(0), RC_OK);
    gHandled = 0;
    PostMessageW(window, kCount, 0, 0);
    start = GetTickCount();
    EXPECT_EQ(Sys().Wait(50), RC_OK);
    EXPECT_GE(GetTickCount() - start, 50u);
    EXPECT_EQ(gHandled, 0);  // spinning dispatches nothing
    EXPECT_EQ(Sys().Wait(80), RC_OK);
    EXPECT_EQ(gHandled, 1);
    // A quit request taken by the pump reaches the main loop afterwards.
    PostQuitMessage(3);
    EXPECT_EQ(Sys().Wait(60), RC_OK);
    EXPECT_EQ(Sys().RunMessageLoop(nullptr), 3);
    DestroyWindow(window);
}

TEST(StoredPathName, TheDiskSpellingOfEachComponent) {
    std::u16string root = test::MakeTempFolder("stored");
    CreateDirectoryW(W((root + u"Music").c_str()), nullptr);
    test::WriteFileBytes(root + u"Music\\Song.pmr", "x");
    std::u16string lower = root + u"music\\song.pmr";
    EXPECT_EQ(std::u16string(Sys().GetStoredPathName(lower.c_str())), root + u"Music\\Song.pmr");
    std::u16string quoted = u"\"" + lower + u"\"";
    EXPECT_EQ(std::u16string(Sys().GetStoredPathName(quoted.c_str())), root + u"Music\\Song.pmr");
    std::u16string folder = root + u"music\\";
    EXPECT_EQ(std::u16string(Sys().GetStoredPathName(folder.c_str())), root + u"Music\\");
    std::u16string missing = root + u"music\\New.pmr";
    EXPECT_EQ(std::u16string(Sys().GetStoredPathName(missing.c_str())), root + u"Music\\New.pmr");
    EXPECT_EQ(std::u16string(Sys().GetStoredPathName(u"x.pmr")), u"x.pmr");
    EXPECT_EQ(std::u16string(Sys().GetStoredPathName(u"c:\\")), u"c:\\");
}

TEST(MusicFont, ExactlyThePathThatWasAddedIsRemoved) {
    std::u16string source = test::SourcePath("resources/pelmora_5a.ttf");
    std::u16string path = test::MakeTempFolder("font") + u"pelmora_5a.ttf";
    ASSERT_TRUE(CopyFileW(W(source.c_str()), W(path.c_str()), FALSE));
    ASSERT_GT(AddFontResourceW(W(path.c_str())), 0);
    Sys().SetAddedFontFile(path.c_str());
    EXPECT_EQ(Sys().RemoveAddedFontFile(), RC_OK);
    EXPECT_FALSE(RemoveFontResourceW(W(path.c_str())));  // it is gone already
    EXPECT_EQ(Sys().GetAddedFontFile(), u"");
    EXPECT_EQ(Sys().RemoveAddedFontFile(), RC_OK);  // nothing added, nothing removed
}

TEST(SettingsSetup, AFileHeldByAnotherProgramIsNeitherReadNorReplaced) {
    std::u16string data = test::MakeTempFolder("settings_locked");
    std::u16string path = data + u"PelmoraSetup.ini";
    std::string original("\xFF\xFEL\0a\0n\0g\0u\0a\0g\0e\0=\0\x35\0\n\0", 24);
    test::WriteFileBytes(path, original);
    cOpSysBase *saved = gOpSys;
    {
        cOpSysVirtual run(nullptr, nullptr, u"");
        run.SetDataFolderForTest(data);
        run.SetScriptedBoxAnswer(1);
        run.SetErrorMode(2);
        HANDLE held = CreateFileW(W(path.c_str()), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(run.SetupIniFileInDataFolder(u"PelmoraSetup.ini"), RC_OK);
        EXPECT_TRUE(run.SettingsUnreadable());
        CloseHandle(held);  // writable again: a save would now replace it
        run.AddRecentFile(u"C:\\x.pmr", 4);
        run.Shutdown();
    }
    gOpSys = saved;
    EXPECT_EQ(test::ReadFileBytes(path), original);
}

// Runs only where the ANSI code page is a double-byte one (the "gui" test
// list starts the tests once more with a Japanese character type).
TEST(AnsiConversion, TextsLongerInTheCodePageAreConvertedWhole) {
    if (GetACP() != 932) GTEST_SKIP() << "ANSI code page " << GetACP();
    const char16_t text[] = u"\u65e5\u672c\u8a9e a";  // three double-byte characters
    const char *ansi = Sys().ToAnsiText(text);
    EXPECT_EQ(std::strlen(ansi), 8u);
    EXPECT_EQ(std::u16string(Sys().ToWideText(ansi)), text);
}

