#include "platform/op_sys_base.h"

#include "foundation/char_string.h"
#include "foundation/text_util.h"

cOpSysBase *gOpSys = nullptr;

PELMORA_ERROR_TABLE(kOpSysErrors, u"OpSys",
    u"Access Violation", u"Breakpoint", u"Datatype misalignment", u"Single step",
    u"Array bounds exceeded", u"Flt denormal operand", u"Flt divide by zero", u"Flt inexact result",
    u"Flt invalid operation", u"Flt overflow", u"Flt stack check", u"Flt underflow",
    u"Int divide by zero", u"Int overflow", u"Priv instruction", u"Noncontinuable exception",
    u"Illegal instruction", u"Page Error", u"Invalid Disposition", u"Stack Overflow",
    u"Unknown exception", u"Can't find setup folder. Try reinstalling.");

void RaiseOpSysError(uint32_t index) { RaiseError(&kOpSysErrors, index | ERR_REPORT); }

cOpSysBase::cOpSysBase(const char16_t *cmd) {
    commandLine = cmd ? cmd : u"";
    currentFile = commandLine;
    errorMode = 3;
    programPath = u".\\";
    workingFolder = u".\\";
    // The reporter registers itself as gErrorMsg; it is deleted through
    // DeleteErrorMsg when this object goes.  When a reporter exists already
    // the new one is not registered: it is dropped at once, and this object
    // leaves the registered one to its owner.
    cErrorMsg *reporter = new cErrorMsg();
    if (gErrorMsg == reporter)
        ownReporter = reporter;
    else
        delete reporter;
}

cOpSysBase::~cOpSysBase() {
    if (ownReporter && gErrorMsg == ownReporter) DeleteErrorMsg();
    delete ansiBuffer;
    if (gOpSys == this) gOpSys = nullptr;
}

uint32_t cOpSysBase::SetErrorMode(uint32_t mode) {
    uint32_t previous = errorMode;
    errorMode = mode;
    return previous;
}

const char16_t *cOpSysBase::GetErrorText(uint32_t code) {
    cCharString text(u"Error ");
    text.AppendUnsigned(code);
    return TempStringOf(text);
}

tStatus cOpSysBase::ShowError(uint32_t code, const char16_t *context) {
    if (errorMode & 1) {
        cCharString caption(context ? context : u"Error");
        caption.append(u" code ");
        caption.AppendUnsigned(code);
        std::u16string text = GetErrorText(code);
        MessageBox(text.c_str(), caption.c_str(), 0x40 /* information icon, OK */);
    }
    if (errorMode & 2) {
        cCharString line(u"Error: ");
        if (context) {
            line.append(context);
            line.push_back(u' ');
        }
        line.append(u"code ");
        line.AppendUnsigned(code);
        line.append(u" - ");
        line.append(GetErrorText(code));
        log.WriteString(line, 1);
    }
    return RC_OK;
}

const char16_t *cOpSysBase::GetErrorReportPath() { return TempConcat(GetDataFolder(), u"ErrorReport.txt"); }

const char16_t *cOpSysBase::GetProgramPath() { return TempStringOf(programPath); }

int32_t cOpSysBase::RunMessageLoop(cViewPortTop *window) {
    mainWindow = window;
    return 0;
}

cViewPortTop *cOpSysBase::SetMainWindow(cViewPortTop *window) {
    cViewPortTop *previous = mainWindow;
    mainWindow = window;
    return previous;
}

int32_t cOpSysBase::MessageBox(const char16_t *text, const char16_t *caption, uint32_t type) {
    if (scriptedBoxAnswer) {
        cCharString line(u"Box: ");
        line.append(caption ? caption : u"");
        line.append(u": ");
        line.append(text ? text : u"");
        log.WriteString(line, 1);
        return scriptedBoxAnswer;
    }
    return ShowMessageBox(text, caption, type);
}

const char *cOpSysBase::KeepAnsi(std::string &&bytes) {
    delete ansiBuffer;
    ansiBuffer = new std::string(std::move(bytes));
    return ansiBuffer->c_str();
}

const char *cOpSysBase::ToAnsiText(const char16_t *text) {
    if (!text) return "";
    return ToAnsi(text, TextLength(text));
}

const char16_t *cOpSysBase::ToWideText(const char *bytes) {
    if (!bytes) return u"";
    uint32_t n = 0;
    while (bytes[n]) ++n;
    return ToWide(bytes, n);
}

uint32_t cOpSysBase::GetTextByteSize(const char16_t *text) { return 2 * TextLength(text); }
