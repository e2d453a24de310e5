#include "platform/version_word.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/binary_file.h"
#include "platform/op_sys_base.h"
#include "tests/test_support.h"

namespace {

std::u16string Folder() {
    static std::u16string folder = test::MakeTempFolder("version_word");
    return folder;
}

TEST(VersionWord, StartValue) {
    EXPECT_EQ(gProgramStatus.GetVersion(), 0x020C0500u);
    EXPECT_EQ(gProgramStatus.IsDebugMode(), 0u);
    EXPECT_EQ(std::u16string(gProgramStatus.GetVersionText()), u"2.12.5.0");
}

TEST(VersionWord, ParseTable) {
    struct Case {
        const char16_t *text;
        uint32_t word;
    } cases[] = {
        {u"2.12.5.0", 0x020C0500}, {u"2.10.2.0", 0x020A0200}, {u"2.12.5", 0x00020C05}, {u"", 0},
        {nullptr, 0},              {u"1.300", 0x22C},         {u"1.2.3.4.5", 0x02030405}, {u"2 12 5 1", 0x020C0501},
    };
    for (const Case &c : cases) {
        uint32_t destination = 0xDEADBEEF;
        EXPECT_EQ(ParseVersionText(&destination, c.text), c.word);
        EXPECT_EQ(destination, c.word);
    }
}

TEST(VersionWord, FormatGivesFourGroupsThatParseBackWithoutTheFlags) {
    struct Case {
        uint32_t word;
        const char16_t *text;
        uint32_t parsed;
    } cases[] = {
        {0x020C0500, u"2.12.5.0", 0x020C0500},    {0x020C0501, u"2.12.5.0", 0x020C0500},
        {0x0A0B0CFF, u"10.11.12.0", 0x0A0B0C00},  {0x01000000, u"1.0.0.0", 0x01000000},
        {0xFFFFFF00, u"255.255.255.0", 0xFFFFFF00}, {0, u"0.0.0.0", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(test::Narrow(c.text));
        std::u16string text = FormatVersion(&c.word);
        EXPECT_EQ(text, c.text);
        uint32_t back = 0;
        EXPECT_EQ(ParseVersionText(&back, text.c_str()), c.parsed);
    }
}

TEST(VersionWord, CompareMasksTheModeFlags) {
    struct Case {
        uint32_t a, b;
        int order;
    } cases[] = {
        {0x020C0500, 0x020C0501, 0}, {0x020C05FF, 0x020C0500, 0}, {0x020C0400, 0x020C0500, -1},
        {0x020A0200, 0x020A01FF, 1}, {0x03000000, 0x020C05FF, 1},
    };
    for (const Case &c : cases) EXPECT_EQ(CompareVersion(c.a, c.b), c.order) << std::hex << c.a << " " << c.b;
}

TEST(VersionWord, WriteAndReadConvertTheOlderLayout) {
    std::u16string path = Folder() + u"version.bin";
    std::unique_ptr<cBinaryFileBase> out(gOpSys->NewBinaryFile(path.c_str(), cBinaryFileBase::kWrite));
    EXPECT_EQ(gProgramStatus.WriteVersion(*out), 0x020C0500u);
    for (uint32_t word : {0x00020A01u, 0x00FFFFFFu, 0x01000000u}) WriteVersionWord(&word, *out);
    ASSERT_EQ(out->Close(), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(path).substr(0, 4), std::string("\x00\x05\x0C\x02", 4));

    std::unique_ptr<cBinaryFileBase> in(gOpSys->NewBinaryFile(path.c_str(), cBinaryFileBase::kRead));
    uint32_t expected[] = {0x020C0500u, 0x020A0001u, 0xFFFF00FFu, 0x01000000u};
    for (uint32_t e : expected) {
        uint32_t word = 0;
        EXPECT_EQ(ReadVersionWord(&word, *in), e);
        EXPECT_EQ(word, e);
    }
    in->Close();
}

TEST(VersionWord, DebugModeFlag) {
    sProgramStatus status = InitProgramStatus();
    status.SetDebugMode(true);
    EXPECT_EQ(status.IsDebugMode(), 1u);
    EXPECT_EQ(status.GetVersion(), 0x020C0501u);
    EXPECT_EQ(CompareVersion(status.GetVersion(), 0x020C0500u), 0);
    status.SetDebugMode(false);
    EXPECT_EQ(status.GetVersion(), 0x020C0500u);
}

}  // namespace
