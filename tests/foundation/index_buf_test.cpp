#include "foundation/index_buf.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/foundation/raised_errors.h"

namespace {

// A value that counts how often each instance is destroyed.
struct Counted {
    explicit Counted(int id) : id(id) {}
    ~Counted() { ++Deaths()[id]; }
    static std::map<int, int> &Deaths() {
        static std::map<int, int> deaths;
        return deaths;
    }
    int id;
};

int DeathsOf(int id) { return Counted::Deaths()[id]; }

// A table over 17..20 for the tests of completeness and walks; values are
// the key times 10, leaving out the keys given.
void Fill(lcIndexSize<Counted> &t, std::initializer_list<uint32_t> gaps = {}) {
    t.Reserve(17, 20);
    t.Allocate();
    for (uint32_t key = 17; key <= 20; ++key) {
        bool gap = false;
        for (uint32_t g : gaps) gap = gap || g == key;
        if (!gap) t.SetData(key, new Counted(int(key) * 10));
    }
}

}  // namespace

TEST(IndexBuf, SizingPassWidensTheRange) {
    cIndexBuf t;
    EXPECT_EQ(t.MinKey(), 0xFFFFFFFFu);
    EXPECT_EQ(t.MaxKey(), 0u);
    EXPECT_FALSE(t.IsAllocated());
    t.Set(17, nullptr);
    t.Set(186, nullptr);
    t.Set(40, nullptr);
    EXPECT_EQ(t.MinKey(), 17u);
    EXPECT_EQ(t.MaxKey(), 186u);
    test::RaisedErrors errors;
    EXPECT_EQ(t.Allocate(), 170u);
    EXPECT_TRUE(t.IsAllocated());
    EXPECT_EQ(t.Allocate(), 0u);  // a second time: nothing, no error
    EXPECT_EQ(errors.Count(), 0);
}

TEST(IndexBuf, ReserveWidensBeforeAndClearsAfterAllocation) {
    cIndexBuf t;
    t.Reserve(30, 10);
    EXPECT_EQ(t.MinKey(), 10u);
    EXPECT_EQ(t.MaxKey(), 30u);
    t.Allocate();
    int a = 1, b = 2;
    t.Set(10, &a);
    t.Set(30, &b);
    EXPECT_EQ(t.Get(10), &a);
    t.Reserve(10, 30);
    EXPECT_EQ(t.Get(10), nullptr);
    EXPECT_EQ(t.Get(30), nullptr);
}

TEST(IndexBuf, AllocatingAnEmptyRangeIsReported) {
    cIndexBuf t;
    test::RaisedErrors errors;
    EXPECT_EQ(t.Allocate(), 0u);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in IndexBuf: Invalid index");
    EXPECT_FALSE(t.IsAllocated());
}

TEST(IndexBuf, GetOutsideTheRangeIsReportedAGapIsNot) {
    cIndexBuf t;
    t.Reserve(17, 186);
    {
        test::RaisedErrors errors;
        EXPECT_EQ(t.Get(17), nullptr);  // no entries yet
        EXPECT_EQ(errors.Count(), 1);
    }
    t.Allocate();
    int v = 5;
    t.Set(21, &v);
    struct Case {
        uint32_t key;
        void *entry;
        int errors;
    } cases[] = {{16, nullptr, 1}, {187, nullptr, 1}, {20, nullptr, 0}, {21, &v, 0}, {0xFFFFFFFF, nullptr, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        test::RaisedErrors errors;
        EXPECT_EQ(t.Get(c.key), c.entry);
        EXPECT_EQ(errors.Count(), c.errors);
    }
}

TEST(IndexBuf, SetOutsideAnAllocatedRangeIsRefused) {
    cIndexBuf t;
    t.Reserve(5, 6);
    t.Allocate();
    int v = 1;
    test::RaisedErrors errors;
    t.Set(7, &v);
    t.Set(4, &v);
    EXPECT_EQ(errors.Count(), 2);
    EXPECT_EQ(t.MinKey(), 5u);
    EXPECT_EQ(t.MaxKey(), 6u);
}

TEST(IndexBuf, CheckCompleteCountsUpToTheFirstGap) {
    int v[4] = {};
    struct Case {
        const char *name;
        bool filled[4];
        int32_t answer;
        int errors;
    } cases[] = {
        {"gap at 19", {true, true, false, true}, -2, 1},
        {"complete", {true, true, true, true}, 0, 0},
        {"gap at 17", {false, true, true, true}, -4, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        cIndexBuf t;
        t.Reserve(17, 20);
        t.Allocate();
        for (int i = 0; i < 4; ++i)
            if (c.filled[i]) t.Set(17 + i, &v[i]);
        test::RaisedErrors errors;
        EXPECT_EQ(t.CheckComplete(), c.answer);
        EXPECT_EQ(errors.Count(), c.errors);
    }
    cIndexBuf unallocated;
    unallocated.Reserve(17, 20);
    test::RaisedErrors errors;
    EXPECT_EQ(unallocated.CheckComplete(), -1);
    EXPECT_EQ(errors.Count(), 0);
}

TEST(IndexBuf, GetNextWalkStopsAtTheFirstGapWithoutError) {
    cIndexBuf t;
    t.Reserve(17, 20);
    t.Allocate();
    int v[4] = {};
    t.Set(17, &v[0]);
    t.Set(18, &v[1]);
    t.Set(20, &v[3]);
    test::RaisedErrors errors;
    uint32_t key = t.MinKey();
    int found = 0;
    while (t.GetNext(key)) ++found;
    EXPECT_EQ(found, 2);
    EXPECT_EQ(key, 19u);
    EXPECT_EQ(errors.Count(), 0);
    key = 21;
    EXPECT_EQ(t.GetNext(key), nullptr);  // past max: the normal end
    EXPECT_EQ(errors.Count(), 0);
}

TEST(IndexBuf, TypedTableDeletesRemainingEntriesOnce) {
    Counted *kept = new Counted(1001);
    {
        lcIndexBuf<Counted> t;
        t.Reserve(1, 3);
        t.Allocate();
        t.Set(1, new Counted(1002));
        t.Set(3, new Counted(1003));
        t.Set(2, kept);
        t.Set(2, nullptr);  // taken out again: no longer the table's
    }
    EXPECT_EQ(DeathsOf(1002), 1);
    EXPECT_EQ(DeathsOf(1003), 1);
    EXPECT_EQ(DeathsOf(1001), 0);
    delete kept;
    EXPECT_EQ(DeathsOf(1001), 1);
}

TEST(IndexSize, EntriesOwnTheirValues) {
    lcIndexSize<Counted> t;
    t.Reserve(1, 2);
    t.Allocate();
    cIndexSize::cIndex *entry = t.SetData(1, new Counted(2001));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->kind, 12u);
    EXPECT_EQ(entry->flags, 0u);
    EXPECT_EQ(t.Get(1), entry);
    EXPECT_EQ(static_cast<Counted *>(t.GetData(1))->id, 2001);

    // Replacing the value keeps the entry; the old value is the caller's.
    auto *old = static_cast<Counted *>(t.GetData(1));
    EXPECT_EQ(t.SetData(1, new Counted(2002)), entry);
    EXPECT_EQ(DeathsOf(2001), 0);
    delete old;
    EXPECT_EQ(static_cast<Counted *>(t.GetData(1))->id, 2002);
}

TEST(IndexSize, SetDataOutsideTheTableStoresNothing) {
    lcIndexSize<Counted> t;
    t.Reserve(5, 6);
    Counted early(2101);
    {
        test::RaisedErrors errors;
        EXPECT_EQ(t.SetData(5, &early), nullptr);  // before Allocate
        EXPECT_EQ(errors.Count(), 1);
    }
    t.Allocate();
    EXPECT_EQ(t.Get(5), nullptr);
    Counted outside(2102);
    test::RaisedErrors errors;
    EXPECT_EQ(t.SetData(9, &outside), nullptr);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(t.MaxKey(), 6u);
}

TEST(IndexSize, GetDataReportsGapsAndKeysOutside) {
    lcIndexSize<Counted> t;
    Fill(t, {19});
    delete static_cast<Counted *>(t.GetData(20));
    t.SetData(20, nullptr);
    struct Case {
        uint32_t key;
        int id;  // 0: null answered
        int errors;
    } cases[] = {{17, 170, 0}, {19, 0, 1}, {20, 0, 0}, {16, 0, 1}, {21, 0, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        test::RaisedErrors errors;
        auto *value = static_cast<Counted *>(t.GetData(c.key));
        EXPECT_EQ(value ? value->id : 0, c.id);
        EXPECT_EQ(errors.Count(), c.errors);
    }
    lcIndexSize<Counted> empty;
    test::RaisedErrors errors;
    EXPECT_EQ(empty.GetData(0), nullptr);
    EXPECT_EQ(errors.Count(), 1);
}

TEST(IndexSize, CheckCompleteNeedsEveryValue) {
    struct Case {
        const char *name;
        uint32_t nullAt;  // 0: none
        int32_t answer;
        int errors;
    } cases[] = {{"complete", 0, 0, 0}, {"null at 19", 19, -2, 1}, {"null at 20", 20, -1, 1}, {"null at 17", 17, -4, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        lcIndexSize<Counted> t;
        Fill(t);
        if (c.nullAt) {
            delete static_cast<Counted *>(t.GetData(c.nullAt));
            t.SetData(c.nullAt, nullptr);
        }
        test::RaisedErrors errors;
        EXPECT_EQ(t.CheckComplete(), c.answer);
        EXPECT_EQ(errors.Count(), c.errors);
    }
    // A gap is found by the base's check first.
    lcIndexSize<Counted> gap;
    Fill(gap, {18});
    test::RaisedErrors errors;
    EXPECT_EQ(gap.CheckComplete(), -3);
    EXPECT_EQ(errors.Count(), 1);
}

TEST(IndexSize, WalksOverCompleteAndGappedTables) {
    lcIndexSize<Counted> complete;
    Fill(complete);
    {
        test::RaisedErrors errors;
        uint32_t key = complete.MinKey();
        int sum = 0;
        while (auto *v = static_cast<Counted *>(complete.GetNextData(key))) sum += v->id;
        EXPECT_EQ(sum, 170 + 180 + 190 + 200);
        EXPECT_EQ(key, 21u);
        EXPECT_EQ(errors.Count(), 0);
    }
    lcIndexSize<Counted> gapped;
    Fill(gapped, {19});
    test::RaisedErrors errors;
    uint32_t key = gapped.MinKey();
    int found = 0;
    while (gapped.GetNextData(key)) ++found;
    EXPECT_EQ(found, 2);
    EXPECT_EQ(key, 19u);
    EXPECT_EQ(errors.Count(), 1);
    // The bare walk over the same table stops there without a report.
    key = gapped.MinKey();
    found = 0;
    while (gapped.GetNext(key)) ++found;
    EXPECT_EQ(found, 2);
    EXPECT_EQ(errors.Count(), 1);
}

TEST(IndexSize, DestroyingDeletesEveryValueExactlyOnce) {
    Counted *taken = nullptr;
    {
        lcIndexSize<Counted> t;
        t.Reserve(3000, 3005);
        t.Allocate();
        for (uint32_t key = 3000; key <= 3005; ++key)
            if (key != 3002) t.SetData(key, new Counted(int(key)));
        // An entry whose value was taken out again, leaving it empty.
        taken = static_cast<Counted *>(t.GetData(3003));
        t.SetData(3003, nullptr);
    }
    for (int id : {3000, 3001, 3004, 3005}) EXPECT_EQ(DeathsOf(id), 1) << id;
    EXPECT_EQ(DeathsOf(3002), 0);
    EXPECT_EQ(DeathsOf(3003), 0);
    delete taken;
    EXPECT_EQ(DeathsOf(3003), 1);
}

TEST(IndexSize, AnUnallocatedTableTakesNoValueAndDestroysNothing) {
    auto *offered = new Counted(4000);
    test::RaisedErrors errors;
    {
        lcIndexSize<Counted> t;
        t.Reserve(4000, 4999);
        EXPECT_EQ(t.SetData(4000, offered), nullptr);
        EXPECT_EQ(errors.Count(), 1);
        EXPECT_FALSE(t.IsAllocated());
    }
    // The value stayed the caller's and the end of the table reported nothing.
    EXPECT_EQ(DeathsOf(4000), 0);
    EXPECT_EQ(errors.Count(), 1);
    delete offered;
    EXPECT_EQ(DeathsOf(4000), 1);
}
