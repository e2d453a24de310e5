#include "tests/gui/running_program_win.h"

#include "tests/test_support.h"

namespace gui {

std::u16string cRunningProgram::CopyIn(const char *source, const std::u16string &as) {
    const std::string bytes = test::ReadFileBytes(test::SourcePath(source));
    EXPECT_FALSE(bytes.empty()) << source;
    WriteFile(folder + as, bytes);
    return folder + as;
}

void cRunningProgram::Launch(sStart how) {
    how.dataFolder = folder;
    ASSERT_TRUE(program.Start(how));
    frame = program.WaitForFrame();
    ASSERT_NE(frame, nullptr);
}

void cRunningProgram::TearDown() {
    if (!frame) return;
    EXPECT_EQ(Exit(), 0u) << "the program ends without a fault";
    EXPECT_TRUE(ListFiles(folder, u"ErrorReport*").empty());
}

tStateDump cRunningProgram::Settled() {
    tStateDump dump = program.ReadState(frame);
    EXPECT_FALSE(dump.empty()) << "the program did not come back to its main loop";
    return dump;
}

uint32_t cRunningProgram::WaitForEnd(uint32_t timeoutMs) {
    uint32_t code = 0xDEAD;
    EXPECT_TRUE(program.WaitForExit(timeoutMs, code)) << "the program did not end";
    frame = nullptr;
    return code;
}

size_t cRunningProgram::WaitForLogAfter(const std::string &text, size_t from) {
    size_t at = std::string::npos;
    for (int i = 0; i < 300 && at == std::string::npos; ++i) {
        at = Log().find(text, from);
        if (at == std::string::npos && program.ReadState(frame).empty()) break;  // one round trip through the loop
    }
    return at;
}

bool cRunningProgram::WaitUntil(const std::function<bool()> &holds, uint32_t timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20))
        if (holds()) return true;
    return holds();
}

std::string cRunningProgram::StatusPart(const tStateDump &dump, const char *index) {
    for (const sStateLine &line : LinesOf(dump, "status"))
        if (line.fields.size() >= 2 && line.fields[0] == index) return line.fields[1];
    return "<none>";
}

}  // namespace gui
