// Module error tables and the one error reporter of the program.
#pragma once

#include <cstdint>

#include "foundation/base_defs.h"

// One per module: its name and numbered message texts.
struct sErrorTable {
    const char16_t *moduleName;
    uint32_t messageCount;
    const char16_t *const *messages;
};

// The portable half: composition through a character hook, the log line,
// the first-error callback and the count.
class cErrorMsgBase {
public:
    enum : uint32_t { kOptNumber = 1, kOptText = 2, kOptModule = 4, kOptCrLf = 8 };
    // A report is a line of its own: the module's name and the message text.
    static constexpr uint32_t kDefaultOptions = kOptText | kOptModule | kOptCrLf;

    cErrorMsgBase();
    virtual ~cErrorMsgBase();
    cErrorMsgBase(const cErrorMsgBase &) = delete;
    cErrorMsgBase &operator=(const cErrorMsgBase &) = delete;

    virtual void Report(const sErrorTable *table, uint32_t flags);
    virtual void PutChar(char16_t c) = 0;
    virtual void HandleFatal() {}
    virtual void HandleAbort() {}

    void PutText(const char16_t *text);
    void PutNumber(int32_t n);

    uint32_t Options() const { return options; }
    int32_t ErrorCount() const { return errorCount; }

protected:
    static uint32_t IndexOf(uint32_t flags) { return flags & ~(ERR_REPORT | ERR_FATAL | ERR_ABORT); }
    bool WantsMessage() const { return (options & (kOptNumber | kOptText)) != 0; }
    // Whether the message index names a text of the table.
    static bool HasText(const sErrorTable *table, uint32_t index) { return index < table->messageCount; }

    uint32_t options = kDefaultOptions;
    int32_t errorCount = 0;
    bool registered = false;
};

// The report of the running program: log line, diagnostic callback, the copy
// of the log to the error-report file and the on-line report offer.
class cErrorMsg : public cErrorMsgBase {
public:
    void Report(const sErrorTable *table, uint32_t flags) override;
    void PutChar(char16_t) override {}
    void HandleFatal() override {}

    // The text of the last report ("Error in Module: message").
    const char16_t *LastText() const { return text; }

    // The next report runs the diagnostic callback even when it is not the
    // first of the run: the crash report must leave the document as it is
    // now in the error-report file, whatever was reported before.
    void RequestFreshDump() { freshDump = true; }

private:
    // Every report leaves a copy of the log in the error-report file.
    void CopyLogToReport();

    // Shared with the on-line report, which appends its box text.
    char16_t text[350] = {};
    bool freshDump = false;
    // Set while the callback runs: an error raised by the dump itself is
    // logged but starts no dump of its own.
    bool dumping = false;
};

using tErrorCallback = void (*)();

extern cErrorMsgBase *gErrorMsg;
extern tErrorCallback gErrorCallback;

void RaiseError(const sErrorTable *table, uint32_t flags);
tErrorCallback SetErrorCallback(tErrorCallback callback);
void DeleteErrorMsg();
void LogText(const char16_t *text);
void OutOfMemoryHandler();

// What the first reported error offers once the log is in the error-report
// file, while the main window is up: the on-line report, which the window
// layer registers (ui/online_report.h).  Without one nothing is offered;
// without a main window the report beeps.  Answers the previous offer.
using tReportOffer = void (*)(cErrorMsg &reporter);
tReportOffer SetReportOffer(tReportOffer offer);

// Defines a module's error table from a list of message texts.
#define PELMORA_ERROR_TABLE(name, module, ...)                                       \
    static const char16_t *const name##Messages[] = {__VA_ARGS__};                   \
    const sErrorTable name = {module, sizeof(name##Messages) / sizeof(name##Messages[0]), \
                              name##Messages}
