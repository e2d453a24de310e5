#include "ui/help_recorder.h"

#include <cstdio>

#include "foundation/file_io.h"
#include "foundation/text_util.h"

void cRecordingHelpEngine::Append(const std::string &line) {
    FILE *f = OpenFileWide(path.c_str(), "ab");
    if (!f) return;
    std::fwrite(line.data(), 1, line.size(), f);
    std::fputc('\n', f);
    std::fclose(f);
}

void cRecordingHelpEngine::WinHelp(const char16_t *file, uint32_t command, uintptr_t data) {
    Append("WinHelp " + std::to_string(command) + " " + std::to_string(data) + " " +
           (file ? ToUtf8(file) : std::string("-")));
}

void cRecordingHelpEngine::HtmlHelp(const char *file, uint32_t command, uintptr_t data) {
    Append("HtmlHelp " + std::to_string(command) + " " + std::to_string(data) + " " + (file ? file : "-"));
}
