// The parts of the clipboard functions that need no system call: lookups by
// name, the rich-text read and the diagnostic listing.
#include "foundation/clipboard_text.h"

#include "foundation/char_string.h"
#include "foundation/debug_log.h"
#include "foundation/text_util.h"
#include "foundation/system_services.h"

std::string gClipboardText;
sClipboardFormats gClipboardFormats;

namespace {

// Whether the first n characters of two names agree without regard to case
// (both must be at least n long).
bool SameStartNoCase(const char16_t *name, const char16_t *start, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
        if (!name[i] || !start[i]) return false;
        if (ToAsciiLower(name[i]) != ToAsciiLower(start[i])) return false;
    }
    return true;
}

bool SameNameNoCase(const char16_t *a, const char16_t *b) {
    uint32_t n = TextLength(a);
    return n == TextLength(b) && SameStartNoCase(a, b, n);
}

void WriteTextLine(cDebugLog &log, const char *label, uint32_t format) {
    log.WriteNarrowText(label, 0);
    if (auto text = static_cast<const char16_t *>(ClipboardGetData(format))) log.WriteEscapedText(text, 0);
}

}  // namespace

void ClipboardAppendText(const char16_t *text) { ClipboardAppendChars(text, TextLength(text)); }

uint32_t ClipboardTextLength(uint32_t format) {
    const void *data = ClipboardGetData(format);
    if (!data && format == kClipUnicodeText) {
        format = kClipText;
        data = ClipboardGetData(format);
    }
    if (!data) return 0;
    if (format == kClipText || format == kClipOemText || format == kClipUnicodeText)
        return TextLength(static_cast<const char16_t *>(data));
    return uint32_t(gClipboardText.size());
}

uint32_t ClipboardFindFormat(const char16_t *name) {
    if (!name) return 0;
    uint32_t count = ClipboardListFormats();
    for (uint32_t i = 0; i < count; ++i)
        if (SameNameNoCase(gClipboardFormats.entries[i].name, name)) return gClipboardFormats.entries[i].id;
    return 0;
}

const char *ClipboardGetRtf() {
    uint32_t format = ClipboardFindFormat(u"Rich Text Format");
    if (!format) format = ClipboardFindFormat(u"RTF As Text");
    if (!format) return nullptr;
    return static_cast<const char *>(ClipboardGetData(format));
}

uint32_t ClipboardRtfLength() {
    const char *rtf = ClipboardGetRtf();
    return rtf ? uint32_t(gClipboardText.size()) : 0;
}

tStatus ClipboardDumpToLog(cDebugLog *target) {
    if (!target && !System()) return RC_OK;
    cDebugLog &log = target ? *target : System()->Log();
    // The listing is copied first: reading a format's data must not disturb
    // the entries still to be written.
    uint32_t count = ClipboardListFormats();
    sClipboardFormats formats = gClipboardFormats;
    log.WriteNarrowText("[Clipboard]", 1);
    for (uint32_t i = 0; i < count; ++i) {
        const sClipboardFormat &f = formats.entries[i];
        log.WriteUnsigned(f.id, 0);
        log.WriteNarrowText(": ", 0);
        if (f.id == kClipText) {
            WriteTextLine(log, "TEXT = ", f.id);
        } else if (f.id == kClipOemText) {
            WriteTextLine(log, "OEMTEXT = ", f.id);
        } else if (f.id == kClipUnicodeText) {
            WriteTextLine(log, "UNICODETEXT = ", f.id);
        } else {
            log.WriteText(f.name, 0);
            if (SameStartNoCase(f.name, u"Rich Text ", 10) || SameStartNoCase(f.name, u"RTF ", 4)) {
                log.WriteNarrowText(" = ", 0);
                auto bytes = static_cast<const char *>(ClipboardGetData(f.id));
                if (bytes && System()) log.WriteEscapedText(System()->ToWideText(bytes), 0);
            }
        }
        log.EndLine(1);
    }
    return RC_OK;
}
