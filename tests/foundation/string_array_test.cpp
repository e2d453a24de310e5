#include "foundation/string_array.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> Items(const cStringArray &a) { return std::vector<std::u16string>(a.begin(), a.end()); }

TEST(StringArray, FindIgnoresCase) {
    const char16_t *list[] = {u"x", u"abc", u"x", nullptr};
    cStringArray a(list);
    EXPECT_EQ(a.Size(), 3);
    EXPECT_EQ(a.Find(u"ABC"), 1);
    EXPECT_EQ(a.FindString(u"X"), 0);
    EXPECT_EQ(a.Find(u"ab"), -1);
    EXPECT_EQ(a.Add(u"Abc"), RC_FAIL);
    EXPECT_EQ(a.Size(), 3);
    EXPECT_EQ(a.Add(u"d"), RC_OK);
    EXPECT_EQ(a.Remove(u"X"), RC_OK);
    EXPECT_EQ(a.Remove(u"q"), RC_FAIL);
    EXPECT_EQ(Items(a), (std::vector<std::u16string>{u"abc", u"x", u"d"}));
    // A text taken from the array itself.
    EXPECT_EQ(a.Find(a[2].c_str()), 2);
}

TEST(StringArray, InsertSortedKeepsCaseInsensitiveOrder) {
    struct Case {
        std::vector<const char16_t *> before;
        const char16_t *text;
        tStatus result;
        std::vector<std::u16string> after;
    } cases[] = {
        {{u"a", u"c"}, u"b", RC_OK, {u"a", u"b", u"c"}},
        {{u"a", u"b", u"c"}, u"B", RC_FAIL, {u"a", u"b", u"c"}},
        {{u"a", u"b"}, u"z", RC_OK, {u"a", u"b", u"z"}},
        {{}, u"q", RC_OK, {u"q"}},
        {{u"B", u"d"}, u"a", RC_OK, {u"a", u"B", u"d"}},
        {{u"a"}, u"_", RC_OK, {u"_", u"a"}},  // folded to lower case: '_' sorts before letters
    };
    for (auto &c : cases) {
        c.before.push_back(nullptr);
        cStringArray a(c.before.data());
        EXPECT_EQ(a.InsertSorted(c.text), c.result);
        EXPECT_EQ(Items(a), c.after);
    }
}

TEST(StringArray, AtOutOfRangeIsEmpty) {
    const char16_t *list[] = {u"a", nullptr};
    cStringArray a(list);
    EXPECT_EQ(a.At(0), u"a");
    EXPECT_EQ(a.At(-1), u"");
    EXPECT_EQ(a.At(1), u"");
    a.SetList(nullptr);
    EXPECT_EQ(a.Size(), 0);
}

TEST(TextEdit, InsertAndDeleteInPlace) {
    struct Case {
        const char16_t *text;
        bool insert;
        uint32_t position;
        std::u16string after;
    } cases[] = {
        {u"ab", true, 1, u"axb"}, {u"ab", true, 5, u"abx"}, {u"ab", true, 0, u"xab"}, {u"", true, 0, u"x"},
        {u"ab", false, 2, u"ab"}, {u"ab", false, 0, u"b"},  {u"ab", false, 1, u"a"},  {u"", false, 0, u""},
    };
    for (const Case &c : cases) {
        char16_t buffer[8] = {};
        std::u16string(c.text).copy(buffer, 7);
        if (c.insert)
            InsertCharAt(buffer, u'x', c.position);
        else
            DeleteCharAt(buffer, c.position);
        EXPECT_EQ(std::u16string(buffer), c.after);
    }
}

}  // namespace
