// Fuzz target of the rich-text reader, directly and through the clipboard:
// the input is read as rich text (behind "{\rtf" when the first byte is odd,
// so that most inputs get past the check), font names are looked up by the
// numbers the input ends with, and the same bytes placed on the clipboard
// under the rich-text format must read to the same text, font and size, and
// list into a log (short ones).  Nothing may read outside a buffer or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/clipboard_text.h"
#include "foundation/debug_log.h"
#include "foundation/rtf_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

struct sRead {
    std::u16string text, font;
    int32_t size = 0;
};

sRead ReadRtf(const char *source) {
    cRtfFile reader(source);
    const char16_t *text = reader.PlainText();
    sRead r;
    r.text = text ? text : u"<none>";
    r.font = reader.FontName();
    r.size = reader.fontSize;
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::System();
    if (size < 1) return 0;
    std::string source(reinterpret_cast<const char *>(data + 1), size - 1);
    if (data[0] & 1) source.insert(0, "{\\rtf1");
    // The reader takes text that ends at its first zero byte, as the
    // clipboard hands it over.
    const std::string text = source.c_str();

    const sRead direct = ReadRtf(text.c_str());
    cRtfFile lookups(text.c_str());
    for (int32_t n : {0, 1, int32_t(data[0]), -1, 0x7FFFFFFF}) lookups.ReadFontTable(n);

    static const uint32_t format = ClipboardRegisterFormat(u"Rich Text Format");
    ClipboardPutBytesForTest(format, source, true);
    const char *pasted = ClipboardGetRtf();
    if (!pasted || std::string(pasted) != text || ClipboardRtfLength() != text.size()) std::abort();
    const sRead clipboard = ReadRtf(pasted);
    if (clipboard.text != direct.text || clipboard.font != direct.font || clipboard.size != direct.size) std::abort();

    // The listing logs one entry per character: short inputs only.
    if (text.size() <= 512) {
        static cDebugLog log;
        log.SetFileName(u"\\dev\\null");
        ClipboardDumpToLog(&log);
    }
    return 0;
}
