// Wide strings, the rings of temporary strings, the scanning cursor and the
// small text and bit helpers that every part of the program uses.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/base_defs.h"

class cWideStream;
class cWideInStream;

// The program's wide string: a std::u16string with null-safe construction.
class cCharString : public std::u16string {
public:
    cCharString() = default;
    cCharString(const char16_t *text) { if (text) std::u16string::assign(text); }
    cCharString(const std::u16string &s) : std::u16string(s) {}
    cCharString(std::u16string &&s) : std::u16string(std::move(s)) {}
    cCharString(const char16_t *text, size_t n) : std::u16string(text, n) {}

    cCharString &Assign(const char16_t *text);
    cCharString &AppendInt(int32_t n);
    cCharString &AppendUnsigned(uint32_t n);
    int32_t ToInt() const;
};

// Ring of T with a power-of-two number of slots.  The slot handed out last
// is the one at index; a slot is reused by the 32nd following take.
template <class T>
class CircBuf {
public:
    explicit CircBuf(int32_t count);
    virtual ~CircBuf() { delete[] slots; }
    CircBuf(const CircBuf &) = delete;
    CircBuf &operator=(const CircBuf &) = delete;

    virtual T *Next() { index = (index + 1) & static_cast<int32_t>(mask); return &slots[index]; }
    virtual T *Put(const T &value) { T *slot = Next(); *slot = value; return slot; }
    virtual T *Previous() { index = (index - 1) & static_cast<int32_t>(mask); return &slots[index]; }

    int32_t Index() const { return index; }
    uint32_t SlotCount() const { return mask + 1; }

private:
    T *slots;
    int32_t index = 0;
    uint32_t mask;
};

uint32_t HighestBit(uint32_t x);
int32_t BitWidth(uint32_t x);
int32_t LowestBitIndex(uint32_t x);
uint32_t MaskFromLowestBit(uint32_t x);
uint32_t MaskBelowLowestBit(uint32_t x);

template <class T>
CircBuf<T>::CircBuf(int32_t count) {
    uint32_t n = HighestBit(static_cast<uint32_t>(count < 1 ? 1 : count));
    slots = new T[n];
    mask = n - 1;
}

// A scanning cursor over a wide text it does not own.
class SubString {
public:
    enum : uint32_t { kMoved = 1, kStopped = 2 };

    SubString() = default;
    explicit SubString(const char16_t *text);
    SubString(const char16_t *text, uint32_t length);
    virtual ~SubString() = default;

    virtual void Rewind();
    virtual const char16_t *SetText(const char16_t *text);
    virtual const char16_t *SetTextN(const char16_t *text, uint32_t n);

    uint32_t SetPos(int64_t n);
    uint32_t Advance(int32_t n);
    char16_t NextChar();
    char16_t PeekChar(int32_t n) const;

    uint32_t ScanTo(char16_t c);
    uint32_t SkipSpace();
    uint32_t SkipSeparators();
    uint32_t ScanToken();
    int32_t TrimBack();
    int32_t ParseInt(int base);
    const char16_t *TakeMarked();
    const char16_t *TakeRest();

    const char16_t *Text() const { return text; }
    uint32_t Length() const { return length; }
    uint32_t Pos() const { return pos; }
    uint32_t Mark() const { return mark; }
    uint32_t Flags() const { return flags; }
    bool AtEnd() const { return pos >= length; }

protected:
    template <class Stop> uint32_t ScanWhile(Stop stop);

    char16_t *text = nullptr;
    uint32_t length = 0;
    uint32_t pos = 0;
    uint32_t mark = 0;
    uint32_t flags = 0;
};

// An owned, growable wide text buffer; the slot type of gTempStrings.
class cStringBuf : public SubString {
public:
    cStringBuf();
    explicit cStringBuf(const char16_t *text);
    cStringBuf(const cStringBuf &other);
    cStringBuf &operator=(const cStringBuf &other);
    ~cStringBuf() override;

    void Rewind() override;
    const char16_t *SetText(const char16_t *text) override;
    const char16_t *SetTextN(const char16_t *text, uint32_t n) override;
    virtual const char16_t *SetString(const std::u16string &s);
    virtual const char16_t *ReadStream(cWideInStream &stream);

    const char16_t *Push(char16_t c);
    const char16_t *Append(const char16_t *text);
    uint32_t Grow(int32_t n);
    const char *ToNarrow();

    uint32_t Capacity() const { return capacity; }

private:
    uint32_t capacity = 0;
};

extern CircBuf<cCharString> gTempCharStrings;
extern CircBuf<cStringBuf> gTempStrings;

cCharString *TempCharString();
cCharString *TempCharStringCopy(const cCharString &s);
const char16_t *TempString(const char16_t *text);
const char16_t *TempStringN(const char16_t *text, uint32_t n);
const char16_t *TempStringOf(const std::u16string &s);
const char16_t *TempStreamText(const cWideStream &stream);
const char16_t *TempConcat(const char16_t *a, const char16_t *b);
const char *TempNarrowCopy(const char *text);

int32_t TrimWhiteSpace(std::u16string &s);
std::u16string &HexDumpText(std::u16string &s, const uint8_t *bytes, uint32_t count);
char16_t *NewTextCopy(char16_t **out, const char16_t *text, uint32_t n);

// Length of a zero-ended wide text; 0 for null.
uint32_t TextLength(const char16_t *text);
