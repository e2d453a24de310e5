#include "foundation/error_msg.h"

#include <cstdlib>
#include <new>

#include "foundation/char_string.h"
#include "foundation/debug_log.h"
#include "foundation/text_util.h"
#include "foundation/system_services.h"

cErrorMsgBase *gErrorMsg = nullptr;
tErrorCallback gErrorCallback = nullptr;

namespace {
tReportOffer gReportOffer = nullptr;
}

PELMORA_ERROR_TABLE(kErrorMsgErrors, u"ErrorMsg", u"New failed");

void RaiseError(const sErrorTable *table, uint32_t flags) {
    if (!gErrorMsg) std::exit(1);
    gErrorMsg->Report(table, flags);
}

tErrorCallback SetErrorCallback(tErrorCallback callback) {
    tErrorCallback previous = gErrorCallback;
    gErrorCallback = callback;
    return previous;
}

tReportOffer SetReportOffer(tReportOffer offer) {
    tReportOffer previous = gReportOffer;
    gReportOffer = offer;
    return previous;
}

void DeleteErrorMsg() {
    delete gErrorMsg;  // its destructor empties gErrorMsg
}

void LogText(const char16_t *text) {
    if (System()) System()->Log().WriteText(text, 1);
}

void OutOfMemoryHandler() {
    // Uninstall first: the report itself allocates, and a failure inside it
    // must reach the allocator's own failure path instead of this handler.
    std::set_new_handler(nullptr);
    RaiseError(&kErrorMsgErrors, 0 | ERR_FATAL);
}

cErrorMsgBase::cErrorMsgBase() {
    if (gErrorMsg) return;
    gErrorMsg = this;
    registered = true;
    options = kDefaultOptions;
    errorCount = 0;
    gErrorCallback = nullptr;
    std::set_new_handler(OutOfMemoryHandler);
}

cErrorMsgBase::~cErrorMsgBase() {
    if (!registered || gErrorMsg != this) return;
    gErrorMsg = nullptr;
    std::set_new_handler(nullptr);
}

void cErrorMsgBase::PutText(const char16_t *text) {
    for (; text && *text; ++text) PutChar(*text);
}

void cErrorMsgBase::PutNumber(int32_t n) { PutText(FormatInt(n).c_str()); }

void cErrorMsgBase::Report(const sErrorTable *table, uint32_t flags) {
    uint32_t index = IndexOf(flags);
    bool message = WantsMessage();
    if (options & kOptModule) {
        if (table->moduleName) PutText(table->moduleName);
        if (message) {
            PutChar(u',');
            PutChar(u' ');
        }
    }
    if (message) {
        if ((options & kOptNumber) || !HasText(table, index))
            PutNumber(int32_t(index));
        else
            PutText(table->messages[index]);
    }
    if (options & kOptCrLf) {
        PutChar(13);
        PutChar(10);
    }
    if (System()) {
        cDebugLog &log = System()->Log();
        if (HasText(table, index))
            log.WriteText(table->messages[index], 1);
        else
            log.WriteString(FormatUnsigned(index), 1);
        log.WriteChar(13, 0);
        log.WriteChar(10, 0);
    }
    if (gErrorCallback && errorCount == 0 && (flags & ERR_REPORT)) gErrorCallback();
    if (flags & ERR_FATAL) HandleFatal();
    ++errorCount;
    if (flags & ERR_ABORT) HandleAbort();
}

void cErrorMsg::Report(const sErrorTable *table, uint32_t flags) {
    uint32_t index = IndexOf(flags);
    bool message = WantsMessage();
    std::u16string composed = u"Error ";
    if (options & kOptModule) {
        composed += u"in ";
        if (table->moduleName) composed += table->moduleName;
        if (message) composed += u": ";
    }
    if (message) {
        if ((options & kOptNumber) || !HasText(table, index))
            composed += FormatUnsigned(index);
        else
            composed += table->messages[index];
    }
    if (flags & ERR_ABORT) composed += u". Aborting";
    // The buffer is shared with the on-line report's box text; a composed
    // text that does not fit is cut, keeping the terminator.
    size_t n = composed.size() < std::size(text) - 1 ? composed.size() : std::size(text) - 1;
    composed.copy(text, n);
    text[n] = 0;

    if (System()) System()->Log().WriteText(text, 1);
    bool dump = (errorCount == 0 && (flags & ERR_REPORT)) || freshDump;
    freshDump = false;
    if (gErrorCallback && dump && !dumping) {
        dumping = true;
        ++errorCount;
        gErrorCallback();
        --errorCount;
        dumping = false;
    }
    CopyLogToReport();
    if (cSystemServices *system = System()) {
        if (!system->HasMainWindow())
            system->Beep();
        else if (errorCount == 0 && (flags & ERR_REPORT) && gReportOffer)
            gReportOffer(*this);
    }
    ++errorCount;
    if (flags & ERR_ABORT) HandleAbort();
}

void cErrorMsg::CopyLogToReport() {
    if (!System()) return;
    std::u16string log = System()->Log().GetFileName();
    std::u16string report = System()->GetErrorReportPath();
    System()->CopyFile(report.c_str(), log.c_str(), 1);
}
