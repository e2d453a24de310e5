#include "foundation/url_query.h"

#include "foundation/char_string.h"
#include "foundation/text_util.h"

const char16_t kErrorReportHost[] = u"www.pelmora.org";

namespace {

void AppendEncoded(std::u16string &out, const char16_t *text) {
    static const char16_t kHex[] = u"0123456789abcdef";
    if (!text) return;
    // Percent escapes name bytes, so characters beyond ASCII go as their
    // UTF-8 bytes; a 16-bit code after "%" would be read as a byte and the
    // digits after it.
    for (unsigned char b : ToUtf8(text)) {
        if (b < 0x80 && (IsAsciiAlpha(b) || IsAsciiDigit(b))) {
            out.push_back(b);
        } else {
            out.push_back(u'%');
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 15]);
        }
    }
}

}  // namespace

const char16_t *EncodeUrlQuery(const char16_t *text) {
    std::u16string out;
    AppendEncoded(out, text);
    return TempStringOf(out);
}

std::u16string BuildErrorReportAddress(const char16_t *host, const char16_t *errorText,
                                       const char16_t *systemInfo, const char16_t *currentFile,
                                       const char16_t *reportPath) {
    std::u16string address = u"http://";
    address += host && *host ? host : kErrorReportHost;
    address += u"/crashreport.php?msg=";
    AppendEncoded(address, errorText);
    AppendEncoded(address, u"\r\n\r\n");
    AppendEncoded(address, systemInfo);
    address += u"&file=";
    AppendEncoded(address, currentFile);
    address += u"&log=";
    AppendEncoded(address, reportPath);
    return address;
}
