// A help engine for tests: records each call ("WinHelp <file> <command>
// <data>", "Load", "HtmlHelp <file> <command> <data>", "Unload"); whether
// the HTML Help library loads and offers its function is set by the test.
#pragma once

#include <string>
#include <vector>

#include "tests/test_support.h"
#include "ui/help_engine.h"

namespace test {

class cFakeHelp : public cHelpEngine {
public:
    bool loadable = true;
    bool hasFunction = true;
    bool loaded = false;
    std::vector<std::string> calls;

    void WinHelp(const char16_t *file, uint32_t command, uintptr_t data) override {
        calls.push_back("WinHelp " + test::Narrow(file ? file : u"-") + " " + std::to_string(command) + " " +
                        std::to_string(data));
    }
    bool IsHtmlHelpLoaded() override { return loaded; }
    bool LoadHtmlHelp() override {
        calls.push_back("Load");
        loaded = loadable;
        return loaded;
    }
    bool HasHtmlHelp() override { return hasFunction; }
    void HtmlHelp(const char *file, uint32_t command, uintptr_t data) override {
        calls.push_back(std::string("HtmlHelp ") + (file ? file : "-") + " " + std::to_string(command) + " " +
                        std::to_string(data));
    }
    void UnloadHtmlHelp() override {
        calls.push_back("Unload");
        loaded = false;
    }
};

}  // namespace test
