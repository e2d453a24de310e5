// What the lowest layer needs of the operating-system object, which sits
// above it: text conversion between UTF-16 and the 8-bit code page, the
// session log, showing a system error and the error-report file.  The
// platform registers a lookup for its object at start-up; until then, and
// while it has none, System() answers null and the callers do without.
#pragma once

#include <cstdint>

#include "foundation/base_defs.h"

class cDebugLog;

class cSystemServices {
public:
    virtual ~cSystemServices() = default;

    // The 8-bit results share one buffer: use or copy a result before the
    // next call.
    virtual const char *ToAnsi(const char16_t *text, uint32_t n) = 0;
    virtual const char16_t *ToWide(const char *bytes, uint32_t n) = 0;
    // The same for text ending in 0; null gives empty text.
    const char *ToAnsiText(const char16_t *text);
    const char16_t *ToWideText(const char *bytes);

    virtual cDebugLog &Log() = 0;
    virtual tStatus ShowError(uint32_t code, const char16_t *context) = 0;
    virtual void Beep() = 0;
    // Whether the program's main window is up (error boxes need an owner).
    virtual bool HasMainWindow() const = 0;
    // "ErrorReport.txt" in the data folder.
    virtual const char16_t *GetErrorReportPath() = 0;
    virtual tStatus CopyFile(const char16_t *destination, const char16_t *source, uint32_t flags) = 0;
};

using tSystemLookup = cSystemServices *(*)();
// Answers the previous lookup.
tSystemLookup SetSystemLookup(tSystemLookup lookup);
cSystemServices *System();
