#include "foundation/win32_win.h"
#include "ui/help_engine.h"

// hhctrl.ocx once loaded; null until the first HTML help request.
HMODULE gHtmlHelpModule = nullptr;

namespace {

using tHtmlHelpA = HWND(WINAPI *)(HWND, const char *, UINT, DWORD_PTR);

tHtmlHelpA FindHtmlHelp() {
    if (!gHtmlHelpModule) return nullptr;
    return reinterpret_cast<tHtmlHelpA>(reinterpret_cast<void *>(GetProcAddress(gHtmlHelpModule, "HtmlHelpA")));
}

class cWindowsHelp : public cHelpEngine {
public:
    void WinHelp(const char16_t *file, uint32_t command, uintptr_t data) override {
        WinHelpW(nullptr, file ? W(file) : nullptr, command, data);
    }
    bool IsHtmlHelpLoaded() override { return gHtmlHelpModule != nullptr; }
    bool LoadHtmlHelp() override {
        if (!gHtmlHelpModule) gHtmlHelpModule = LoadLibraryW(L"hhctrl.ocx");
        return gHtmlHelpModule != nullptr;
    }
    bool HasHtmlHelp() override { return FindHtmlHelp() != nullptr; }
    void HtmlHelp(const char *file, uint32_t command, uintptr_t data) override {
        if (tHtmlHelpA call = FindHtmlHelp()) call(nullptr, file, command, data);
    }
    void UnloadHtmlHelp() override {
        if (gHtmlHelpModule) FreeLibrary(gHtmlHelpModule);
        gHtmlHelpModule = nullptr;
    }
};

}  // namespace

cHelpEngine &SystemHelpEngine() {
    static cWindowsHelp engine;
    return engine;
}
