// An ordered list of wide strings with case-insensitive lookup (list and
// combo box entries, percussion set names, value lists of settings
// sections), the in-place edit helpers of the text editors and the quoted
// writer of face names.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "foundation/base_defs.h"
#include "foundation/char_string.h"

class cStringArray : public std::vector<cCharString> {
public:
    cStringArray() = default;
    // The texts of a null-ended list, in order, duplicates kept.
    explicit cStringArray(const char16_t *const *list);

    virtual tStatus SetList(const char16_t *const *list);
    // The element, or an empty temporary string for an index out of range.
    virtual const cCharString &At(int32_t index) const;
    // Index of the first element equal to the text ignoring case; -1 when none.
    virtual int32_t Find(const char16_t *text) const;
    virtual int32_t FindString(const std::u16string &text) const;
    // RC_FAIL when the text is absent (Remove) or already there (Add, InsertSorted).
    virtual tStatus Remove(const char16_t *text);
    virtual tStatus Add(const char16_t *text);
    // Keeps an array filled only this way in ascending case-insensitive order.
    virtual tStatus InsertSorted(const char16_t *text);

    int32_t Size() const { return int32_t(size()); }
};

// Case-insensitive comparison of two texts, both folded to lower case as the
// C library does in its default locale (ASCII letters only): <0, 0, >0.
int32_t CompareNoCase(const char16_t *a, const char16_t *b);

// In-place edits of a zero-ended text; the buffer must hold the longer text.
void InsertCharAt(char16_t *text, char16_t c, uint32_t position);
void DeleteCharAt(char16_t *text, uint32_t position);

// Writes the text in double quotes: a backslash before each double quote
// and backslash, every other character as its byte.  A text holding a code
// unit that one byte cannot carry (a control character or one above 0xFF)
// is written in the escaped string form instead (EscapeStringText), which
// the escaped text reader takes as well.
std::ostream &WriteQuotedString(const char16_t *text, std::ostream &stream);
std::ostream &WriteQuotedChars(const char16_t *text, uint32_t n, std::ostream &stream);
