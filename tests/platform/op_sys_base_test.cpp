// The portable half of the operating-system object: members at
// construction, the shared 8-bit conversion buffer, text sizes, scripted
// boxes and the result codes.
#include "platform/op_sys_base.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/char_string.h"
#include "platform/op_sys.h"
#include "tests/test_support.h"
#include "tests/support/log_capture.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define PELMORA_FREED(p) __asan_address_is_poisoned(p)
#endif

namespace {
std::u16string S(const char16_t *t) { return std::u16string(t); }

}  // namespace

TEST(OpSysConversion, NullGivesAFixedEmptyTextAndKeepsTheLastResult) {
    const char *last = gOpSys->ToAnsiText(u"abc");
    const char *empty = gOpSys->ToAnsiText(nullptr);
    EXPECT_STREQ(empty, "");
    EXPECT_NE(empty, last);
    EXPECT_STREQ(last, "abc");  // still valid
    EXPECT_STREQ(gOpSys->ToAnsiString(u"x"), "x");
}

TEST(OpSysConversion, EveryConversionReplacesTheSharedBuffer) {
    const char *first = gOpSys->ToAnsiText(u"first");
    EXPECT_STREQ(first, "first");
    const char *second = gOpSys->ToAnsiText(u"");
    EXPECT_STREQ(second, "");
#if defined(PELMORA_FREED)
    EXPECT_TRUE(PELMORA_FREED(first));  // the first result is gone
    EXPECT_FALSE(PELMORA_FREED(second));
#endif
    const char *third = gOpSys->ToAnsi(u"abcdef", 3);
    EXPECT_STREQ(third, "abc");
#if defined(PELMORA_FREED)
    EXPECT_TRUE(PELMORA_FREED(second));
#endif
    EXPECT_STREQ(gOpSys->ToAnsi(nullptr, 4), "");
    EXPECT_STREQ(gOpSys->ToAnsi(u"abc", 0), "");
}

TEST(OpSysConversion, AnsiCodePageBothWays) {
    // Windows-1252 natively; the system's ANSI code page on Windows, which
    // is Windows-1252 for the English systems the tests run on.
    const struct { const char16_t *wide; const char *ansi; } cases[] = {
        {u"plain", "plain"},
        {u"caf\u00E9 \u00FF", "caf\xE9 \xFF"},
        {u"\u20AC\u2026\u0160\u0178", "\x80\x85\x8A\x9F"},
        {u"\u00A0\u00BF", "\xA0\xBF"},
    };
    for (const auto &c : cases) {
        EXPECT_STREQ(gOpSys->ToAnsiText(c.wide), c.ansi) << test::Narrow(c.wide);
        EXPECT_EQ(S(gOpSys->ToWideText(c.ansi)), c.wide) << c.ansi;
    }
    // A character the code page cannot hold becomes its substitute.
    EXPECT_STREQ(gOpSys->ToAnsiText(u"a\u4E00b"), "a?b");
}

TEST(OpSysConversion, WideResultsAreTemporaries) {
    int32_t before = gTempStrings.Index();
    EXPECT_EQ(S(gOpSys->ToWide("abcdef", 3)), u"abc");
    EXPECT_EQ(S(gOpSys->ToWide("abc", 0)), u"");
    EXPECT_EQ(S(gOpSys->ToWide(nullptr, 3)), u"");
    EXPECT_EQ(gTempStrings.Index(), (before + 3) & 31);
    // Null is a fixed empty text and takes no slot.
    EXPECT_EQ(S(gOpSys->ToWideText(nullptr)), u"");
    EXPECT_EQ(gTempStrings.Index(), (before + 3) & 31);
}

TEST(OpSysConversion, TextByteSizeCountsTwoBytesPerCharacter) {
    EXPECT_EQ(cOpSysBase::GetTextByteSize(u"abc"), 6u);
    EXPECT_EQ(cOpSysBase::GetTextByteSize(u""), 0u);
    EXPECT_EQ(cOpSysBase::GetTextByteSize(nullptr), 0u);
    EXPECT_EQ(gOpSys->GetTextByteSize(u"\u20AC\u00E9"), 4u);
}

TEST(OpSysBoxes, AScriptedBoxIsLoggedAndAnswered) {
    test::LogCapture log("scripted_box");
    EXPECT_EQ(gOpSys->MessageBox(u"Do you want to save?", u"Score has changed", 4), 1);
    EXPECT_EQ(log.Text(), "Box: Score has changed: Do you want to save?\r\n");
}

// Restores the test main's single answer.
struct BoxScriptScope {
    ~BoxScriptScope() { gOpSys->SetScriptedBoxAnswer(1); }
};

TEST(OpSysBoxes, QueuedAnswersGoOneABoxAndTheLastRepeats) {
    BoxScriptScope restore;
    test::LogCapture log("box_queue");
    gOpSys->SetScriptedBoxAnswers({6, 7, 1});
    std::vector<int32_t> answers;
    for (int i = 0; i < 5; ++i) answers.push_back(gOpSys->MessageBox(u"Text", u"Caption", 4));
    EXPECT_EQ(answers, (std::vector<int32_t>{6, 7, 1, 1, 1}));
    std::string line = "Box: Caption: Text\r\n", five;
    for (int i = 0; i < 5; ++i) five += line;
    EXPECT_EQ(log.Text(), five);
    // A 0 would mean "show the box": the queue ends before it.
    gOpSys->SetScriptedBoxAnswers({2, 0, 6});
    EXPECT_EQ(gOpSys->MessageBox(u"a", u"b", 0), 2);
    EXPECT_EQ(gOpSys->MessageBox(u"a", u"b", 0), 2);
    gOpSys->SetScriptedBoxAnswer(3);
    EXPECT_EQ(gOpSys->GetScriptedBoxAnswer(), 3);
    gOpSys->SetScriptedBoxAnswer(0);
    EXPECT_EQ(gOpSys->GetScriptedBoxAnswer(), 0);
}

TEST(OpSysFileDialogs, ScriptedAnswersAreTakenInOrderAndLogged) {
    test::LogCapture log("file_answers");
    std::u16string path;
    EXPECT_FALSE(gOpSys->TakeScriptedFileAnswer(u"Open", path));  // nothing scripted: nothing logged
    EXPECT_EQ(log.Text(), "");
    gOpSys->SetScriptedFileAnswers({u"c:\\a.pmr", u""});
    ASSERT_TRUE(gOpSys->TakeScriptedFileAnswer(u"Open", path));
    EXPECT_EQ(path, u"c:\\a.pmr");
    ASSERT_TRUE(gOpSys->TakeScriptedFileAnswer(u"Save", path));
    EXPECT_EQ(path, u"");
    // Past the script the real dialog runs, and the log says why.
    EXPECT_FALSE(gOpSys->TakeScriptedFileAnswer(u"Open", path));
    EXPECT_EQ(log.Text(), "File dialog: Open: c:\\a.pmr\r\nFile dialog: Save: Cancel\r\nFile dialog: Open: not scripted\r\n");
    gOpSys->SetScriptedFileAnswers({});
}

TEST(OpSysModifiers, ATestSetsTheModifierKeys) {
    EXPECT_FALSE(gOpSys->IsShiftDown());
    gOpSys->SetTestModifiers(cOpSysBase::kTestShift);
    EXPECT_TRUE(gOpSys->IsShiftDown());
    EXPECT_FALSE(gOpSys->IsCtrlDown());
    gOpSys->SetTestModifiers(cOpSysBase::kTestShift | cOpSysBase::kTestCtrl);
    EXPECT_TRUE(gOpSys->IsCtrlDown());
    gOpSys->SetTestModifiers(0);
    EXPECT_FALSE(gOpSys->IsShiftDown());
    EXPECT_FALSE(gOpSys->IsCtrlDown());
}

TEST(OpSysErrorMode, SetErrorModeAnswersThePreviousMode) {
    uint32_t original = gOpSys->SetErrorMode(2);
    EXPECT_EQ(gOpSys->GetErrorMode(), 2u);
    EXPECT_EQ(gOpSys->SetErrorMode(original), 2u);
    EXPECT_EQ(gOpSys->GetErrorMode(), original);
}

TEST(OpSysMembers, ASecondObjectLeavesTheFirstOnesReporterAlone) {
    cOpSysBase *first = gOpSys;
    cErrorMsgBase *reporter = gErrorMsg;
    ASSERT_NE(reporter, nullptr);
    {
        // A quoted command line is kept as it is.
        cOpSysVirtual second(nullptr, nullptr, u"\"C:\\Scores\\song.pmr\"");
        EXPECT_EQ(gOpSys, &second);
        EXPECT_EQ(gErrorMsg, reporter);
        EXPECT_EQ(second.GetCommandLine(), u"\"C:\\Scores\\song.pmr\"");
        EXPECT_EQ(second.GetErrorMode(), 3u);
        EXPECT_EQ(second.GetLanguageId(), 0);
        EXPECT_FALSE(second.IsTranslateMode());
        EXPECT_EQ(second.GetMainWindow(), nullptr);
    }
    gOpSys = first;
    EXPECT_EQ(gErrorMsg, reporter);  // not deleted by the second object
    EXPECT_EQ(reporter->Options(), 14u);
}

TEST(ResultCodes, FailuresAreNegativeAndDistinct) {
    const tStatus failures[] = {RC_FAIL,   RC_KEYWORD_MISMATCH, RC_STREAM_FAILED, RC_INI_OPEN_FAILED,
                                RC_NO_MAIN_MENU, MSG_NOT_HANDLED, DVC_NOT_OPEN, DVC_GDI_FAILED, DVC_NO_DC};
    EXPECT_FALSE(Failed(RC_OK));
    for (size_t i = 0; i < std::size(failures); ++i) {
        EXPECT_TRUE(Failed(failures[i])) << i;
        for (size_t j = i + 1; j < std::size(failures); ++j) EXPECT_NE(failures[i], failures[j]);
    }
    EXPECT_EQ(uint32_t(RC_FAIL), 0x80000000u);
    EXPECT_EQ(uint32_t(DVC_NO_DC), 0xE0000006u);
}
