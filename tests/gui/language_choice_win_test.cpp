// The language at start-up for an English user: no question, no language
// file, and the settings keep whatever choice they held.
#include <gtest/gtest.h>

#include "tests/gui/gui_driver_win.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdExit = 111;

// Starts the program, waits for its frame, ends it by File > Exit.
void RunAndExit(const std::u16string &folder) {
    cProgram program;
    ASSERT_TRUE(program.Start(folder));
    HWND frame = program.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(program.WaitForWindow(u"Select Language", nullptr, 500), nullptr);
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    uint32_t code = 0xDEAD;
    ASSERT_TRUE(program.WaitForExit(30000, code));
    EXPECT_EQ(code, 0u);
}

std::string Key(const std::u16string &line) { return Utf16File(line).substr(2); }

}  // namespace

TEST(LanguageChoice, EnglishUserIsNotAskedAndNothingIsStored) {
    std::u16string folder = FreshFolder("language_english");
    RunAndExit(folder);
    std::string ini = ReadFile(folder + u"PelmoraSetup.ini");
    ASSERT_FALSE(ini.empty());
    EXPECT_EQ(ini.find(Key(u"TranslationFile")), std::string::npos);
    EXPECT_EQ(CountOf(ReadFile(folder + TodaysLogName()), "Selected language file "), 0);
}

TEST(LanguageChoice, EnglishChosenBeforeStaysChosen) {
    std::u16string folder = FreshFolder("language_zero");
    WriteFile(folder + u"PelmoraSetup.ini", Utf16File(u"Language=0\nTranslationFile=0\n"));
    RunAndExit(folder);
    std::string ini = ReadFile(folder + u"PelmoraSetup.ini");
    EXPECT_NE(ini.find(Key(u"TranslationFile=0\n")), std::string::npos);
}
