// A help engine that shows nothing: it appends each request to a text file
// (UTF-8, one line each), so that a test of the running program sees which
// help was asked for.  It needs no help file.  Lines:
//   WinHelp <command> <data> <file>
//   HtmlHelp <command> <data> <file>
// with the commands of ui/help_engine.h and "-" for no file.
#pragma once

#include <string>

#include "ui/help_engine.h"

class cRecordingHelpEngine : public cHelpEngine {
public:
    explicit cRecordingHelpEngine(std::u16string path) : path(std::move(path)) {}

    void WinHelp(const char16_t *file, uint32_t command, uintptr_t data) override;
    bool IsHtmlHelpLoaded() override { return loaded; }
    bool LoadHtmlHelp() override { return loaded = true; }
    bool HasHtmlHelp() override { return true; }
    void HtmlHelp(const char *file, uint32_t command, uintptr_t data) override;
    void UnloadHtmlHelp() override { loaded = false; }
    bool NeedsHelpFile() override { return false; }

private:
    void Append(const std::string &line);

    std::u16string path;
    bool loaded = false;
};
