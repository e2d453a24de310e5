// Byte buffers: the circular byte buffer and the growable byte array under
// every music event track, and the big-endian number helpers of MIDI files.
#pragma once

#include <cstdint>

#include "foundation/error_msg.h"

// "ArrayBuf": 0 "Null buffer", 1 "Overrun".
extern const sErrorTable kArrayBufErrors;
void RaiseArrayBufError(uint32_t index);

// A ring of bytes.  Positions, counts and capacities are byte numbers.
class cCircBuf {
public:
    // The capacity is capacity x elementSize bytes; it stays 0 (with
    // "Null buffer" raised) when the bytes cannot be allocated.
    cCircBuf(uint32_t capacity, uint32_t elementSize);
    virtual ~cCircBuf();
    cCircBuf(const cCircBuf &) = delete;
    cCircBuf &operator=(const cCircBuf &) = delete;

    virtual uint32_t ToByteOffset(uint32_t n) { return n; }
    // Looks for the byte among the next min(limit, count) bytes from the
    // read position; answers its index in the buffer plus 1, or 0.
    virtual uint32_t FindByte(uint8_t byte, uint32_t limit);
    // Brings positions that reached the end back to the start; answers the
    // capacity.
    virtual uint32_t MakeRoom(uint32_t n);
    virtual uint32_t WrapAround(uint32_t n) { return MakeRoom(n); }

    const uint8_t *Bytes() const { return buffer; }
    uint8_t *Bytes() { return buffer; }
    uint32_t Capacity() const { return capacity; }
    uint32_t Count() const { return count; }
    uint32_t ReadPos() const { return readPos; }
    uint32_t WritePos() const { return writePos; }

protected:
    uint8_t *buffer = nullptr;
    uint32_t capacity = 0;
    uint32_t count = 0;
    uint32_t readPos = 0;
    uint32_t writePos = 0;
};

// A byte array that grows instead of wrapping: the stored bytes run from
// index 0 to the count, and the write position is normally the count.
class cArrayBuf : public cCircBuf {
public:
    enum : uint32_t { kMinGrowth = 512 };

    explicit cArrayBuf(uint32_t initialCapacity) : cCircBuf(initialCapacity, 1) {}

    // Grows the buffer by at least kMinGrowth bytes (nothing for n = 0);
    // the bytes move, so pointers into the buffer do not survive.  Answers
    // the capacity.
    uint32_t MakeRoom(uint32_t n) override;
    uint32_t WrapAround(uint32_t n) override { return capacity; }

    // Empties the array, keeping the allocated bytes.
    void Clear();
    void PutByte(uint8_t b);
    // Answers the number of bytes stored: n unless the array could not grow.
    uint32_t PutBlock(const void *source, uint32_t n);
    // The 8-bit zero-ended text without its terminator.
    uint32_t PutString(const char *text);
    // Opens a gap of n bytes at the position, filled from the source or with
    // zeros.  The bytes behind it move up; the write position moves with
    // them when it was at or after the position.  A position beyond the
    // stored bytes first extends them with zeros.  Answers the position, or
    // -1 (nothing changed) when the array cannot hold the gap.
    int32_t InsertGap(uint32_t n, const void *source, uint32_t position);
};

// Big-endian numbers as MIDI files store them, most significant byte first.
inline uint32_t ReadBigEndian16(const uint8_t *b) { return uint32_t(b[0]) << 8 | b[1]; }
inline uint32_t ReadBigEndian32(const uint8_t *b) {
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
}
inline void WriteBigEndian16(uint8_t *b, uint32_t v) {
    b[0] = uint8_t(v >> 8);
    b[1] = uint8_t(v);
}
inline void WriteBigEndian32(uint8_t *b, uint32_t v) {
    b[0] = uint8_t(v >> 24);
    b[1] = uint8_t(v >> 16);
    b[2] = uint8_t(v >> 8);
    b[3] = uint8_t(v);
}
