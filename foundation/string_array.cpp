#include "foundation/string_array.h"

#include "foundation/escaped_text.h"
#include "foundation/text_util.h"

cStringArray::cStringArray(const char16_t *const *list) { cStringArray::SetList(list); }

tStatus cStringArray::SetList(const char16_t *const *list) {
    clear();
    for (; list && *list; ++list) emplace_back(*list);
    return RC_OK;
}

const cCharString &cStringArray::At(int32_t index) const {
    if (index >= 0 && index < Size()) return (*this)[size_t(index)];
    return *TempCharString();
}

int32_t CompareNoCase(const char16_t *a, const char16_t *b) {
    if (!a) a = u"";
    if (!b) b = u"";
    for (;; ++a, ++b) {
        char16_t x = ToAsciiLower(*a), y = ToAsciiLower(*b);
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

int32_t cStringArray::Find(const char16_t *text) const {
    // A copy, so that a text taken from the array itself stays valid.
    const char16_t *key = TempString(text);
    for (int32_t i = 0; i < Size(); ++i)
        if (CompareNoCase((*this)[size_t(i)].c_str(), key) == 0) return i;
    return -1;
}

int32_t cStringArray::FindString(const std::u16string &text) const { return Find(TempStringOf(text)); }

tStatus cStringArray::Remove(const char16_t *text) {
    int32_t i = Find(text);
    if (i < 0) return RC_FAIL;
    erase(begin() + i);
    return RC_OK;
}

tStatus cStringArray::Add(const char16_t *text) {
    if (Find(text) >= 0) return RC_FAIL;
    emplace_back(text);
    return RC_OK;
}

tStatus cStringArray::InsertSorted(const char16_t *text) {
    for (int32_t i = 0; i < Size(); ++i) {
        int32_t c = CompareNoCase(text, (*this)[size_t(i)].c_str());
        if (c > 0) continue;
        if (c == 0) return RC_FAIL;
        insert(begin() + i, cCharString(text));
        return RC_OK;
    }
    return Add(text);
}

void InsertCharAt(char16_t *text, char16_t c, uint32_t position) {
    uint32_t length = TextLength(text);
    if (position > length) position = length;
    for (uint32_t i = length + 1; i > position; --i) text[i] = text[i - 1];
    text[position] = c;
}

void DeleteCharAt(char16_t *text, uint32_t position) {
    uint32_t length = TextLength(text);
    if (position >= length) return;
    for (uint32_t i = position; i < length; ++i) text[i] = text[i + 1];
}

std::ostream &WriteQuotedString(const char16_t *text, std::ostream &stream) {
    return WriteQuotedChars(text, TextLength(text), stream);
}

std::ostream &WriteQuotedChars(const char16_t *text, uint32_t n, std::ostream &stream) {
    bool plain = true;
    for (uint32_t i = 0; i < n; ++i)
        if (text[i] < 0x20 || text[i] > 0xFF) plain = false;
    if (!plain) return stream << EscapeStringText(std::u16string(text, n).c_str());
    stream.put('"');
    for (uint32_t i = 0; i < n; ++i) {
        if (text[i] == u'"' || text[i] == u'\\') stream.put('\\');
        stream.put(char(text[i]));
    }
    stream.put('"');
    return stream;
}
