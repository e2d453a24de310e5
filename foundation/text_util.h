// Number formatting and parsing, character classes and ASCII conversions on
// UTF-16 text.  Written by hand rather than with wide streams so that the
// native and the Windows build give the same results.
#pragma once

#include <cstdint>
#include <string>

// White space as the C library classifies it for wide characters in the
// "C" locale: space, tab, line feed, vertical tab, form feed, return.
inline bool IsWhiteSpace(char16_t c) { return c == u' ' || (c >= 9 && c <= 13); }
inline bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool IsAsciiAlpha(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
inline bool IsAsciiUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
inline bool IsAsciiLower(char16_t c) { return c >= u'a' && c <= u'z'; }
inline char16_t ToAsciiLower(char16_t c) { return IsAsciiUpper(c) ? char16_t(c + 32) : c; }
inline char16_t ToAsciiUpper(char16_t c) { return IsAsciiLower(c) ? char16_t(c - 32) : c; }

// "%i", "%u" and "%x" of the C library.
std::u16string FormatInt(int64_t n);
std::u16string FormatUnsigned(uint64_t n);
std::u16string FormatHex(uint64_t n, int minDigits = 1);
// "%g" with the given number of significant digits (6 by default), as the
// C++ streams write a float by default.
std::string FormatFloatNarrow(double v, int precision = 6);
std::u16string FormatFloat(double v, int precision = 6);

// wcstol: leading white space, one sign, for base 16 an optional "0x";
// reading stops at the first other character.  *end receives the number of
// characters consumed (0 when no digit was read).  Values out of range clamp
// to the long range of a 32-bit long, as on Windows.
int32_t ParseLong(const char16_t *text, int base, uint32_t *consumed = nullptr);
uint32_t ParseUnsignedLong(const char16_t *text, int base, uint32_t *consumed = nullptr);

// 7-bit conversions for texts known to be ASCII (file-format keywords, numbers).
std::u16string WidenAscii(const char *text);
std::u16string WidenAscii(const std::string &text);
std::string NarrowAscii(const std::u16string &text);

// UTF-8 conversions; unpaired surrogates become U+FFFD.
std::string ToUtf8(const std::u16string &text);
std::u16string FromUtf8(const std::string &text);

// Windows-1252, the code page the native build uses where Windows uses the
// ANSI code page.  Bytes without a character map to the same code unit.
char16_t Cp1252ToUnicode(uint8_t b);
// The byte for a code unit, or -1 when the code page cannot hold it.
int Cp1252FromUnicode(char16_t c);
