#include "foundation/ascii_file.h"

#include <algorithm>
#include <cstdio>

#include "foundation/char_string.h"
#include "foundation/file_io.h"

namespace {
// The white space of the classic locale.
bool IsSpaceByte(int c) { return c == ' ' || (c >= 9 && c <= 13); }
constexpr int kEnd = -1;
}  // namespace

cAsciiFile::cAsciiFile(const char16_t *path) {
    std::string raw;
    opened = path && ReadWholeFile(path, raw);
    if (!opened) {
        fail = true;
        lastPosition = -1;
        return;
    }
    TakeText(raw.data(), raw.size());
}

cAsciiFile::cAsciiFile(const char *bytes, size_t size) : opened(true) { TakeText(bytes ? bytes : "", bytes ? size : 0); }

void cAsciiFile::TakeText(const char *raw, size_t size) {
    data.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        if (raw[i] == '\r' && i + 1 < size && raw[i + 1] == '\n') continue;
        data.push_back(raw[i]);
    }
}

int cAsciiFile::Peek() {
    if (!Good()) {
        fail = true;
        return kEnd;
    }
    if (pos >= data.size()) {
        eof = true;
        return kEnd;
    }
    return uint8_t(data[pos]);
}

int cAsciiFile::Get() {
    int c = Peek();
    if (c == kEnd)
        fail = true;
    else
        ++pos;
    return c;
}

void cAsciiFile::SkipWhiteSpace() {
    while (IsSpaceByte(Peek())) ++pos;
}

int cAsciiFile::PeekOnLine() {
    for (int c = Peek(); c == ' ' || c == '\t'; c = Peek()) ++pos;
    return Peek();
}

void cAsciiFile::SeekTo(int64_t position) {
    if (position < 0 || size_t(position) > data.size() || fail)
        fail = true;
    else
        pos = size_t(position);
}

void cAsciiFile::Finish() {
    lastPosition = Tell();
    if (!Good()) latch = std::min(latch, RC_STREAM_FAILED);
}

tStatus cAsciiFile::Match(const char16_t *keyword) {
    SkipWhiteSpace();
    int64_t start = Tell();
    size_t matched = 0;
    const char16_t *k = keyword ? keyword : u"";
    while (k[matched] && Peek() == int(k[matched])) {
        ++pos;
        ++matched;
    }
    tStatus result;
    if (!k[matched]) {
        for (int c = Peek(); c == ' ' || c == '\t'; c = Peek()) ++pos;
        result = RC_OK;
    } else if (matched == 0 && !Good()) {
        result = RC_STREAM_FAILED;
    } else {
        Clear();
        SeekTo(start);
        result = RC_KEYWORD_MISMATCH;
    }
    Finish();
    return latch < 0 ? latch : result;
}

tStatus cAsciiFile::Expect(const char16_t *keyword) {
    tStatus answer = Match(keyword);
    if (answer == RC_KEYWORD_MISMATCH) latch = std::min(latch, RC_KEYWORD_MISMATCH);
    return answer;
}

char16_t cAsciiFile::ReadQuotedChar() {
    SkipWhiteSpace();
    int q = Get();
    bool prefix = false;
    if (q == '\\') {
        if (Get() == 'u') {
            prefix = true;
            q = Get();
        }
    }
    char16_t result = 0;
    if (q == '\'' || q == '"') {
        int c = Get();
        char16_t unit = c == kEnd ? 0 : char16_t(c);
        if (c == '\\' && prefix) unit = ReadHex4();
        if (Get() == q) result = unit;
    }
    Finish();
    return latch < 0 ? 0 : result;
}

const char16_t *cAsciiFile::ReadQuotedString() {
    SkipWhiteSpace();
    int q = Get();
    bool prefix = false;
    if (q == '\\') {
        if (Get() == 'u') {
            prefix = true;
            q = Get();
        }
    }
    std::u16string text;
    if (q == '\'' || q == '"') {
        while (Good()) {
            int c = Get();
            if (c == kEnd || c == q || c == '\n') break;
            if (c == '\\') {
                if (prefix) {
                    text.push_back(ReadHex4());
                    continue;
                }
                c = Get();  // an escaped byte stands for itself
                if (c == kEnd) break;
            }
            text.push_back(char16_t(c));
        }
    }
    Finish();
    return TempStringOf(text);
}

const char16_t *cAsciiFile::ReadToken() {
    SkipWhiteSpace();
    std::u16string token;
    for (int c = Peek(); c != kEnd && c > ' ' && c != ','; c = Peek()) {
        token.push_back(char16_t(c));
        ++pos;
    }
    Finish();
    return TempStringOf(token);
}

tStatus cAsciiFile::SkipLine() {
    for (int n = 0; n < 500; ++n) {
        int c = Peek();
        if (c == kEnd) break;
        ++pos;
        if (c == '\n') break;
    }
    lastPosition = Tell();
    return latch;
}

tStatus cAsciiFile::SeekKeyword(const char16_t *keyword) {
    tStatus answer;
    while ((answer = Match(keyword)) == RC_KEYWORD_MISMATCH) SkipLine();
    lastPosition = Tell();
    return answer;
}

tStatus cAsciiFile::SeekKeywordText(const char16_t *keyword) {
    // Each search would match without moving, for ever.
    if (!keyword || !*keyword) return RC_KEYWORD_MISMATCH;
    int64_t found = -1;
    tStatus answer;
    while ((answer = SeekKeyword(keyword)) == RC_OK) found = lastPosition;
    if (found >= 0) {
        Clear();
        SeekTo(found);
        latch = 0;
        answer = RC_OK;
    }
    lastPosition = Tell();
    return answer;
}

uint16_t cAsciiFile::ReadHex4() {
    int32_t value = 0;
    if (Good()) {
        for (int i = 0; i < 4; ++i) {
            int c = Get();
            if (c != kEnd) HexDigitAccumulate(value, char16_t(c));
        }
    }
    Finish();
    return latch < 0 ? 0 : uint16_t(value);
}

int32_t HexDigitAccumulate(int32_t &accumulator, char16_t c) {
    int digit;
    if (c >= u'0' && c <= u'9')
        digit = c - u'0';
    else if (c >= u'A' && c <= u'F')
        digit = c - u'A' + 10;
    else if (c >= u'a' && c <= u'f')
        digit = c - u'a' + 10;
    else
        return RC_KEYWORD_MISMATCH;
    accumulator = int32_t(uint32_t(accumulator) * 16 + uint32_t(digit));
    return accumulator;
}

bool cAsciiFile::ReadDigits(bool &negative, uint64_t &magnitude, uint64_t limit) {
    SkipWhiteSpace();
    negative = false;
    magnitude = 0;
    int c = Peek();
    if (c == '+' || c == '-') {
        negative = c == '-';
        ++pos;
        c = Peek();
    }
    bool digits = false, overflow = false;
    for (; c >= '0' && c <= '9'; c = Peek()) {
        ++pos;
        digits = true;
        magnitude = magnitude * 10 + uint64_t(c - '0');
        if (magnitude > limit) {
            overflow = true;
            magnitude = limit + 1;  // keeps accumulating from overflowing
        }
    }
    if (!digits || overflow) fail = true;
    return digits;
}

int32_t cAsciiFile::ReadInt() {
    bool negative;
    uint64_t magnitude;
    int32_t value = 0;
    if (ReadDigits(negative, magnitude, uint64_t(INT32_MAX) + 1)) {
        if (negative)
            value = magnitude > uint64_t(INT32_MAX) + 1 ? INT32_MIN : int32_t(-int64_t(magnitude));
        else if (magnitude > uint64_t(INT32_MAX)) {
            value = INT32_MAX;
            fail = true;
        } else
            value = int32_t(magnitude);
    }
    Finish();
    return value;
}

uint32_t cAsciiFile::ReadUnsigned() {
    bool negative;
    uint64_t magnitude;
    uint32_t value = 0;
    if (ReadDigits(negative, magnitude, UINT32_MAX)) {
        if (magnitude > UINT32_MAX)
            value = UINT32_MAX;
        else
            value = negative ? uint32_t(0u - uint32_t(magnitude)) : uint32_t(magnitude);
    }
    Finish();
    return value;
}

uint16_t cAsciiFile::ReadUnsigned16() {
    bool negative;
    uint64_t magnitude;
    uint16_t value = 0;
    if (ReadDigits(negative, magnitude, UINT16_MAX)) {
        if (magnitude > UINT16_MAX)
            value = UINT16_MAX;
        else
            value = negative ? uint16_t(0u - uint32_t(magnitude)) : uint16_t(magnitude);
    }
    Finish();
    return value;
}
