// Tags of live symbols: stable while the symbol lives, forgotten with it,
// never handed to another.
#include <gtest/gtest.h>

#include <memory>

#include "document/symbol_tags.h"
#include "tests/document/symbol_fixture.h"

namespace {

using SymbolTagTest = test::SymbolTest;

TEST_F(SymbolTagTest, ATagNamesItsSymbolWhileItLives) {
    EXPECT_EQ(TagOfSymbol(nullptr), 0u);
    EXPECT_EQ(SymbolOfTag(0), nullptr);

    auto *first = new cPObjPoint;
    auto *second = new cPObjPoint;
    const uint32_t firstTag = TagOfSymbol(first);
    const uint32_t secondTag = TagOfSymbol(second);
    EXPECT_NE(firstTag, 0u);
    EXPECT_NE(secondTag, 0u);
    EXPECT_NE(firstTag, secondTag);
    EXPECT_EQ(TagOfSymbol(first), firstTag);
    EXPECT_EQ(SymbolOfTag(firstTag), first);
    EXPECT_EQ(SymbolOfTag(secondTag), second);

    // A symbol that goes takes its tag with it; a symbol made later, even
    // at the same address, gets a new one.
    delete first;
    EXPECT_EQ(SymbolOfTag(firstTag), nullptr);
    EXPECT_EQ(SymbolOfTag(secondTag), second);
    std::unique_ptr<cPObjPoint> third(new cPObjPoint);
    const uint32_t thirdTag = TagOfSymbol(third.get());
    EXPECT_NE(thirdTag, firstTag);
    EXPECT_EQ(SymbolOfTag(firstTag), nullptr);
    EXPECT_EQ(SymbolOfTag(thirdTag), third.get());
    delete second;
    EXPECT_EQ(SymbolOfTag(secondTag), nullptr);
}

// Symbols that never had a tag come and go without touching the table.
TEST_F(SymbolTagTest, UntaggedSymbolsLeaveTheTableAlone) {
    std::unique_ptr<cPObjPoint> kept(new cPObjPoint);
    const uint32_t tag = TagOfSymbol(kept.get());
    for (int i = 0; i < 3; ++i) delete new cPObjPoint;
    EXPECT_EQ(SymbolOfTag(tag), kept.get());
    EXPECT_EQ(TagOfSymbol(kept.get()), tag);
}

}  // namespace
