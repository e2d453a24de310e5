#include "platform/version_word.h"

#include "foundation/binary_file.h"
#include "foundation/char_string.h"

constinit sProgramStatus gProgramStatus = InitProgramStatus();

const char16_t *sProgramStatus::GetVersionText() const { return FormatVersion(&word); }

uint32_t sProgramStatus::WriteVersion(cBinaryFileBase &file) const { return WriteVersionWord(&word, file); }

const char16_t *FormatVersion(const uint32_t *word) {
    // Four groups, so that the text parses back with the release in the
    // third byte from the bottom.
    cCharString text;
    text.AppendUnsigned(*word >> 24).push_back(u'.');
    text.AppendUnsigned((*word >> 16) & 0xFF).push_back(u'.');
    text.AppendUnsigned((*word >> 8) & 0xFF).append(u".0");
    return TempStringOf(text);
}

uint32_t WriteVersionWord(const uint32_t *word, cBinaryFileBase &file) {
    uint32_t copy = *word;
    file.WriteU32(copy);
    return copy;
}

uint32_t ReadVersionWord(uint32_t *destination, cBinaryFileBase &file) {
    // Bytes a short file does not deliver keep what the destination held.
    uint8_t b[4];
    for (int i = 0; i < 4; ++i) b[i] = uint8_t(*destination >> (8 * i));
    file.Read(b, 4);
    uint32_t value = uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
    if (value < 0x01000000) value = ((value << 8) & 0xFFFF0000u) | (value & 0xFF);
    *destination = value;
    return value;
}

uint32_t ParseVersionText(uint32_t *destination, const char16_t *text) {
    uint32_t word = 0, group = 0;
    const char16_t *p = text ? text : u"";
    for (;; ++p) {
        if (*p < u'0') {
            word = word * 256 + group;
            group = 0;
        } else {
            group = group * 10 + uint32_t(*p - u'0');
        }
        if (!*p) break;
    }
    *destination = word;
    return word;
}
