#include "foundation/vector_ptr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An element that counts its constructions and destructions, sorts by id and
// answers commands from a script.
struct Counted {
    static int made;
    static int destroyed;
    static std::vector<int> called;

    explicit Counted(int id, tStatus answer = 0) : id(id), answer(answer) { ++made; }
    virtual ~Counted() { ++destroyed; }

    bool operator==(const Counted &other) const { return id == other.id; }
    bool operator<(const Counted &other) const { return id < other.id; }

    tStatus Command(int32_t a, int32_t b) {
        called.push_back(id);
        lastA = a;
        lastB = b;
        tStatus result = answer;  // the command may delete this element
        if (onCommand) onCommand(*this);
        return result;
    }
    Counted *FindByKey(int key) { return key == id ? this : nullptr; }

    int id;
    tStatus answer;
    int32_t lastA = 0, lastB = 0;
    void (*onCommand)(Counted &) = nullptr;
};
int Counted::made = 0;
int Counted::destroyed = 0;
std::vector<int> Counted::called;

// Elements deleted through the base: the deleting destructor is virtual.
struct DerivedCounted : Counted {
    static int derivedDestroyed;
    using Counted::Counted;
    ~DerivedCounted() override { ++derivedDestroyed; }
};
int DerivedCounted::derivedDestroyed = 0;

class VectorPtr : public testing::Test {
protected:
    void SetUp() override {
        Counted::made = Counted::destroyed = DerivedCounted::derivedDestroyed = 0;
        Counted::called.clear();
    }
    int Alive() const { return Counted::made - Counted::destroyed; }
};

std::vector<int> Ids(const lcVectorPtr<Counted> &v) {
    std::vector<int> ids;
    for (const Counted *e : v) ids.push_back(e ? e->id : -1);
    return ids;
}

// A named element with its own test names, found by name as well as by
// another element: the traits adapt both.
struct Named {
    std::u16string name;
    bool IsSameName(const std::u16string &key) const { return key == name; }
    bool SortsBefore(const std::u16string &key) const { return key < name; }
};

}  // namespace

template <>
struct lcVectorPtrTraits<Named> : lcVectorPtrTraitsBase<Named> {
    static bool IsEqual(const std::u16string &key, const Named &e) { return e.IsSameName(key); }
    static bool IsBefore(const std::u16string &key, const Named &e) { return e.SortsBefore(key); }
    static bool IsEqual(const Named &key, const Named &e) { return e.IsSameName(key.name); }
    static bool IsBefore(const Named &key, const Named &e) { return e.SortsBefore(key.name); }
};

TEST_F(VectorPtr, DestructionDeletesEveryElementButNullsAndTheDefault) {
    {
        lcVectorPtr<Counted> v;
        v.push_back(new Counted(1));
        v.push_back(nullptr);
        v.push_back(new DerivedCounted(2));
        v.SetAt(new Counted(3), 5);
        EXPECT_EQ(Ids(v), (std::vector<int>{1, -1, 2, -1, -1, 3}));
    }
    EXPECT_EQ(Counted::made, 3);
    EXPECT_EQ(Counted::destroyed, 3);
    EXPECT_EQ(DerivedCounted::derivedDestroyed, 1);
}

TEST_F(VectorPtr, InsertSortedPlacesByTheElementsTests) {
    lcVectorPtr<Counted> v;
    EXPECT_EQ(v.InsertSorted(new Counted(3), false), 0);  // empty: appended
    EXPECT_EQ(v.InsertSorted(new Counted(1), false), 0);
    EXPECT_EQ(v.InsertSorted(new Counted(5), false), 2);
    EXPECT_EQ(v.InsertSorted(new Counted(4), false), 2);
    EXPECT_EQ(v.InsertSorted(new Counted(9), true), 4);   // past the end: appended
    EXPECT_EQ(Ids(v), (std::vector<int>{1, 3, 4, 5, 9}));
    EXPECT_EQ(Alive(), 5);
}

TEST_F(VectorPtr, InsertSortedWithReplaceDeletesTheEqualElement) {
    lcVectorPtr<Counted> v;
    for (int id : {1, 3, 5}) v.InsertSorted(new Counted(id), false);
    Counted *old3 = v[1];
    auto *new3 = new Counted(3);
    EXPECT_EQ(v.InsertSorted(new3, true), 1);
    EXPECT_EQ(v[1], new3);
    EXPECT_EQ(Ids(v), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(Counted::destroyed, 1);
    EXPECT_EQ(v.Find(old3), nullptr);
    // The very pointer inserted again replaces itself and is not deleted.
    EXPECT_EQ(v.InsertSorted(new3, true), 1);
    EXPECT_EQ(Counted::destroyed, 1);
    EXPECT_EQ(v[1]->id, 3);
}

TEST_F(VectorPtr, InsertSortedWithoutReplacePutsTheNewOneFirst) {
    lcVectorPtr<Counted> v;
    for (int id : {1, 3, 5}) v.InsertSorted(new Counted(id), false);
    Counted *old3 = v[1];
    auto *new3 = new Counted(3);
    EXPECT_EQ(v.InsertSorted(new3, false), 1);
    EXPECT_EQ(v[1], new3);
    EXPECT_EQ(v[2], old3);
    EXPECT_EQ(Counted::destroyed, 0);
    EXPECT_EQ(v.FindSortedPos(old3), 1);
    EXPECT_EQ(v.FindEqual(old3), new3);  // the first equal one
}

TEST_F(VectorPtr, SetAtOpensPositionsAndNeverDeletes) {
    lcVectorPtr<Counted> v;
    auto *three = new Counted(3);
    EXPECT_EQ(v.SetAt(three, 3), 4);
    EXPECT_EQ(Ids(v), (std::vector<int>{-1, -1, -1, 3}));
    EXPECT_EQ(v.GetDefault(), nullptr);

    auto *one = new Counted(1);
    v.SetAt(one, 1);
    auto *other = new Counted(7);
    EXPECT_EQ(v.SetAt(other, 1), 4);
    EXPECT_EQ(Counted::destroyed, 0);  // the old element at 1 is not deleted
    EXPECT_EQ(v[1], other);
    delete one;  // its owner is now the caller
    v.DeleteAll();
    EXPECT_EQ(Alive(), 0);
}

TEST_F(VectorPtr, RemovingTakesOutWithoutDeleting) {
    lcVectorPtr<Counted> v;
    auto *a = new Counted(1);
    auto *b = new Counted(2);
    v.push_back(a);
    v.push_back(b);
    v.push_back(a);  // the same pointer twice
    EXPECT_EQ(v.Remove(a), a);
    EXPECT_EQ(Ids(v), (std::vector<int>{2, 1}));
    EXPECT_EQ(v.IndexOf(a), 1);
    EXPECT_EQ(v.Remove(nullptr), nullptr);
    Counted absent(9);
    EXPECT_EQ(v.Remove(&absent), nullptr);
    EXPECT_EQ(v.IndexOf(&absent), -1);
    EXPECT_EQ(v.IndexOf(nullptr), -1);
    EXPECT_EQ(v.Find(&absent), nullptr);
    EXPECT_EQ(v.Find(b), b);

    EXPECT_EQ(v.PopFront(), b);
    EXPECT_EQ(Ids(v), (std::vector<int>{1}));
    v.RemoveAll();
    EXPECT_TRUE(v.empty());
    EXPECT_EQ(v.PopFront(), nullptr);
    EXPECT_EQ(Counted::destroyed, 0);
    delete a;
    delete b;
}

TEST_F(VectorPtr, DeleteTakesOutAndDeletesOnlyWhatItFound) {
    lcVectorPtr<Counted> v;
    auto *a = new Counted(1);
    v.push_back(a);
    v.push_back(new Counted(2));
    Counted outside(3);
    v.Delete(&outside);  // absent: nothing happens
    v.Delete(nullptr);
    EXPECT_EQ(Counted::destroyed, 0);
    v.Delete(a);
    EXPECT_EQ(Counted::destroyed, 1);
    EXPECT_EQ(Ids(v), (std::vector<int>{2}));
}

TEST_F(VectorPtr, DeleteAllSkipsNullEntries) {
    lcVectorPtr<Counted> v;
    v.push_back(nullptr);
    v.push_back(new Counted(1));
    v.push_back(nullptr);
    v.push_back(new Counted(2));
    EXPECT_EQ(v.DeleteAll(), 0);
    EXPECT_TRUE(v.empty());
    EXPECT_EQ(Counted::destroyed, 2);
}

namespace {
// An element whose destructor deletes a sibling from the vector it is in.
struct Sibling {
    static int destroyed;
    lcVectorPtr<Sibling> *owner = nullptr;
    Sibling *victim = nullptr;
    ~Sibling() {
        ++destroyed;
        if (owner && victim) owner->Delete(victim);
    }
};
int Sibling::destroyed = 0;
}  // namespace

TEST_F(VectorPtr, DeleteAllCopesWithDestructorsThatTakeOutSiblings) {
    Sibling::destroyed = 0;
    {
        lcVectorPtr<Sibling> v;
        auto *a = new Sibling, *b = new Sibling, *c = new Sibling, *d = new Sibling;
        v.push_back(a);
        v.push_back(b);
        v.push_back(c);
        v.push_back(d);
        // a takes out c while being deleted; every other one still goes once.
        a->owner = &v;
        a->victim = c;
    }
    EXPECT_EQ(Sibling::destroyed, 4);
}

TEST_F(VectorPtr, APointerStandingTwiceIsDeletedOnce) {
    {
        lcVectorPtr<Counted> v;
        auto *a = new Counted(1);
        v.push_back(a);
        v.push_back(new Counted(2));
        v.push_back(a);
    }
    EXPECT_EQ(Counted::made, 2);
    EXPECT_EQ(Counted::destroyed, 2);
}

TEST_F(VectorPtr, FindEqualSkipsNullEntries) {
    lcVectorPtr<Counted> v;
    v.push_back(nullptr);
    v.push_back(new Counted(4));
    Counted key(4), other(5);
    EXPECT_EQ(v.FindEqual(&key), v[1]);
    EXPECT_EQ(v.FindEqual(&other), nullptr);
    EXPECT_EQ(v.FindEqual(nullptr), nullptr);
}

TEST_F(VectorPtr, TraitsAdaptElementsWithTheirOwnTestNamesAndKeys) {
    lcVectorPtr<Named> v;
    for (const char16_t *n : {u"Rock", u"Jazz", u"Latin"}) v.InsertSorted(new Named{n}, true);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0]->name, u"Jazz");
    EXPECT_EQ(v[1]->name, u"Latin");
    EXPECT_EQ(v[2]->name, u"Rock");
    EXPECT_EQ(v.FindEqualKey(std::u16string(u"Latin")), v[1]);
    EXPECT_EQ(v.FindEqualKey(std::u16string(u"Pop")), nullptr);
    EXPECT_EQ(v.FindSortedPosKey(std::u16string(u"Pop")), 2);
    // Character codes: capitals sort first; the shorter first on a common prefix.
    EXPECT_EQ(v.FindSortedPosKey(std::u16string(u"La")), 1);
    EXPECT_EQ(v.FindSortedPosKey(std::u16string(u"jazz")), 3);
}

TEST_F(VectorPtr, CommandAllAnswersTheLowestStatus) {
    const struct {
        std::vector<tStatus> answers;
        tStatus result;
    } cases[] = {
        {{0, -5, RC_FAIL}, RC_FAIL},
        {{RC_FAIL, -5, 0}, RC_FAIL},
        {{1, 2}, 0},
        {{}, 0},
        {{-5, 7, -2}, -5},
    };
    for (const auto &c : cases) {
        Counted::called.clear();
        lcVectorPtrCmd<Counted> v;
        int id = 0;
        for (tStatus answer : c.answers) v.push_back(new Counted(++id, answer));
        EXPECT_EQ(v.CommandAll(11, -12), c.result);
        EXPECT_EQ(Counted::called.size(), c.answers.size());  // nothing stops the walk
        for (Counted *e : v) {
            EXPECT_EQ(e->lastA, 11);
            EXPECT_EQ(e->lastB, -12);
        }
    }
}

namespace {
lcVectorPtrCmd<Counted> *gWalked = nullptr;
void DeleteSecond(Counted &) { gWalked->Delete((*gWalked)[1]); }
void AddOne(Counted &) { gWalked->push_back(new Counted(99)); }
void DeleteSelf(Counted &self) { gWalked->Delete(&self); }
}  // namespace

TEST_F(VectorPtr, CommandAllSkipsAnElementDeletedDuringTheWalk) {
    lcVectorPtrCmd<Counted> v;
    gWalked = &v;
    for (int id : {1, 2, 3}) v.push_back(new Counted(id));
    v[0]->onCommand = DeleteSecond;
    EXPECT_EQ(v.CommandAll(0, 0), 0);
    EXPECT_EQ(Counted::called, (std::vector<int>{1, 3}));
    EXPECT_EQ(Counted::destroyed, 1);
    EXPECT_EQ(Ids(v), (std::vector<int>{1, 3}));
    gWalked = nullptr;
}

TEST_F(VectorPtr, CommandAllDoesNotCallElementsAddedDuringTheWalk) {
    lcVectorPtrCmd<Counted> v;
    gWalked = &v;
    v.push_back(new Counted(1));
    v.push_back(new Counted(2));
    v[0]->onCommand = AddOne;
    v[1]->onCommand = DeleteSelf;
    v.CommandAll(0, 0);
    EXPECT_EQ(Counted::called, (std::vector<int>{1, 2}));
    EXPECT_EQ(Ids(v), (std::vector<int>{1, 99}));
    gWalked = nullptr;
}

TEST_F(VectorPtr, FindByKeyAnswersTheFirstElementThatKnowsTheKey) {
    lcVectorPtrKey<Counted, int> v;
    EXPECT_EQ(v.FindByKey(1), nullptr);
    v.push_back(nullptr);
    v.push_back(new Counted(1));
    v.push_back(new Counted(2));
    v.push_back(new Counted(2));
    EXPECT_EQ(v.FindByKey(2), v[2]);
    EXPECT_EQ(v.FindByKey(1), v[1]);
    EXPECT_EQ(v.FindByKey(7), nullptr);
}

namespace {
// A holder that keeps its own copy of a text, as the window-resource name does.
class OwnText : public mDataVal<const char16_t *> {
public:
    const char16_t *Set(const char16_t *v) override {
        const char16_t *previous = value;
        copy = v ? v : u"";
        value = v ? copy.c_str() : nullptr;
        return previous;
    }
    std::u16string copy;
};
}  // namespace

TEST(DataVal, SetAnswersThePreviousValueAndIsSetTellsNull) {
    mDataVal<const char16_t *> text;
    EXPECT_EQ(text.IsSet(), RC_FAIL);
    const char16_t *a = u"a";
    EXPECT_EQ(text.Set(a), nullptr);
    EXPECT_EQ(text.IsSet(), 0);
    EXPECT_EQ(text.Assign(nullptr), a);
    EXPECT_EQ(text.Get(), nullptr);

    mDataVal<int> number(5);
    EXPECT_EQ(number.IsSet(), 0);
    EXPECT_EQ(number.Set(0), 5);
    EXPECT_EQ(number.IsSet(), RC_FAIL);
}

TEST(DataVal, AssignGoesThroughTheOverride) {
    OwnText holder;
    std::u16string source = u"resource";
    holder.Assign(source.c_str());
    source = u"changed";
    EXPECT_EQ(std::u16string(holder.Get()), u"resource");
    EXPECT_NE(holder.Get(), source.c_str());
}
