#include "foundation/escaped_text.h"

#include <sstream>
#include <string>

#include "foundation/char_string.h"

namespace {

// The escaped forms are bytes, not ANSI text: they are kept as they are
// rather than passed through a code page, which would damage 0x80-0xFF.
CircBuf<std::string> gEscapedTexts(32);

const char *Keep(const std::ostringstream &stream) {
    std::string *slot = gEscapedTexts.Next();
    *slot = stream.str();
    return slot->c_str();
}

}  // namespace

void WriteEscapedChar(char16_t c, std::ostream &stream) {
    if (c >= 0x20 && c <= 0xFF && c != u'"' && c != u'\\') {
        stream.put(char(c));
        return;
    }
    stream.put('\\');
    stream.width(4);
    stream.fill('0');
    stream << std::hex << std::nouppercase << std::noshowbase << unsigned(c);
    stream.fill(' ');
    stream << std::dec;
}

const char *EscapeCharText(char16_t c) {
    std::ostringstream stream;
    stream << "\\u'";
    WriteEscapedChar(c, stream);
    stream.put('\'');
    return Keep(stream);
}

const char *EscapeStringText(const char16_t *text) {
    std::ostringstream stream;
    stream << "\\u\"";
    for (const char16_t *p = text; p && *p; ++p) WriteEscapedChar(*p, stream);
    stream.put('"');
    return Keep(stream);
}
