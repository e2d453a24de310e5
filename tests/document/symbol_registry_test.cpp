// The class registry over the whole id range: lookups by id and name, new
// objects from prototypes, rebuilding, and the hints in language files.
#include <gtest/gtest.h>

#include <string>

#include "platform/ini_file.h"
#include "tests/document/symbol_fixture.h"

namespace {

using test::RaisedErrors;
using test::SymbolTest;

class RegistryTest : public SymbolTest {};

TEST_F(RegistryTest, EveryIdHasAPrototypeOfItsClass) {
    ASSERT_EQ(test::BuildTestRegistry(), 0);
    EXPECT_EQ(gLastClassId, 186);
    for (int16_t id = 1; id <= 186; ++id) {
        cPObjPoint *prototype = cPObjBase::PrototypeById(id);
        ASSERT_NE(prototype, nullptr) << id;
        EXPECT_EQ(prototype->GetTypeId(), id);
        EXPECT_EQ(prototype->FindOwner(0, 0), nullptr);
        EXPECT_EQ(std::u16string(prototype->GetClassName()), prototype->GetTypeName());
    }
}

TEST_F(RegistryTest, TheBaseClassesKeepTheirNamesIdsAndBases) {
    test::BuildTestRegistry();
    struct sCase {
        int16_t id;
        const char16_t *name;
        bool owner;
        uint32_t family;
    };
    const sCase cases[] = {
        {1, u"Point", false, 0},       {2, u"Shape", false, 0},          {3, u"Char", false, kTypeText},
        {4, u"Text", false, kTypeText}, {5, u"FontText", false, kTypeText}, {6, u"StaticText", false, kTypeText},
        {7, u"Scaled", false, 0},      {8, u"Line", false, 0},           {9, u"Owner", true, 0},
        {10, u"Pair", true, 0},        {11, u"Group", true, 0},          {12, u"Window", true, 0},
        {13, u"BlockGroup", true, 0},  {14, u"BlockMark", true, kTypeBlockMark},
        {15, u"PageBreak", false, kTypePageBreak}, {16, u"FmtPageBreak", false, kTypePageBreak},
    };
    for (const sCase &c : cases) {
        cPObjPoint *p = cPObjBase::PrototypeById(c.id);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(std::u16string(p->GetTypeName()), c.name);
        EXPECT_EQ(p->IsOwner(), c.owner) << c.id;
        EXPECT_EQ(p->GetTypeFlags(0), c.family) << c.id;
        EXPECT_EQ(p->GetTypeFlags(c.id), c.family | kTypeIdMatch) << c.id;
        EXPECT_EQ(p->CheckTypeId(c.id), 0);
        EXPECT_EQ(p->CheckTypeId(0), kFailed);
    }
    // Owners and scaled symbols sit on the scaled branch; texts on the shape.
    EXPECT_NE(dynamic_cast<ScaledObject *>(cPObjBase::PrototypeById(11)), nullptr);
    EXPECT_NE(dynamic_cast<ScaledObject *>(cPObjBase::PrototypeById(8)), nullptr);
    EXPECT_EQ(dynamic_cast<ScaledObject *>(cPObjBase::PrototypeById(4)), nullptr);
    EXPECT_NE(dynamic_cast<ShapeObject *>(cPObjBase::PrototypeById(16)), nullptr);
}

TEST_F(RegistryTest, AnIdBeyondTheRangeAnswersNullWithOneReport) {
    test::BuildTestRegistry();
    RaisedErrors errors;
    EXPECT_EQ(cPObjBase::PrototypeById(187), nullptr);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in IndexBuf: Invalid index");
}

TEST_F(RegistryTest, NamesAreFoundExactly) {
    test::BuildTestRegistry();
    RaisedErrors errors;
    EXPECT_EQ(cPObjBase::PrototypeByName(u"Point"), cPObjBase::PrototypeById(1));
    EXPECT_EQ(cPObjBase::PrototypeByName(u"Line"), cPObjBase::PrototypeById(8));
    EXPECT_EQ(cPObjBase::PrototypeByName(u"Music186"), cPObjBase::PrototypeById(186));
    EXPECT_EQ(cPObjBase::PrototypeByName(u"point"), nullptr);
    EXPECT_EQ(cPObjBase::PrototypeByName(u"Poin"), nullptr);
    EXPECT_EQ(cPObjBase::PrototypeByName(u"Points"), nullptr);
    EXPECT_EQ(errors.Count(), 0);
}

TEST_F(RegistryTest, NewByIdMakesAnOwnerlessObjectOfTheClass) {
    test::BuildTestRegistry();
    for (int16_t id : {1, 7, 8, 11, 14, 17, 120, 186}) {
        const uint32_t live = gLiveSymbolCount;
        cPObjPoint *made = cPObjBase::NewById(id);
        ASSERT_NE(made, nullptr);
        EXPECT_NE(made, cPObjBase::PrototypeById(id));
        EXPECT_EQ(made->GetTypeId(), id);
        EXPECT_EQ(typeid(*made), typeid(*cPObjBase::PrototypeById(id)));
        EXPECT_EQ(made->FindOwner(0, 0), nullptr);
        EXPECT_EQ(std::u16string(made->GetClassName()), made->GetTypeName());
        EXPECT_EQ(gLiveSymbolCount, live + 1);
        delete made;
    }
}

TEST_F(RegistryTest, WithoutARegistryEveryOperationReportsAnInvalidObject) {
    RaisedErrors errors;
    EXPECT_EQ(cPObjBase::PrototypeById(1), nullptr);
    EXPECT_EQ(cPObjBase::NewById(1), nullptr);
    EXPECT_EQ(cPObjBase::PrototypeByName(u"Point"), nullptr);
    EXPECT_EQ(cPObjBase::VerifyRegistry(), 0);
    EXPECT_FALSE(cPObjBase::RegistryAllocated());
    cIniFile file;
    EXPECT_EQ(cPObjBase::LoadClassTexts(&file), kFailed);
    EXPECT_EQ(cPObjBase::WriteClassTexts(&file), kFailed);
    EXPECT_EQ(errors.Count(), 7);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid object");
}

TEST_F(RegistryTest, AGapInTheRangeFailsTheCheck) {
    gClassRegistry = new lcIndexSize<cPObjBase::sPointString>;
    cPObjBase::ReserveRegistryIds(1, 20);
    cPObjBase::InitRegistry();
    cPObjBase::RegisterBaseClasses();
    RaisedErrors errors;
    EXPECT_LT(cPObjBase::VerifyRegistry(), 0);
    EXPECT_EQ(errors.Count(), 1);
}

// Counts the calls of FreeClassData of one class.
int gFreed = 0;
class cCountedFree : public test::cRangeSymbol {
public:
    cCountedFree() : cRangeSymbol(17) {}
    int32_t FreeClassData() override { return ++gFreed, 0; }
    cPObjPoint *NewSameClass() const override { return new cCountedFree; }
};

void BuildWithCountedClass() {
    test::BuildRangePrototypes();
    if (cPObjBase::RegistryAllocated()) (new cCountedFree)->Register(nullptr);
}

TEST_F(RegistryTest, RebuildingFreesClassDataOnceAndMakesANewUndoList) {
    gFreed = 0;
    ASSERT_EQ(cPObjBase::BuildRegistry(BuildWithCountedClass), 0);
    EXPECT_NE(dynamic_cast<cCountedFree *>(cPObjBase::PrototypeById(17)), nullptr);
    ASSERT_NE(gPointUndo, nullptr);
    cPObjPoint *kept = new cPObjPoint;
    gPointUndo->RecordDelete(kept);
    const uint32_t live = gLiveSymbolCount;

    ASSERT_EQ(cPObjBase::BuildRegistry(BuildWithCountedClass), 0);
    EXPECT_EQ(gFreed, 1);
    ASSERT_NE(gPointUndo, nullptr);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    // The old prototypes and the symbol the old undo list kept are gone, the
    // new prototypes are there: one fewer symbol alive.
    EXPECT_EQ(gLiveSymbolCount, live - 1);

    cPObjBase::ShutDown();
    EXPECT_EQ(gFreed, 2);
    EXPECT_EQ(gClassRegistry, nullptr);
    EXPECT_EQ(gPointUndo, nullptr);
}

TEST_F(RegistryTest, HintsLoadFromAndWriteToALanguageFile) {
    test::BuildTestRegistry();
    cPObjBase *line = cPObjBase::PrototypeById(8);
    cPObjBase *point = cPObjBase::PrototypeById(1);
    cPObjBase *music = cPObjBase::PrototypeById(30);
    line->SetHint(u"A line");
    point->SetHint(u"A point");
    cPObjPoint *another = cPObjBase::NewById(8);
    EXPECT_EQ(std::u16string(another->GetHint()), u"A line");  // the class's, on any object
    delete another;

    cIniFile language;
    language.SetValue(u"Symbol_Line_Hint", u"Eine Linie");
    language.SetValue(u"Symbol_Music30_Hint", u"Musik");
    ASSERT_EQ(cPObjBase::LoadClassTexts(&language), 0);
    EXPECT_EQ(std::u16string(line->GetHint()), u"Eine Linie");
    EXPECT_EQ(std::u16string(music->GetHint()), u"Musik");
    EXPECT_EQ(std::u16string(point->GetHint()), u"A point");  // no key: kept

    point->SetHint(nullptr);  // an empty hint removes its key
    cIniFile written;
    written.SetValue(u"Symbol_Point_Hint", u"stale");
    ASSERT_EQ(cPObjBase::WriteClassTexts(&written), 0);
    EXPECT_EQ(written.GetValue(u"Symbol_Point_Hint"), nullptr);
    EXPECT_EQ(std::u16string(written.GetValue(u"Symbol_Line_Hint")), u"Eine Linie");
    EXPECT_EQ(std::u16string(written.GetValue(u"Symbol_Music30_Hint")), u"Musik");
    EXPECT_EQ(written.Keys().size(), 2u);
}

}  // namespace
