#include "foundation/wide_stream.h"

#include "foundation/text_util.h"

cWideStream &cWideStream::operator<<(int32_t n) {
    text_ += hex ? FormatHex(uint32_t(n)) : FormatInt(n);
    return *this;
}

cWideStream &cWideStream::operator<<(uint32_t n) {
    text_ += hex ? FormatHex(n) : FormatUnsigned(n);
    return *this;
}

uint32_t cWideInStream::GetLine(std::u16string &out, uint32_t max) {
    out.clear();
    if (failed || AtEnd()) {
        failed = true;
        return 0;
    }
    uint32_t taken = 0;
    while (pos < text_.size()) {
        char16_t c = text_[pos];
        if (c == u'\n') {
            ++pos;
            ++taken;
            return taken;
        }
        if (out.size() + 1 >= max) {
            failed = true;  // the line does not fit the buffer
            return taken;
        }
        out += c;
        ++pos;
        ++taken;
    }
    return taken;
}

uint32_t ReadStreamText(std::u16string &output, cWideInStream &stream) {
    stream.ClearState();
    uint32_t count = 0;
    std::u16string line;
    while (!stream.Failed() && !stream.AtEnd()) {
        count += stream.GetLine(line, 256);
        output += line;
    }
    stream.SetFailed();
    return count;
}
