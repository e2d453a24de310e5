#include "foundation/debug_log.h"

#include "foundation/char_string.h"
#include "foundation/clock.h"
#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "foundation/wide_stream.h"
#include "foundation/time_stamp.h"
#include "foundation/system_services.h"

namespace {
// The local time as both session lines show it: "Wed Dec  9 02:45:06 2026"
// and a line feed, which ends the line.
std::string SessionTime() { return NarrowAscii(FormatAscTime(LocalCalendar(NowSeconds()))); }

std::string Ansi(const char16_t *text) { return System() ? std::string(System()->ToAnsiText(text)) : NarrowAscii(text ? text : u""); }
std::string AnsiChar(char16_t c) { return System() ? std::string(System()->ToAnsi(&c, 1)) : NarrowAscii(std::u16string(1, c)); }
}  // namespace

cDebugLog::~cDebugLog() {
    if (stream) std::fclose(stream);
}

const char16_t *cDebugLog::SetFileName(const char16_t *name) {
    const char16_t *previous = TempStringOf(fileName);
    fileName = name ? name : u"";
    return previous;
}

const char16_t *cDebugLog::GetFileName() const { return TempStringOf(fileName); }

int32_t cDebugLog::SetCount(int32_t count) {
    int32_t previous = itemCount;
    itemCount = count;
    return previous;
}

tStatus cDebugLog::Open() {
    if (fileName.empty()) return RC_FAIL;
    if (stream) std::fclose(stream);
    putFailed = false;
    // Opened by its wide path, so a data folder outside the ANSI code page
    // still gets its log.  Binary mode: line feeds become CR LF in Put, the
    // same on both platforms.
    stream = OpenFileWide(fileName.c_str(), "ab");
    return stream ? RC_OK : RC_FAIL;
}

void cDebugLog::Put(const char *bytes, size_t n) {
    if (!stream) return;
    auto write = [this](const char *p, size_t count) {
        if (std::fwrite(p, 1, count, stream) != count) putFailed = true;
    };
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        if (bytes[i] == '\n') {
            if (i > start) write(bytes + start, i - start);
            write("\r\n", 2);
            start = i + 1;
        }
    }
    if (n > start) write(bytes + start, n - start);
}

tStatus cDebugLog::EndLinesAndClose(int32_t n) {
    if (!stream) return RC_FAIL;
    for (int32_t i = 0; i < n; ++i) Put("\n", 1);
    // The bytes reach the disk only when the buffer is written out, so on a
    // full disk it is the close that fails.  No error is reported from
    // here: the error reporter writes into this log.
    bool written = !putFailed && std::fflush(stream) == 0;
    if (std::fclose(stream) != 0) written = false;
    stream = nullptr;
    putFailed = false;
    return written ? RC_OK : RC_FAIL;
}

tStatus cDebugLog::Entry(const std::string &bytes, int32_t n, int32_t countChange) {
    tStatus result = Open();
    if (result == RC_OK) {
        Put(bytes);
        result = EndLinesAndClose(n);
    }
    itemCount += countChange;
    return result;
}

tStatus cDebugLog::WriteText(const char16_t *text, int32_t n) { return Entry(Ansi(text), n, 1); }
tStatus cDebugLog::WriteString(std::u16string text, int32_t n) { return WriteText(text.c_str(), n); }
tStatus cDebugLog::WriteChar(char16_t c, int32_t n) { return Entry(AnsiChar(c), n, 1); }
tStatus cDebugLog::WriteInt(int32_t value, int32_t n) { return Entry(NarrowAscii(FormatInt(value)), n, 1); }
tStatus cDebugLog::WriteUnsigned(uint32_t value, int32_t n) { return Entry(NarrowAscii(FormatUnsigned(value)), n, 1); }
tStatus cDebugLog::WriteFloat(float value, int32_t n) { return Entry(FormatFloatNarrow(value, 6), n, 1); }
tStatus cDebugLog::WriteWideStream(const cWideStream &s, int32_t n) { return Entry(Ansi(s.Text().c_str()), n, 1); }
tStatus cDebugLog::WriteNarrowStream(const std::ostringstream &s, int32_t n) { return Entry(s.str(), n, 1); }
tStatus cDebugLog::WriteNarrowText(const char *text, int32_t n) { return Entry(text ? text : "", n, 1); }
tStatus cDebugLog::EndLine(int32_t n) { return Entry(std::string(), n, 1); }

tStatus cDebugLog::WriteEscapedChar(char16_t c, int32_t n) {
    std::string bytes;
    switch (c) {
    case 9: bytes = "\\t"; break;
    case 10: bytes = "\\n"; break;
    case 13: bytes = "\\r"; break;
    case 92: bytes = "\\\\"; break;
    default:
        if (c < 32 || c > 255)
            bytes = "\\x" + NarrowAscii(FormatHex(c, 4));
        else
            bytes = AnsiChar(c);
    }
    return Entry(bytes, n, 1);
}

tStatus cDebugLog::WriteEscapedText(const char16_t *text, int32_t n) {
    tStatus result = RC_OK;
    for (; text && *text; ++text)
        if (WriteEscapedChar(*text, 0) < 0) result = RC_FAIL;
    return EndLine(n) < 0 ? RC_FAIL : result;
}

tStatus cDebugLog::WriteEscapedString(std::u16string text, int32_t n) { return WriteEscapedText(text.c_str(), n); }

tStatus cDebugLog::StartSession(const char16_t *text) {
    std::string bytes = "** Starting new session: " + SessionTime();
    if (text) bytes += Ansi(text);
    tStatus result = Entry(bytes, 0, 0);
    itemCount = 0;
    return result;
}

tStatus cDebugLog::EndSession(const char16_t *text) {
    std::string bytes = "Status: Ending session @ " + SessionTime();
    if (text) bytes += Ansi(text);
    return Entry(bytes, 1, 0);
}

tStatus cDebugLog::LogFile(const std::u16string &name) { return Entry("Status: File=" + Ansi(name.c_str()), 1, 0); }

tStatus cDebugLog::LogPoint(const char *tag, int32_t x, int32_t y) {
    return Entry(std::string(tag) + NarrowAscii(FormatInt(x)) + "," + NarrowAscii(FormatInt(y)), 1, 0);
}

tStatus cDebugLog::LogMouse(int32_t x, int32_t y) { return LogPoint("Mouse=", x, y); }
tStatus cDebugLog::LogLeftDown(int32_t x, int32_t y) { return LogPoint("L+=", x, y); }
tStatus cDebugLog::LogLeftUp(int32_t x, int32_t y) { return LogPoint("L-=", x, y); }
tStatus cDebugLog::LogRightDown(int32_t x, int32_t y) { return LogPoint("R+=", x, y); }
tStatus cDebugLog::LogBothDown(int32_t x, int32_t y) { return LogPoint("LR=", x, y); }
