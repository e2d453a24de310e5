#include "foundation/char_string.h"

#include <cstring>
#include <new>

#include "foundation/text_util.h"
#include "foundation/wide_stream.h"
#include "foundation/system_services.h"

cCharString &cCharString::Assign(const char16_t *text) {
    if (!text) {
        clear();
        return *this;
    }
    // The text may lie inside this string: copy before replacing.
    std::u16string copy(text);
    std::u16string::swap(copy);
    return *this;
}

cCharString &cCharString::AppendInt(int32_t n) { append(FormatInt(n)); return *this; }
cCharString &cCharString::AppendUnsigned(uint32_t n) { append(FormatUnsigned(n)); return *this; }
int32_t cCharString::ToInt() const { return ParseLong(c_str(), 10); }

uint32_t HighestBit(uint32_t x) {
    if (!x) return 0;
    uint32_t bit = 0x80000000u;
    while (!(x & bit)) bit >>= 1;
    return bit;
}

int32_t BitWidth(uint32_t x) {
    int32_t n = 0;
    while (x) { ++n; x >>= 1; }
    return n;
}

int32_t LowestBitIndex(uint32_t x) {
    if (!x) return -1;
    int32_t i = 0;
    while (!(x & 1)) { ++i; x >>= 1; }
    return i;
}

uint32_t MaskFromLowestBit(uint32_t x) { return x ? (0xFFFFFFFFu << LowestBitIndex(x)) : 0; }
uint32_t MaskBelowLowestBit(uint32_t x) { return ~MaskFromLowestBit(x); }

uint32_t TextLength(const char16_t *text) {
    uint32_t n = 0;
    if (text)
        while (text[n]) ++n;
    return n;
}

// ---- SubString ----

SubString::SubString(const char16_t *t) : text(const_cast<char16_t *>(t)), length(TextLength(t)) {}
SubString::SubString(const char16_t *t, uint32_t n) : text(const_cast<char16_t *>(t)), length(n) {}

const char16_t *SubString::SetTextN(const char16_t *t, uint32_t n) {
    text = const_cast<char16_t *>(t);
    length = n;
    pos = 0;
    return text;
}

const char16_t *SubString::SetText(const char16_t *t) { return SetTextN(t, TextLength(t)); }
void SubString::Rewind() { SetText(text); }

uint32_t SubString::SetPos(int64_t n) {
    pos = (n < 0 || n > int64_t(length)) ? length : uint32_t(n);
    return pos;
}

uint32_t SubString::Advance(int32_t n) { return SetPos(int64_t(pos) + n); }

char16_t SubString::NextChar() {
    if (pos >= length) return 0;
    return text[pos++];
}

char16_t SubString::PeekChar(int32_t n) const {
    int64_t i = int64_t(pos) + n;
    if (i < 0 || i >= int64_t(length)) return 0;
    return text[i];
}

template <class Stop>
uint32_t SubString::ScanWhile(Stop stop) {
    mark = pos;
    flags = 0;
    while (pos < length) {
        if (stop(text[pos])) {
            flags |= kStopped;
            break;
        }
        ++pos;
        flags |= kMoved;
    }
    return pos - mark;
}

uint32_t SubString::ScanTo(char16_t c) { return ScanWhile([c](char16_t x) { return x == c; }); }
uint32_t SubString::SkipSpace() { return ScanWhile([](char16_t x) { return !IsWhiteSpace(x); }); }
uint32_t SubString::SkipSeparators() {
    return ScanWhile([](char16_t x) { return !IsWhiteSpace(x) && x != u','; });
}
uint32_t SubString::ScanToken() { return ScanWhile([](char16_t x) { return IsWhiteSpace(x) || x == u','; }); }

int32_t SubString::TrimBack() {
    flags = 0;
    while (pos > 0) {
        if (!IsWhiteSpace(text[pos - 1])) {
            flags |= kStopped;
            break;
        }
        --pos;
        flags |= kMoved;
    }
    // The mark may lie behind the new position: the distance is signed.
    return int32_t(int64_t(pos) - int64_t(mark));
}

int32_t SubString::ParseInt(int base) {
    mark = pos;
    if (pos >= length) return 0;
    uint32_t used = 0;
    int32_t v = ParseLong(text + pos, base, &used);
    if (used > length - pos) used = length - pos;
    pos += used;
    return v;
}

const char16_t *SubString::TakeRest() {
    const char16_t *r = TempStringN(text + pos, length - pos);
    pos = length;
    return r;
}

const char16_t *SubString::TakeMarked() {
    const char16_t *r;
    if (mark >= length)
        r = TakeRest();
    else
        r = mark < pos ? TempStringN(text + mark, pos - mark) : TempStringN(text + mark, length - mark);
    mark = pos;
    return r;
}

// ---- cStringBuf ----

cStringBuf::cStringBuf() {
    text = new (std::nothrow) char16_t[151];
    if (text) {
        capacity = 150;
        text[0] = 0;
    }
}

cStringBuf::cStringBuf(const char16_t *t) {
    // Sized to the text exactly, unlike SetText, which leaves one spare.
    uint32_t n = TextLength(t);
    text = new (std::nothrow) char16_t[size_t(n) + 1];
    if (!text) return;
    if (n) std::memcpy(text, t, n * sizeof(char16_t));
    text[n] = 0;
    length = capacity = n;
}

cStringBuf::cStringBuf(const cStringBuf &other) : SubString() { *this = other; }

cStringBuf &cStringBuf::operator=(const cStringBuf &other) {
    if (this == &other) return *this;
    SetTextN(other.text ? other.text : u"", other.text ? other.length : 0);
    pos = other.pos;
    mark = other.mark;
    flags = other.flags;
    return *this;
}

cStringBuf::~cStringBuf() { delete[] text; }

const char16_t *cStringBuf::SetTextN(const char16_t *t, uint32_t n) {
    char16_t *fresh = new (std::nothrow) char16_t[size_t(n) + 2];
    if (!fresh) {
        if (text && n <= capacity) {
            std::memmove(text, t, n * sizeof(char16_t));
            text[n] = 0;
            length = n;
        } else {
            length = capacity = 0;
            if (text) text[0] = 0;
        }
        pos = 0;
        return text;
    }
    // The source may lie inside the old buffer: copy before freeing it.
    if (n) std::memcpy(fresh, t, n * sizeof(char16_t));
    fresh[n] = 0;
    fresh[n + 1] = 0;
    delete[] text;
    text = fresh;
    capacity = n + 1;
    length = n;
    pos = 0;
    return text;
}

const char16_t *cStringBuf::SetText(const char16_t *t) { return SetTextN(t, TextLength(t)); }

const char16_t *cStringBuf::SetString(const std::u16string &s) {
    return SetTextN(s.c_str(), TextLength(s.c_str()));
}

void cStringBuf::Rewind() {
    std::u16string keep(text ? text : u"");
    SetString(keep);
}

const char16_t *cStringBuf::Push(char16_t c) {
    if (length >= capacity) Grow(10);
    if (text && length < capacity) {
        text[length++] = c;
        text[length] = 0;
    }
    return text;
}

const char16_t *cStringBuf::Append(const char16_t *t) {
    for (; t && *t; ++t) Push(*t);
    return text;
}

uint32_t cStringBuf::Grow(int32_t n) {
    int64_t newCap = int64_t(capacity) + n;
    if (newCap <= 0) return capacity;
    char16_t *fresh = new (std::nothrow) char16_t[size_t(newCap) + 1];
    if (!fresh) return capacity;
    if (n < 0) length = length > uint32_t(-n) ? length - uint32_t(-n) : 0;
    if (length > newCap) length = uint32_t(newCap);
    if (length) std::memcpy(fresh, text, length * sizeof(char16_t));
    fresh[length] = 0;
    delete[] text;
    text = fresh;
    capacity = uint32_t(newCap);
    if (pos > length) pos = length;
    return capacity;
}

const char *cStringBuf::ToNarrow() {
    if (!text) return "";
    const char *narrow = System() ? System()->ToAnsiText(text) : "";
    // The 8-bit text is written over the start of our own buffer; it must fit
    // in the capacity + 1 wide characters we own, which it always does for a
    // single-byte code page and is cut otherwise.
    size_t room = (size_t(capacity) + 1) * sizeof(char16_t);
    size_t n = std::strlen(narrow);
    if (n + 2 > room) n = room >= 2 ? room - 2 : 0;
    char *bytes = reinterpret_cast<char *>(text);
    std::memmove(bytes, narrow, n);
    bytes[n] = 0;
    size_t wideZero = (n + 1) / 2;  // the first even byte at or after the terminator
    if (wideZero <= capacity) text[wideZero] = 0;
    return bytes;
}

// ---- rings and temporaries ----

CircBuf<cCharString> gTempCharStrings(32);
CircBuf<cStringBuf> gTempStrings(32);

cCharString *TempCharString() {
    cCharString *s = gTempCharStrings.Next();
    s->clear();
    return s;
}

cCharString *TempCharStringCopy(const cCharString &s) {
    cCharString *slot = gTempCharStrings.Next();
    *slot = s;
    return slot;
}

const char16_t *TempString(const char16_t *text) { return gTempStrings.Next()->SetText(text); }
const char16_t *TempStringN(const char16_t *text, uint32_t n) { return gTempStrings.Next()->SetTextN(text, n); }
const char16_t *TempStringOf(const std::u16string &s) { return gTempStrings.Next()->SetString(s); }

const char16_t *TempConcat(const char16_t *a, const char16_t *b) {
    cStringBuf *slot = gTempStrings.Next();
    slot->SetText(a);
    return slot->Append(b);
}

const char *TempNarrowCopy(const char *text) {
    cStringBuf *slot = gTempStrings.Next();
    slot->SetText(System() ? System()->ToWideText(text) : u"");
    return slot->ToNarrow();
}

int32_t TrimWhiteSpace(std::u16string &s) {
    auto trim = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    size_t b = 0, e = s.size();
    while (b < e && trim(s[b])) ++b;
    if (b == e) return 0;
    while (e > b && trim(s[e - 1])) --e;
    int32_t removed = int32_t(b + (s.size() - e));
    s = s.substr(b, e - b);
    return removed;
}

std::u16string &HexDumpText(std::u16string &s, const uint8_t *bytes, uint32_t count) {
    if (!bytes) return s;
    for (uint32_t i = 0; i < count; ++i) s += FormatHex(bytes[i], 2);
    return s;
}

char16_t *NewTextCopy(char16_t **out, const char16_t *text, uint32_t n) {
    char16_t *copy = new char16_t[size_t(n) + 1]();
    for (uint32_t i = 0; i < n && text && text[i]; ++i) copy[i] = text[i];
    copy[n] = 0;
    if (out) *out = copy;
    return copy;
}

const char16_t *cStringBuf::ReadStream(cWideInStream &stream) {
    std::u16string text;
    ReadStreamText(text, stream);
    return SetString(text);
}

const char16_t *TempStreamText(const cWideStream &stream) { return TempStringOf(stream.Text()); }
