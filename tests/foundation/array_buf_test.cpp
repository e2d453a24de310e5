#include "foundation/array_buf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/foundation/raised_errors.h"

namespace {

std::string Stored(const cArrayBuf &a) {
    return std::string(reinterpret_cast<const char *>(a.Bytes()), a.Count());
}

// A circular buffer whose positions a test can place.
class TestRing : public cCircBuf {
public:
    explicit TestRing(uint32_t n) : cCircBuf(n, 1) {}
    void Place(const char *bytes, uint32_t read, uint32_t write, uint32_t n) {
        for (uint32_t i = 0; i < capacity && bytes[i]; ++i) buffer[i] = uint8_t(bytes[i]);
        readPos = read;
        writePos = write;
        count = n;
    }
    uint32_t MakeRoom(uint32_t n) override {
        ++wraps;
        lastWrap = n;
        return cCircBuf::MakeRoom(n);
    }
    int wraps = 0;
    uint32_t lastWrap = 0;
};

}  // namespace

TEST(ArrayBuf, ByteWritesGrowBy512WhenCapacityIsReached) {
    cArrayBuf a(16);
    EXPECT_EQ(a.Capacity(), 16u);
    for (int i = 0; i < 16; ++i) a.PutByte(uint8_t('a' + i));
    EXPECT_EQ(a.Capacity(), 16u);
    a.PutByte('q');
    EXPECT_EQ(a.Capacity(), 528u);
    EXPECT_EQ(a.Count(), 17u);
    EXPECT_EQ(a.WritePos(), 17u);
    EXPECT_EQ(Stored(a), "abcdefghijklmnopq");
}

TEST(ArrayBuf, LargeBlockGrowsOnceToWhatItNeeds) {
    cArrayBuf a(16);
    std::vector<uint8_t> block(1000);
    for (size_t i = 0; i < block.size(); ++i) block[i] = uint8_t(i * 7);
    EXPECT_EQ(a.PutBlock(block.data(), 1000), 1000u);
    EXPECT_EQ(a.Capacity(), 1000u);
    EXPECT_EQ(a.Count(), 1000u);
    EXPECT_EQ(a.WritePos(), 1000u);
    EXPECT_EQ(std::vector<uint8_t>(a.Bytes(), a.Bytes() + 1000), block);

    // A small block past the capacity grows by the minimum step.
    EXPECT_EQ(a.PutBlock("xyz", 3), 3u);
    EXPECT_EQ(a.Capacity(), 1512u);
    EXPECT_EQ(Stored(a).substr(1000), "xyz");
}

TEST(ArrayBuf, StringsAndBlocksAppendAtTheWritePosition) {
    cArrayBuf a(4);
    EXPECT_EQ(a.PutString("MThd"), 4u);
    EXPECT_EQ(a.PutString(""), 0u);
    EXPECT_EQ(a.PutString(nullptr), 0u);
    a.PutByte(0);
    EXPECT_EQ(a.PutBlock("\x01\x02", 2), 2u);
    EXPECT_EQ(Stored(a), std::string("MThd\0\x01\x02", 7));
}

TEST(ArrayBuf, MakeRoomZeroChangesNothing) {
    cArrayBuf a(16);
    const uint8_t *before = a.Bytes();
    EXPECT_EQ(a.MakeRoom(0), 16u);
    EXPECT_EQ(a.Bytes(), before);
    EXPECT_EQ(a.Capacity(), 16u);
}

TEST(ArrayBuf, GrowthKeepsTheOldBytes) {
    cArrayBuf a(8);
    a.PutString("abcdefgh");
    EXPECT_EQ(a.MakeRoom(600), 608u);
    EXPECT_EQ(Stored(a), "abcdefgh");
}

TEST(ArrayBuf, ClearKeepsTheAllocatedBytes) {
    cArrayBuf a(16);
    a.PutBlock(std::string(100, 'x').data(), 100);
    uint32_t capacity = a.Capacity();
    a.Clear();
    EXPECT_EQ(a.Count(), 0u);
    EXPECT_EQ(a.WritePos(), 0u);
    EXPECT_EQ(a.ReadPos(), 0u);
    EXPECT_EQ(a.Capacity(), capacity);
    a.PutString("new");
    EXPECT_EQ(Stored(a), "new");
}

TEST(ArrayBuf, AZeroCapacityArrayGrowsOnFirstWrite) {
    test::RaisedErrors errors;
    cArrayBuf a(0);
    EXPECT_EQ(errors.Count(), 0);
    a.PutByte(9);
    EXPECT_EQ(a.Capacity(), 512u);
    EXPECT_EQ(Stored(a), "\x09");
}

TEST(ArrayBuf, GrowthThatCannotBeAllocatedRaisesNullBufferAndKeepsTheBuffer) {
    cArrayBuf a(16);
    a.PutString("keep");
    test::RaisedErrors errors;
    EXPECT_EQ(a.MakeRoom(0xFFFFFFF0u), 16u);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in ArrayBuf: Null buffer");
    EXPECT_EQ(Stored(a), "keep");
    // A gap that cannot be held changes nothing.
    EXPECT_EQ(a.InsertGap(0x7FFFFFF0u, nullptr, 0), -1);
    EXPECT_EQ(Stored(a), "keep");
    EXPECT_EQ(a.WritePos(), 4u);
}

TEST(ArrayBuf, InsertGapOnAnEmptyArrayGivesZeros) {
    cArrayBuf a(16);
    EXPECT_EQ(a.InsertGap(4, nullptr, 0), 0);
    EXPECT_EQ(Stored(a), std::string(4, '\0'));
    EXPECT_EQ(a.WritePos(), 4u);
}

TEST(ArrayBuf, InsertGapMovesTheFollowingBytesAndTheWritePosition) {
    struct Case {
        const char *name;
        uint32_t position;
        const char *source;
        std::string bytes;
    };
    const std::string z4(4, '\0');
    const Case cases[] = {
        {"start, zeros", 0, nullptr, z4 + "abcdef"},
        {"middle, zeros", 2, nullptr, "ab" + z4 + "cdef"},
        {"end, zeros", 6, nullptr, "abcdef" + z4},
        {"middle, from source", 3, "WXYZ", "abcWXYZdef"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        cArrayBuf a(6);
        a.PutString("abcdef");
        EXPECT_EQ(a.InsertGap(4, c.source, c.position), int32_t(c.position));
        EXPECT_EQ(Stored(a), c.bytes);
        EXPECT_EQ(a.Count(), 10u);
        EXPECT_EQ(a.WritePos(), 10u);
        EXPECT_EQ(a.Capacity(), 6u + 512u);
    }
}

TEST(ArrayBuf, InsertGapAfterTheWritePositionLeavesIt) {
    // The write position went back to patch earlier bytes (a chunk length).
    class Patched : public cArrayBuf {
    public:
        using cArrayBuf::cArrayBuf;
        void SetWritePos(uint32_t p) { writePos = p; }
    };
    Patched a(64);
    a.PutString("abcdef");
    a.SetWritePos(2);
    EXPECT_EQ(a.InsertGap(3, nullptr, 4), 4);
    EXPECT_EQ(a.WritePos(), 2u);
    EXPECT_EQ(Stored(a), std::string("abcd\0\0\0ef", 9));
    // At exactly the position it moves with the gap.
    EXPECT_EQ(a.InsertGap(1, "!", 2), 2);
    EXPECT_EQ(a.WritePos(), 3u);
    EXPECT_EQ(Stored(a), std::string("ab!cd\0\0\0ef", 10));
    // Writing there overwrites, and the count still grows, within the buffer.
    a.PutByte('C');
    EXPECT_EQ(Stored(a).substr(0, 4), "ab!C");
    EXPECT_EQ(a.Count(), 11u);
}

TEST(ArrayBuf, InsertGapBeyondTheStoredBytesExtendsWithZeros) {
    cArrayBuf a(8);
    a.PutString("ab");
    EXPECT_EQ(a.InsertGap(2, nullptr, 5), 5);
    EXPECT_EQ(Stored(a), std::string("ab\0\0\0\0\0", 7));
    EXPECT_EQ(a.WritePos(), 2u);  // before the gap: stays
    // Beyond the capacity the array grows first.
    EXPECT_EQ(a.InsertGap(4, nullptr, 20), 20);
    EXPECT_EQ(a.Count(), 24u);
    EXPECT_GE(a.Capacity(), 24u);
    EXPECT_EQ(Stored(a), "ab" + std::string(22, '\0'));
}

TEST(ArrayBuf, GapThenWriteFillsAPlaceholder) {
    // A chunk length made room for, then the events, then the length.
    cArrayBuf a(16);
    a.PutString("MTrk");
    EXPECT_EQ(a.InsertGap(4, nullptr, a.Count()), 4);
    a.PutBlock("\x00\xFF\x2F\x00", 4);
    WriteBigEndian32(a.Bytes() + 4, a.Count() - 8);
    EXPECT_EQ(Stored(a), std::string("MTrk\0\0\0\x04\0\xFF\x2F\0", 12));
}

TEST(CircBuf, FindByteAnswersIndexPlusOneWithinTheCount) {
    TestRing r(8);
    r.Place("xbcdefgh", 0, 4, 4);
    EXPECT_EQ(r.FindByte('x', 100), 1u);   // index 0 answers 1
    EXPECT_EQ(r.FindByte('d', 100), 4u);
    EXPECT_EQ(r.FindByte('e', 100), 0u);   // beyond the count
    EXPECT_EQ(r.FindByte('d', 3), 0u);     // beyond the limit
    EXPECT_EQ(r.FindByte('z', 100), 0u);
    EXPECT_EQ(r.wraps, 0);
}

TEST(CircBuf, FindByteWrapsPastTheEnd) {
    TestRing r(8);
    r.Place("abcdefgh", 6, 2, 4);  // stored: g h a b
    EXPECT_EQ(r.FindByte('h', 100), 8u);
    EXPECT_EQ(r.wraps, 0);
    EXPECT_EQ(r.FindByte('b', 100), 2u);
    EXPECT_EQ(r.wraps, 1);
    EXPECT_EQ(r.lastWrap, 2u);
    EXPECT_EQ(r.FindByte('c', 100), 0u);  // past the stored bytes
}

TEST(CircBuf, MakeRoomWrapsPositionsAtTheCapacity) {
    TestRing r(8);
    r.Place("", 8, 9, 0);
    EXPECT_EQ(r.cCircBuf::MakeRoom(123), 8u);
    EXPECT_EQ(r.ReadPos(), 0u);
    EXPECT_EQ(r.WritePos(), 1u);
}

TEST(ArrayBuf, FindByteOfAnArrayDoesNotWrap) {
    cArrayBuf a(4);
    a.PutString("abcd");
    EXPECT_EQ(a.FindByte('c', 10), 3u);
    EXPECT_EQ(a.WrapAround(5), 4u);
    EXPECT_EQ(a.ToByteOffset(77), 77u);
}

TEST(BigEndian, ReadsAndWritesMostSignificantFirst) {
    const uint8_t fffe[] = {0xFF, 0xFE};
    const uint8_t tpq[] = {0x00, 0x00, 0x01, 0xE0};
    const uint8_t big[] = {0x89, 0xAB, 0xCD, 0xEF};
    EXPECT_EQ(ReadBigEndian16(fffe), 65534u);
    EXPECT_EQ(ReadBigEndian32(tpq), 480u);
    EXPECT_EQ(ReadBigEndian32(big), 0x89ABCDEFu);

    uint8_t out[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    WriteBigEndian32(out, 6);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>{0, 0, 0, 6}));
    WriteBigEndian32(out, 0x89ABCDEF);
    EXPECT_EQ(ReadBigEndian32(out), 0x89ABCDEFu);
    WriteBigEndian16(out, 0x1234);
    EXPECT_EQ(out[0], 0x12);
    EXPECT_EQ(out[1], 0x34);
    WriteBigEndian16(out, 0xABCDE);  // only the low 16 bits
    EXPECT_EQ(ReadBigEndian16(out), 0xBCDEu);
}
