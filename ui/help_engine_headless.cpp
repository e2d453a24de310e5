// Without a window system no help engine exists: nothing loads, nothing shows.
#include "ui/help_engine.h"

namespace {

class cNoHelp : public cHelpEngine {
public:
    void WinHelp(const char16_t *, uint32_t, uintptr_t) override {}
    bool IsHtmlHelpLoaded() override { return false; }
    bool LoadHtmlHelp() override { return false; }
    bool HasHtmlHelp() override { return false; }
    void HtmlHelp(const char *, uint32_t, uintptr_t) override {}
    void UnloadHtmlHelp() override {}
};

}  // namespace

cHelpEngine &SystemHelpEngine() {
    static cNoHelp none;
    return none;
}
