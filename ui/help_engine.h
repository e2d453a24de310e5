// The help engines the help viewer hands its requests to: HTML Help for
// compiled help files (hhctrl.ocx, loaded on first use) and WinHelp for
// ".hlp" files.  The Windows build calls the real ones (help_engine_win.cpp);
// tests put a fake in their place; the native build has none.
#pragma once

#include <cstdint>

class cHelpEngine {
public:
    virtual ~cHelpEngine() = default;

    // WinHelpW without an owner window; file null for none.
    virtual void WinHelp(const char16_t *file, uint32_t command, uintptr_t data) = 0;
    virtual bool IsHtmlHelpLoaded() = 0;
    // Loads hhctrl.ocx; false when it cannot be loaded.
    virtual bool LoadHtmlHelp() = 0;
    // Whether the loaded library offers "HtmlHelpA".
    virtual bool HasHtmlHelp() = 0;
    // HtmlHelpA without an owner window; file (8-bit text) null for none.
    virtual void HtmlHelp(const char *file, uint32_t command, uintptr_t data) = 0;
    virtual void UnloadHtmlHelp() = 0;
    // Whether a help request needs the help file to exist first; an engine
    // that only records requests does not.
    virtual bool NeedsHelpFile() { return true; }
};

// WinHelp and HTML Help commands.
constexpr uint32_t kHelpContext = 1;
constexpr uint32_t kHelpQuit = 2;
constexpr uint32_t kHelpFinder = 11;
constexpr uint32_t kHtmlHelpDisplayTopic = 0;
constexpr uint32_t kHtmlHelpContext = 15;
constexpr uint32_t kHtmlHelpCloseAll = 18;

cHelpEngine &GetHelpEngine();
// Puts an engine in place (not owned; null goes back to the system's);
// answers the previous one.
cHelpEngine *SetHelpEngine(cHelpEngine *engine);
cHelpEngine &SystemHelpEngine();
