#include "foundation/char_string.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/op_sys_base.h"
#include "tests/test_support.h"

namespace {
std::u16string S(const char16_t *t) { return t ? std::u16string(t) : std::u16string(u"<null>"); }
}  // namespace

// ---- rings ----

TEST(CircBuf, SlotCountIsRoundedDownToAPowerOfTwo) {
    const struct { int32_t requested; uint32_t slots; } cases[] = {
        {1, 1}, {2, 2}, {3, 2}, {32, 32}, {33, 32}, {40, 32}, {63, 32}, {64, 64}};
    for (const auto &c : cases) {
        CircBuf<cCharString> ring(c.requested);
        EXPECT_EQ(ring.SlotCount(), c.slots) << c.requested;
    }
}

TEST(CircBuf, IndexMovesBeforeTheSlotIsUsedAndWrapsBothWays) {
    CircBuf<cCharString> ring(33);
    cCharString *last = ring.Previous();
    EXPECT_EQ(ring.Index(), 31);
    cCharString *first = ring.Next();  // back to 0
    EXPECT_EQ(ring.Index(), 0);
    EXPECT_NE(first, last);
    cCharString *one = ring.Next();
    EXPECT_EQ(ring.Index(), 1);
    for (int i = 0; i < 31; ++i) ring.Next();
    EXPECT_EQ(ring.Index(), 0);
    EXPECT_EQ(ring.Next(), one);  // the 32nd use after slot 1 is slot 1 again
    EXPECT_EQ(ring.Previous(), first);
}

TEST(CircBuf, PutCopiesTextAndCursorIntoTheSlotsOwnBuffer) {
    CircBuf<cStringBuf> ring(4);
    cStringBuf source(u"name=value");
    source.ScanTo(u'=');
    cStringBuf *slot = ring.Put(source);
    EXPECT_NE(slot->Text(), source.Text());
    EXPECT_EQ(S(slot->Text()), u"name=value");
    EXPECT_EQ(slot->Length(), 10u);
    EXPECT_EQ(slot->Pos(), 4u);
    EXPECT_EQ(slot->Mark(), 0u);
    EXPECT_EQ(slot->Flags(), uint32_t(SubString::kMoved | SubString::kStopped));
}

TEST(TempStrings, ATemporarySurvives31FurtherTakesOfItsRing) {
    const char16_t *kept = TempString(u"kept");
    int32_t slot = gTempStrings.Index();
    for (int i = 0; i < 31; ++i) {
        std::u16string other = u"other" + std::u16string(1, char16_t(u'A' + i));
        TempString(other.c_str());
        EXPECT_NE(gTempStrings.Index(), slot);
    }
    // Still the text it was (AddressSanitizer would object to a freed buffer).
    EXPECT_EQ(S(kept), u"kept");
    const char16_t *next = TempString(u"reused");
    EXPECT_EQ(gTempStrings.Index(), slot);  // the 32nd take reuses the slot
    EXPECT_EQ(S(next), u"reused");
}

TEST(TempStrings, TheTwoRingsAreIndependent) {
    int32_t strings = gTempStrings.Index();
    int32_t chars = gTempCharStrings.Index();
    cCharString *c = TempCharString();
    cCharString *copy = TempCharStringCopy(cCharString(u"copy"));
    EXPECT_TRUE(c->empty());
    EXPECT_EQ(*copy, u"copy");
    EXPECT_EQ(gTempStrings.Index(), strings);
    EXPECT_EQ(gTempCharStrings.Index(), (chars + 2) & 31);

    TempString(u"a");
    TempStringN(u"ab", 1);
    TempStringOf(u"c");
    TempConcat(u"d", u"e");
    EXPECT_EQ(gTempStrings.Index(), (strings + 4) & 31);
    EXPECT_EQ(gTempCharStrings.Index(), (chars + 2) & 31);
}

TEST(TempStrings, TempCharStringEmptiesARecycledSlot) {
    *TempCharString() = u"left over";
    for (int i = 0; i < 31; ++i) TempCharString();
    EXPECT_TRUE(TempCharString()->empty());
}

TEST(TempStrings, HelpersFillTheirSlot) {
    const char16_t withZeros[] = {u'a', 0, 0, 0, u'z'};
    const char16_t *n = TempStringN(withZeros, 3);
    EXPECT_EQ(S(n), u"a");
    EXPECT_EQ(std::memcmp(n, withZeros, 3 * sizeof(char16_t)), 0);
    EXPECT_EQ(n[3], 0);

    EXPECT_EQ(S(TempConcat(u"ab", u"cd")), u"abcd");
    EXPECT_EQ(S(TempConcat(u"", u"")), u"");
    // TempStringOf stops at the first zero of the wide string.
    EXPECT_EQ(S(TempStringOf(std::u16string(u"ab\0cd", 5))), u"ab");
}

TEST(TempStrings, TempNarrowCopyTakesTwoSlots) {
    int32_t before = gTempStrings.Index();
    const char *copy = TempNarrowCopy("abc");
    EXPECT_STREQ(copy, "abc");
    EXPECT_EQ(gTempStrings.Index(), (before + 2) & 31);

    EXPECT_STREQ(TempNarrowCopy(nullptr), "");
    // Characters of the 8-bit code page come back as they went.
    EXPECT_STREQ(TempNarrowCopy("caf\xE9"), "caf\xE9");
}

// ---- cCharString ----

TEST(CharString, NullSafeConstructionAndAssignment) {
    EXPECT_TRUE(cCharString(static_cast<const char16_t *>(nullptr)).empty());
    cCharString s(u"text");
    EXPECT_TRUE(s.Assign(nullptr).empty());
    s = u"abcdef";
    EXPECT_EQ(s.Assign(s.c_str() + 2), u"cdef");  // a text inside the string itself
    cCharString fromWide(std::u16string(u"wide"));
    EXPECT_EQ(fromWide, u"wide");
}

TEST(CharString, NumbersAppendAndChain) {
    cCharString s(u"x");
    EXPECT_EQ(s.AppendInt(-5), u"x-5");
    EXPECT_EQ(cCharString().AppendUnsigned(4294967295u), u"4294967295");
    EXPECT_EQ(cCharString().AppendInt(INT32_MIN).AppendUnsigned(0), u"-21474836480");
}

TEST(CharString, ToIntReadsTheLeadingInteger) {
    const struct { const char16_t *text; int32_t value; } cases[] = {
        {u" 12abc", 12}, {u"abc", 0}, {u"", 0}, {u"-7", -7}, {u"+8x", 8}, {u"\t\n 42", 42},
        {u"- 3", 0}, {u"99999999999", INT32_MAX}, {u"-99999999999", INT32_MIN}};
    for (const auto &c : cases) EXPECT_EQ(cCharString(c.text).ToInt(), c.value) << test::Narrow(c.text);
}

// ---- SubString ----

TEST(SubString, ScanToTakeMarkedAndTakeRestSplitAKeyLine) {
    SubString s(u"name=value");
    EXPECT_EQ(s.ScanTo(u'='), 4u);
    EXPECT_EQ(s.Flags(), uint32_t(SubString::kMoved | SubString::kStopped));
    EXPECT_EQ(S(s.TakeMarked()), u"name");
    EXPECT_EQ(s.Mark(), 4u);
    EXPECT_EQ(s.NextChar(), u'=');
    EXPECT_EQ(S(s.TakeRest()), u"value");
    EXPECT_TRUE(s.AtEnd());
    EXPECT_EQ(s.NextChar(), 0);
    EXPECT_EQ(s.Pos(), 10u);
}

TEST(SubString, ScansTable) {
    // text, start position, scan, passed, position after, flags after
    enum Scan { kScanToX, kSkipSpace, kSkipSeparators, kScanToken };
    const struct {
        const char16_t *text;
        uint32_t start;
        Scan scan;
        uint32_t passed, pos, flags;
    } cases[] = {
        {u"abxcd", 0, kScanToX, 2, 2, 3},
        {u"xab", 0, kScanToX, 0, 0, 2},   // stops at once: no step
        {u"abc", 0, kScanToX, 3, 3, 1},   // absent: to the end, flag 1 only
        {u"", 0, kScanToX, 0, 0, 0},
        {u"  \t\r\nab", 0, kSkipSpace, 5, 5, 3},
        {u"ab", 0, kSkipSpace, 0, 0, 2},
        {u"   ", 0, kSkipSpace, 3, 3, 1},
        {u"\v\f1", 0, kSkipSpace, 2, 2, 3},
        {u" , 12", 0, kSkipSeparators, 3, 3, 3},
        {u",,", 0, kSkipSeparators, 2, 2, 1},
        {u"token rest", 0, kScanToken, 5, 5, 3},
        {u"a,b", 0, kScanToken, 1, 1, 3},
        {u"abc", 1, kScanToken, 2, 3, 1},
    };
    for (const auto &c : cases) {
        SubString s(c.text);
        s.SetPos(c.start);
        uint32_t passed = 0;
        switch (c.scan) {
        case kScanToX: passed = s.ScanTo(u'x'); break;
        case kSkipSpace: passed = s.SkipSpace(); break;
        case kSkipSeparators: passed = s.SkipSeparators(); break;
        case kScanToken: passed = s.ScanToken(); break;
        }
        SCOPED_TRACE(test::Narrow(c.text));
        EXPECT_EQ(passed, c.passed);
        EXPECT_EQ(s.Pos(), c.pos);
        EXPECT_EQ(s.Mark(), c.start);
        EXPECT_EQ(s.Flags(), c.flags);
    }
}

TEST(SubString, AbsentStopCharacterLeavesEverythingFromTheMark) {
    SubString s(u"ab cd");
    s.SetPos(3);
    EXPECT_EQ(s.ScanTo(u'='), 2u);
    EXPECT_EQ(s.Flags(), uint32_t(SubString::kMoved));
    EXPECT_EQ(S(s.TakeMarked()), u"cd");
}

TEST(SubString, TakeMarkedWithTheMarkAtOrAfterThePositionRunsToTheEnd) {
    SubString s(u"abcdef");
    s.SetPos(2);
    s.ScanTo(u'c');  // mark 2, position 2
    EXPECT_EQ(S(s.TakeMarked()), u"cdef");
    EXPECT_EQ(s.Pos(), 2u);
    // A mark at or past the end of the view: the rest from the position.
    s.SetPos(6);
    s.ScanTo(u'x');  // mark 6
    s.SetPos(4);
    EXPECT_EQ(S(s.TakeMarked()), u"ef");
    EXPECT_EQ(s.Pos(), 6u);
    EXPECT_EQ(s.Mark(), 6u);
}

TEST(SubString, SkipSeparatorsThenParseInt) {
    SubString s(u" , 12");
    EXPECT_EQ(s.SkipSeparators(), 3u);
    EXPECT_EQ(s.PeekChar(0), u'1');
    EXPECT_EQ(s.ParseInt(10), 12);
    EXPECT_TRUE(s.AtEnd());
}

TEST(SubString, ParseIntTable) {
    const struct {
        const char16_t *text;
        int base;
        int32_t value;
        uint32_t pos;
    } cases[] = {
        {u"-12,3", 10, -12, 3}, {u"  +7", 10, 7, 4},  {u"0x1F;", 16, 31, 4}, {u"ff", 16, 255, 2},
        {u"0x", 16, 0, 1},      {u"abc", 10, 0, 0},   {u"", 10, 0, 0},      {u"12 34", 10, 12, 2},
    };
    for (const auto &c : cases) {
        SubString s(c.text);
        uint32_t flagsBefore = s.Flags();
        EXPECT_EQ(s.ParseInt(c.base), c.value) << test::Narrow(c.text);
        EXPECT_EQ(s.Pos(), c.pos) << test::Narrow(c.text);
        EXPECT_EQ(s.Flags(), flagsBefore);
    }
}

TEST(SubString, ParseIntReadsNoFurtherThanTheView) {
    const char16_t text[] = u"1234";
    SubString s(text, 2);
    s.ParseInt(10);
    EXPECT_EQ(s.Pos(), 2u);
}

TEST(SubString, TrimBackTable) {
    const struct {
        const char16_t *text;
        uint32_t start, pos, flags;
    } cases[] = {
        {u"ab  ", 4, 2, 3}, {u" x", 1, 0, 1}, {u"a ", 2, 1, 3}, {u"abc", 0, 0, 0}, {u"ab", 2, 2, 2},
    };
    for (const auto &c : cases) {
        SubString s(c.text);
        s.SetPos(c.start);
        s.TrimBack();
        SCOPED_TRACE(test::Narrow(c.text));
        EXPECT_EQ(s.Pos(), c.pos);
        EXPECT_EQ(s.Flags(), c.flags);
        EXPECT_EQ(s.Mark(), 0u);
    }
    // The distance from the mark is signed: trimming behind the mark is negative.
    SubString s(u"ab  cd");
    s.SetPos(4);
    s.ScanTo(u'c');  // mark 4
    EXPECT_EQ(s.TrimBack(), -2);
}

TEST(SubString, PositionsClampToTheView) {
    SubString s(u"abc");
    EXPECT_EQ(s.SetPos(2), 2u);
    EXPECT_EQ(s.SetPos(7), 3u);
    EXPECT_EQ(s.SetPos(-1), 3u);
    s.SetPos(1);
    EXPECT_EQ(s.Advance(-1), 0u);
    EXPECT_EQ(s.Advance(-1), 3u);  // a negative position becomes the length
    s.SetPos(1);
    EXPECT_EQ(s.PeekChar(1), u'c');
    EXPECT_EQ(s.PeekChar(2), 0);
    EXPECT_EQ(s.PeekChar(-1), u'a');
}

TEST(SubString, SetTextKeepsMarkAndFlagsAndRewindRecounts) {
    char16_t text[] = u"abc=def";
    SubString s(text);
    s.ScanTo(u'=');
    s.SetTextN(text, 2);
    EXPECT_EQ(s.Length(), 2u);
    EXPECT_EQ(s.Pos(), 0u);
    EXPECT_EQ(s.Mark(), 0u);
    EXPECT_EQ(s.Flags(), uint32_t(SubString::kMoved | SubString::kStopped));
    s.SetPos(1);
    text[3] = 0;
    s.Rewind();
    EXPECT_EQ(s.Length(), 3u);
    EXPECT_EQ(s.Pos(), 0u);
}

// ---- cStringBuf ----

TEST(StringBuf, NewBuffersAreSizedAsDocumented) {
    cStringBuf empty;
    EXPECT_EQ(empty.Capacity(), 150u);
    EXPECT_EQ(empty.Length(), 0u);
    EXPECT_EQ(S(empty.Text()), u"");

    cStringBuf text(u"abc");
    EXPECT_EQ(text.Capacity(), 3u);
    EXPECT_EQ(S(text.Text()), u"abc");

    text.SetText(u"hello");  // always n + 1, whatever the buffer was
    EXPECT_EQ(text.Capacity(), 6u);
    text.SetText(u"");
    EXPECT_EQ(text.Capacity(), 1u);
    EXPECT_EQ(text.Text()[0], 0);
}

TEST(StringBuf, PushGrowsByTenOnlyWhenFull) {
    cStringBuf b;
    for (int i = 0; i < 150; ++i) b.Push(u'x');
    EXPECT_EQ(b.Capacity(), 150u);
    b.Push(u'y');
    EXPECT_EQ(b.Capacity(), 160u);
    EXPECT_EQ(b.Length(), 151u);
    EXPECT_EQ(b.Text()[150], u'y');
    EXPECT_EQ(b.Text()[151], 0);

    // TempConcat's pattern: one spare character, then growth every ten.
    cStringBuf c;
    c.SetText(u"ab");
    c.Append(u"c");
    EXPECT_EQ(c.Capacity(), 3u);
    c.Append(u"d");
    EXPECT_EQ(c.Capacity(), 13u);
    c.Append(u"efghijklm");
    EXPECT_EQ(c.Capacity(), 13u);
    c.Append(u"n");
    EXPECT_EQ(c.Capacity(), 23u);
    EXPECT_EQ(S(c.Text()), u"abcdefghijklmn");
}

TEST(StringBuf, GrowTable) {
    const struct {
        const char16_t *text;
        int32_t first, grow;
        uint32_t capacity, length;
        const char16_t *after;
    } cases[] = {
        {u"abc", 3, -5, 1, 0, u""},        // capacity 6, length 3 → cut to nothing
        {u"abcdef", 0, -2, 4, 4, u"abcd"}, // the kept text is cut by |n|
        {u"abc", 0, 4, 7, 3, u"abc"},
        {u"abc", 0, -3, 3, 3, u"abc"},     // a new capacity of 0 changes nothing
        {u"abc", 0, -9, 3, 3, u"abc"},
    };
    for (const auto &c : cases) {
        cStringBuf b(c.text);
        if (c.first) b.Grow(c.first);
        EXPECT_EQ(b.Grow(c.grow), c.capacity) << test::Narrow(c.text) << " " << c.grow;
        EXPECT_EQ(b.Capacity(), c.capacity);
        EXPECT_EQ(b.Length(), c.length);
        EXPECT_EQ(S(b.Text()), c.after);
    }
}

TEST(StringBuf, SetTextNAcceptsItsOwnCharacters) {
    cStringBuf b(u"abcdef");
    b.ScanTo(u'c');
    b.SetTextN(b.Text() + 1, 3);
    EXPECT_EQ(S(b.Text()), u"bcd");
    EXPECT_EQ(b.Capacity(), 4u);
    EXPECT_EQ(b.Pos(), 0u);
    EXPECT_EQ(b.Mark(), 0u);
    EXPECT_EQ(b.Flags(), uint32_t(SubString::kMoved | SubString::kStopped));

    b.SetText(b.Text() + 2);
    EXPECT_EQ(S(b.Text()), u"d");
}

TEST(StringBuf, RewindFitsTheBufferToItsText) {
    cStringBuf b;
    b.Append(u"abc");
    b.SetPos(2);
    b.Rewind();
    EXPECT_EQ(S(b.Text()), u"abc");
    EXPECT_EQ(b.Capacity(), 4u);
    EXPECT_EQ(b.Pos(), 0u);
    b.SetString(std::u16string(u"x\0y", 3));
    EXPECT_EQ(S(b.Text()), u"x");
}

TEST(StringBuf, ToNarrowLeavesAZeroEndedTextReadableBothWays) {
    // Each case: the wide text and its 8-bit form.  The wide zero goes at the
    // first even byte at or after the 8-bit terminator.
    // Read as wide text, the bytes give half as many characters, rounded up.
    const struct { const char16_t *wide; const char *narrow; uint32_t wideLength; } cases[] = {
        {u"", "", 0},
        {u"a", "a", 1},
        {u"ab", "ab", 1},
        {u"abc", "abc", 2},
        // Code units with a high byte: the old characters must not show through.
        {u"\u20AC\u20AC\u20AC\u20AC", "\x80\x80\x80\x80", 2},
        {u"\u20AC\u20AC\u20AC", "\x80\x80\x80", 2},
    };
    for (const auto &c : cases) {
        cStringBuf b(c.wide);
        uint32_t length = b.Length(), capacity = b.Capacity();
        const char *narrow = b.ToNarrow();
        SCOPED_TRACE(c.narrow);
        EXPECT_STREQ(narrow, c.narrow);
        EXPECT_EQ(static_cast<const void *>(narrow), static_cast<const void *>(b.Text()));
        EXPECT_EQ(TextLength(b.Text()), c.wideLength);
        EXPECT_EQ(b.Length(), length);
        EXPECT_EQ(b.Capacity(), capacity);
    }
}

// ---- other helpers ----

TEST(TextHelpers, TrimWhiteSpaceTable) {
    const struct { const char16_t *before; const char16_t *after; int32_t removed; } cases[] = {
        {u" \tab \r\n", u"ab", 5},
        {u"   ", u"   ", 0},
        {u"", u"", 0},
        {u"\fab\v", u"\fab\v", 0},
        {u"a b", u"a b", 0},
        {u"\n\na", u"a", 2},
    };
    for (const auto &c : cases) {
        std::u16string s = c.before;
        EXPECT_EQ(TrimWhiteSpace(s), c.removed) << test::Narrow(c.before);
        EXPECT_EQ(s, c.after);
    }
}

TEST(TextHelpers, HexDumpAppendsTwoLowerCaseDigitsPerByte) {
    const uint8_t bytes[] = {0x00, 0x0A, 0xFF};
    std::u16string s = u">";
    EXPECT_EQ(HexDumpText(s, bytes, 3), u">000aff");
    const uint8_t mthd[] = {'M', 'T', 'h', 'd'};
    std::u16string m;
    EXPECT_EQ(HexDumpText(m, mthd, 4), u"4d546864");
    EXPECT_EQ(HexDumpText(m, nullptr, 4), u"4d546864");
}

TEST(TextHelpers, NewTextCopyPadsWithZeros) {
    char16_t *out = nullptr;
    char16_t *copy = NewTextCopy(&out, u"ab", 4);
    EXPECT_EQ(out, copy);
    const char16_t expected[] = {u'a', u'b', 0, 0, 0};
    EXPECT_EQ(std::memcmp(copy, expected, sizeof expected), 0);
    delete[] copy;

    copy = NewTextCopy(&out, u"abcdef", 3);
    EXPECT_EQ(S(copy), u"abc");
    delete[] copy;
}

TEST(TextHelpers, BitHelpersTable) {
    const struct {
        uint32_t x;
        uint32_t highest;
        int32_t width, lowestIndex;
        uint32_t fromLowest, belowLowest;
    } cases[] = {
        {0, 0, 0, -1, 0, 0xFFFFFFFFu},
        {1, 1, 1, 0, 0xFFFFFFFFu, 0},
        {12, 8, 4, 2, 0xFFFFFFFCu, 3},
        {40, 32, 6, 3, 0xFFFFFFF8u, 7},
        {0x80000000u, 0x80000000u, 32, 31, 0x80000000u, 0x7FFFFFFFu},
        {0xFFFFFFFFu, 0x80000000u, 32, 0, 0xFFFFFFFFu, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(HighestBit(c.x), c.highest);
        EXPECT_EQ(BitWidth(c.x), c.width);
        EXPECT_EQ(LowestBitIndex(c.x), c.lowestIndex);
        EXPECT_EQ(MaskFromLowestBit(c.x), c.fromLowest);
        EXPECT_EQ(MaskBelowLowestBit(c.x), c.belowLowest);
    }
}
