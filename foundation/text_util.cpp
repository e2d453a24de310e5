#include "foundation/text_util.h"

#include <climits>
#include <cstdio>

std::u16string FormatUnsigned(uint64_t n) {
    char16_t buf[24];
    int i = 24;
    do { buf[--i] = char16_t(u'0' + n % 10); n /= 10; } while (n);
    return std::u16string(buf + i, buf + 24);
}

std::u16string FormatInt(int64_t n) {
    if (n < 0) return u"-" + FormatUnsigned(uint64_t(0) - uint64_t(n));
    return FormatUnsigned(uint64_t(n));
}

std::u16string FormatHex(uint64_t n, int minDigits) {
    static const char16_t digits[] = u"0123456789abcdef";
    std::u16string s;
    do { s.insert(s.begin(), digits[n & 15]); n >>= 4; } while (n);
    while (int(s.size()) < minDigits) s.insert(s.begin(), u'0');
    return s;
}

std::string FormatFloatNarrow(double v, int precision) {
    // snprintf's %g is the same in glibc and in MinGW's C99 printf, which the
    // Windows build selects through __USE_MINGW_ANSI_STDIO.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", precision, v);
    return buf;
}

std::u16string FormatFloat(double v, int precision) { return WidenAscii(FormatFloatNarrow(v, precision)); }

namespace {
int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'z') return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
    return 99;
}

// Common part of ParseLong and ParseUnsignedLong: magnitude with overflow flag.
bool ParseMagnitude(const char16_t *text, int base, bool &negative, uint64_t &value, bool &overflow,
                    uint32_t &consumed) {
    consumed = 0;
    negative = false;
    value = 0;
    overflow = false;
    if (!text) return false;
    uint32_t i = 0;
    while (IsWhiteSpace(text[i])) ++i;
    if (text[i] == u'+' || text[i] == u'-') { negative = text[i] == u'-'; ++i; }
    if ((base == 0 || base == 16) && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
        DigitValue(text[i + 2]) < 16) {
        i += 2;
        base = 16;
    } else if (base == 0) {
        base = text[i] == u'0' ? 8 : 10;
    }
    uint32_t start = i;
    while (DigitValue(text[i]) < base) {
        value = value * uint64_t(base) + uint64_t(DigitValue(text[i]));
        if (value > 0xFFFFFFFFull) { overflow = true; value = 0x100000000ull; }
        ++i;
    }
    if (i == start) return false;
    consumed = i;
    return true;
}
}  // namespace

int32_t ParseLong(const char16_t *text, int base, uint32_t *consumed) {
    bool negative, overflow;
    uint64_t value;
    uint32_t used;
    bool ok = ParseMagnitude(text, base, negative, value, overflow, used);
    if (consumed) *consumed = used;
    if (!ok) return 0;
    if (negative) return value > 0x80000000ull ? INT32_MIN : int32_t(0 - int64_t(value));
    return value > 0x7FFFFFFFull ? INT32_MAX : int32_t(value);
}

uint32_t ParseUnsignedLong(const char16_t *text, int base, uint32_t *consumed) {
    bool negative, overflow;
    uint64_t value;
    uint32_t used;
    bool ok = ParseMagnitude(text, base, negative, value, overflow, used);
    if (consumed) *consumed = used;
    if (!ok) return 0;
    if (overflow) return 0xFFFFFFFFu;
    uint32_t v = uint32_t(value);
    return negative ? uint32_t(0) - v : v;
}

std::u16string WidenAscii(const char *text) {
    std::u16string s;
    if (text)
        for (; *text; ++text) s.push_back(char16_t(uint8_t(*text)));
    return s;
}

std::u16string WidenAscii(const std::string &text) { return WidenAscii(text.c_str()); }

std::string NarrowAscii(const std::u16string &text) {
    std::string s;
    for (char16_t c : text) s.push_back(c < 0x80 ? char(c) : '?');
    return s;
}

std::string ToUtf8(const std::u16string &text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::u16string FromUtf8(const std::string &text) {
    std::u16string out;
    size_t i = 0, n = text.size();
    while (i < n) {
        uint8_t b = uint8_t(text[i]);
        uint32_t c;
        int extra;
        if (b < 0x80) { c = b; extra = 0; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
        else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
        else { out.push_back(0xFFFD); ++i; continue; }
        if (i + extra >= n + (extra ? 0 : 1)) { out.push_back(0xFFFD); break; }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            uint8_t t = uint8_t(text[i + k]);
            if ((t & 0xC0) != 0x80) { ok = false; break; }
            c = (c << 6) | (t & 0x3F);
        }
        if (!ok) { out.push_back(0xFFFD); ++i; continue; }
        i += size_t(extra) + 1;
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            out.push_back(char16_t(0xD800 + (c >> 10)));
            out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
        } else if (c > 0x10FFFF) {
            out.push_back(0xFFFD);
        } else {
            out.push_back(char16_t(c));
        }
    }
    return out;
}

namespace {
// 0x80..0x9F of Windows-1252; the five holes map to themselves.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

char16_t Cp1252ToUnicode(uint8_t b) {
    if (b >= 0x80 && b < 0xA0) return kCp1252High[b - 0x80];
    return char16_t(b);
}

int Cp1252FromUnicode(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c) return 0x80 + i;
    return -1;
}
