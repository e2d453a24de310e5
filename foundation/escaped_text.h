// Writers of the escaped 8-bit text of the score's text form, the font
// descriptions and the crash-recovery dump.  Code units 0x20-0xFF except
// the double quote and the backslash are written as the byte of the same
// value (no code page is involved); every other unit as a backslash and four
// lower-case hexadecimal digits.  cAsciiFile reads both quoted forms back.
#pragma once

#include <cstdint>
#include <ostream>

// Appends the escaped form of one code unit.  After an escape the stream is
// left in decimal with a space as fill, whatever it had before.
void WriteEscapedChar(char16_t c, std::ostream &stream);

// The character form \u'c' and the string form \u"text" as 8-bit
// zero-ended texts.  The results live in a ring of 32 slots: use or copy
// them before 31 further results are taken.
const char *EscapeCharText(char16_t c);
const char *EscapeStringText(const char16_t *text);
