// The session log: an 8-bit text file appended one entry at a time, opened
// and closed around every entry so that it is complete on disk after each.
// An entry answers RC_FAIL when it did not reach the file whole (a full
// disk); the log reports nothing itself, since the error reporter logs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>

#include "foundation/base_defs.h"

class cWideStream;

class cDebugLog {
public:
    cDebugLog() = default;
    ~cDebugLog();
    cDebugLog(const cDebugLog &) = delete;
    cDebugLog &operator=(const cDebugLog &) = delete;

    const char16_t *SetFileName(const char16_t *name);
    const char16_t *GetFileName() const;
    int32_t SetCount(int32_t count);
    int32_t GetCount() const { return itemCount; }

    tStatus Open();
    // Ends the entry with n line ends; RC_FAIL when a write or the close failed.
    tStatus EndLinesAndClose(int32_t n);

    tStatus WriteText(const char16_t *text, int32_t n = 1);
    tStatus WriteString(std::u16string text, int32_t n = 1);
    tStatus WriteChar(char16_t c, int32_t n = 1);
    tStatus WriteInt(int32_t value, int32_t n = 1);
    tStatus WriteUnsigned(uint32_t value, int32_t n = 1);
    tStatus WriteFloat(float value, int32_t n = 1);
    tStatus WriteWideStream(const cWideStream &stream, int32_t n = 1);
    tStatus WriteNarrowStream(const std::ostringstream &stream, int32_t n = 1);
    tStatus WriteNarrowText(const char *text, int32_t n = 1);
    tStatus WriteEscapedChar(char16_t c, int32_t n = 1);
    tStatus WriteEscapedText(const char16_t *text, int32_t n = 1);
    tStatus WriteEscapedString(std::u16string text, int32_t n = 1);
    tStatus EndLine(int32_t n = 1);

    tStatus StartSession(const char16_t *text = nullptr);
    tStatus EndSession(const char16_t *text = nullptr);
    tStatus LogFile(const std::u16string &name);
    tStatus LogMouse(int32_t x, int32_t y);
    tStatus LogLeftDown(int32_t x, int32_t y);
    tStatus LogLeftUp(int32_t x, int32_t y);
    tStatus LogRightDown(int32_t x, int32_t y);
    tStatus LogBothDown(int32_t x, int32_t y);

private:
    // Writes bytes with every line feed turned into CR LF.
    void Put(const char *bytes, size_t n);
    void Put(const std::string &bytes) { Put(bytes.data(), bytes.size()); }
    tStatus Entry(const std::string &bytes, int32_t n, int32_t countChange);
    tStatus LogPoint(const char *tag, int32_t x, int32_t y);

    std::u16string fileName;
    FILE *stream = nullptr;
    bool putFailed = false;  // a write of the open entry failed
    int32_t itemCount = 0;
};
