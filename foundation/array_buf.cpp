#include "foundation/array_buf.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

PELMORA_ERROR_TABLE(kArrayBufErrors, u"ArrayBuf", u"Null buffer", u"Overrun");

void RaiseArrayBufError(uint32_t index) { RaiseError(&kArrayBufErrors, index | ERR_REPORT); }

namespace {

// Positions are answered as signed 32-bit numbers (InsertGap's -1), so no
// buffer grows beyond what they can name.
constexpr uint64_t kMaxBytes = 0x7FFFFFFF;

// The buffers come from calloc: zero-filled, so that no byte in the buffer
// is ever undefined, and outside the new-handler, whose report is for the
// program's own small objects.
uint8_t *AllocateBytes(uint64_t n) {
    if (n == 0 || n > kMaxBytes) return nullptr;
    return static_cast<uint8_t *>(std::calloc(size_t(n), 1));
}

}  // namespace

cCircBuf::cCircBuf(uint32_t requested, uint32_t elementSize) {
    uint64_t bytes = uint64_t(requested) * elementSize;
    if (bytes == 0) return;
    buffer = AllocateBytes(bytes);
    if (buffer)
        capacity = requested;
    else
        RaiseArrayBufError(0);
}

cCircBuf::~cCircBuf() { std::free(buffer); }

uint32_t cCircBuf::FindByte(uint8_t byte, uint32_t limit) {
    if (!buffer) return 0;
    uint32_t span = std::min(limit, count);
    uint32_t start = std::min(readPos, capacity);
    uint64_t end = uint64_t(readPos) + span;
    uint32_t first = end > capacity ? capacity : uint32_t(end);
    for (uint32_t i = start; i < first; ++i)
        if (buffer[i] == byte) return i + 1;
    if (end <= capacity) return 0;
    // The span passes the end of the buffer: the rest lies at its start.
    uint32_t rest = uint32_t(std::min<uint64_t>(end - capacity, capacity));
    WrapAround(rest);
    for (uint32_t i = 0; i < rest; ++i)
        if (buffer[i] == byte) return i + 1;
    return 0;
}

uint32_t cCircBuf::MakeRoom(uint32_t) {
    if (writePos >= capacity) writePos -= capacity;
    if (readPos >= capacity) readPos -= capacity;
    return capacity;
}

uint32_t cArrayBuf::MakeRoom(uint32_t n) {
    if (n == 0) return capacity;
    uint64_t step = std::max<uint32_t>(n, kMinGrowth);
    uint8_t *larger = AllocateBytes(uint64_t(capacity) + step);
    if (!larger) {
        RaiseArrayBufError(0);
        return capacity;
    }
    if (buffer) std::memcpy(larger, buffer, capacity);
    std::free(buffer);
    buffer = larger;
    capacity += uint32_t(step);
    return capacity;
}

void cArrayBuf::Clear() {
    writePos = 0;
    count = 0;
    readPos = 0;
}

void cArrayBuf::PutByte(uint8_t b) {
    // Growing also when only the count has reached the capacity (the write
    // position moved back) keeps the count within the buffer.
    if (writePos >= capacity || count >= capacity) {
        uint32_t reach = std::max(writePos, count);
        MakeRoom(reach - capacity + 1);
        if (writePos >= capacity || count >= capacity) return;
    }
    buffer[writePos++] = b;
    ++count;
}

uint32_t cArrayBuf::PutBlock(const void *source, uint32_t n) {
    if (!source || n == 0) return 0;
    const uint8_t *from = static_cast<const uint8_t *>(source);
    auto room = [this] {
        uint32_t free = capacity > count ? capacity - count : 0;
        uint32_t ahead = capacity > writePos ? capacity - writePos : 0;
        return std::min(free, ahead);
    };
    uint32_t stored = std::min(room(), n);
    if (stored) std::memcpy(buffer + writePos, from, stored);
    count += stored;
    writePos += stored;
    while (stored < n) {
        uint32_t remaining = n - stored;
        MakeRoom(remaining);
        uint32_t piece = std::min(remaining, room());
        if (piece == 0) break;
        std::memcpy(buffer + writePos, from + stored, piece);
        count += piece;
        writePos += piece;
        stored += piece;
    }
    return stored;
}

uint32_t cArrayBuf::PutString(const char *text) {
    if (!text) return 0;
    return PutBlock(text, uint32_t(std::strlen(text)));
}

int32_t cArrayBuf::InsertGap(uint32_t n, const void *source, uint32_t position) {
    uint64_t end = std::max(position, count);
    uint64_t newCount = end + n;
    if (newCount > kMaxBytes) return -1;
    uint32_t needed = uint32_t(newCount - count);
    if (capacity - count < needed) MakeRoom(needed);
    if (newCount > capacity) return -1;
    if (position <= count) {
        if (count > position) std::memmove(buffer + position + n, buffer + position, count - position);
    } else {
        // Beyond the stored bytes: the bytes up to the gap become zeros too.
        std::memset(buffer + count, 0, position - count);
    }
    if (n) {
        if (source)
            std::memcpy(buffer + position, source, n);
        else
            std::memset(buffer + position, 0, n);
    }
    count = uint32_t(newCount);
    if (writePos >= position) writePos += n;
    return int32_t(position);
}
