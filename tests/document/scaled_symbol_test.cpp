// Scaled symbols: dragging by grab point and mode, resizing within limits,
// normalizing, proportional scaling, their records in both file forms and
// their set-up.  Also the position integers of the binary score file.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "document/commands.h"
#include "foundation/ascii_file.h"
#include "tests/document/symbol_fixture.h"
#include "tests/midi/memory_file.h"
#include "tests/test_support.h"

namespace {

using test::cListOwner;
using test::cMemoryFile;
using test::RaisedErrors;
using test::SymbolTest;

class ScaledTest : public SymbolTest {};

ScaledObject *NewScaled(int32_t x, int32_t y, int32_t w, int32_t h) {
    auto *s = new ScaledObject;
    s->SetPosition(x, y);
    s->SetSize(w, h);
    return s;
}

TEST_F(ScaledTest, WhereItIsGrabbedDecidesMoveOrResize) {
    test::cTestScoreWindow window;
    struct sCase {
        int32_t width, grabAt, hitKind;
        uint32_t mode;
    };
    const sCase cases[] = {
        {10, 4, 1, kEditMove}, {10, 5, 1, kEditResize}, {10, 0, 3, kEditMove},
        {5, 0, 1, kEditResize}, {5, 1, 3, kEditResize}, {6, 2, 1, kEditMove},
        {10, 0, kHitResize, kEditResize},  // a resize grab stays a resize
    };
    for (const sCase &c : cases) {
        std::unique_ptr<ScaledObject> s(NewScaled(100, 50, c.width, 8));
        gEditMode = 0x20;
        s->BeginDrag(100 + c.grabAt, 52, c.hitKind);
        EXPECT_EQ(gEditMode, 0x20 | c.mode) << c.width << " at +" << c.grabAt;
    }
}

TEST_F(ScaledTest, EdgesFollowTheSignOfTheExtents) {
    std::unique_ptr<ScaledObject> s(NewScaled(100, 50, 10, 4));
    EXPECT_EQ(s->GetLeft(), 100);
    EXPECT_EQ(s->GetRight(), 109);
    EXPECT_EQ(s->GetBottom(), 53);
    s->ResizeBy(-20, 0);
    EXPECT_EQ(s->GetSizeWidth(), -10);
    EXPECT_EQ(s->GetLeft(), 91);
    EXPECT_EQ(s->GetRight(), 100);
    s->Normalize();
    EXPECT_EQ(s->x, 91);
    EXPECT_EQ(s->GetSizeWidth(), 10);
    EXPECT_EQ(s->GetLeft(), 91);
    EXPECT_EQ(s->GetRight(), 100);
    s->ResizeBy(0, -9);
    EXPECT_EQ(s->GetTop(), 46);
    EXPECT_EQ(s->GetBottom(), 50);
    s->Normalize();
    EXPECT_EQ(s->y, 46);
    EXPECT_EQ(s->GetSizeHeight(), 5);
    EXPECT_EQ(s->GetBottom(), 50);
    EXPECT_EQ(s->GetWidth(), 10);
}

class cLimited : public ScaledObject {
public:
    int32_t GetMaxWidth() override { return 15; }
    int32_t GetMinHeight() override { return 2; }
};

TEST_F(ScaledTest, AResizeBeyondALimitKeepsThatExtent) {
    cLimited *s = new cLimited;
    s->SetSize(10, 10);
    s->ResizeBy(10, 5);
    EXPECT_EQ(s->GetSizeWidth(), 10);
    EXPECT_EQ(s->GetSizeHeight(), 15);
    s->ResizeBy(5, -14);
    EXPECT_EQ(s->GetSizeWidth(), 15);
    EXPECT_EQ(s->GetSizeHeight(), 15);
    delete s;
}

TEST_F(ScaledTest, ABlockResizeScalesTheRecordedSize) {
    std::unique_ptr<ScaledObject> s(NewScaled(120, 0, 7, 3));
    cPObjPoint::cBlockPoint node(nullptr, s.get(), true);
    EXPECT_EQ(node.factorX, 7);
    EXPECT_EQ(node.factorY, 3);
    s->ScaleTo(&node, 100, 0, 0, 0, 100, 10, 150, 10);
    EXPECT_EQ(s->GetSizeWidth(), 11);
    EXPECT_EQ(s->GetSizeHeight(), 3);
    EXPECT_EQ(s->x, 130);
    s->ScaleTo(&node, 100, 0, 0, 0, 0, 10, 2, 20);  // old extents of 0 divide by 1
    EXPECT_EQ(s->GetSizeWidth(), 14);
    EXPECT_EQ(s->GetSizeHeight(), 6);
    EXPECT_EQ(s->ScaleTo(nullptr, 0, 0, 0, 0, 1, 1, 2, 2), nullptr);
    EXPECT_EQ(s->GetSizeWidth(), 14);
    // A large width keeps its exact result.
    std::unique_ptr<ScaledObject> big(NewScaled(0, 0, 100000000, 1));
    cPObjPoint::cBlockPoint bigNode(nullptr, big.get(), true);
    big->ScaleTo(&bigNode, 0, 0, 0, 0, 100, 1, 150, 1);
    EXPECT_EQ(big->GetSizeWidth(), 150000000);

    s->SetSize(1, 1);
    s->LoadFromBlockPoint(&node);
    EXPECT_EQ(s->GetSizeWidth(), 7);
    EXPECT_EQ(s->x, 120);
}

TEST_F(ScaledTest, TheHandleIsThePositionWhenMovingAndTheFarCornerOtherwise) {
    std::unique_ptr<ScaledObject> s(NewScaled(100, 50, 10, -4));
    struct sCase {
        uint32_t mode;
        int32_t hx, hy;
    };
    for (const sCase &c : {sCase{2, 100, 50}, sCase{4, 100, 50}, sCase{3, 109, 47}, sCase{0x22, 100, 50}}) {
        gEditMode = c.mode;
        EXPECT_EQ(s->GetHandleX(), c.hx) << c.mode;
        EXPECT_EQ(s->GetHandleY(), c.hy) << c.mode;
    }
}

TEST_F(ScaledTest, AMoveByMovesInMoveModeAndResizesOtherwise) {
    cListOwner owner(40, 0, 1);  // a unit follows its child's moves
    ScaledObject *s = owner.Add<ScaledObject>(100, 50);
    s->SetSize(10, 10);
    gEditMode = kEditMove;
    s->MoveBy(5, 6);
    EXPECT_EQ(s->x, 105);
    EXPECT_EQ(s->GetSizeWidth(), 10);
    EXPECT_EQ(owner.x, 5);
    gEditMode = kEditResize;
    s->MoveBy(5, 6);
    EXPECT_EQ(s->x, 105);
    EXPECT_EQ(s->GetSizeWidth(), 15);
    EXPECT_EQ(s->GetSizeHeight(), 16);
    EXPECT_EQ(owner.x, 5);  // the position did not change

    ScaledObject copy;
    copy.SetPosition(100, 50);
    copy.SetSize(10, 10);
    s->RestoreFrom(copy);
    EXPECT_EQ(s->x, 100);
    EXPECT_EQ(s->GetSizeWidth(), 10);
    EXPECT_EQ(s->GetSizeHeight(), 10);
}

TEST_F(ScaledTest, CopiesNeedTheSameClass) {
    std::unique_ptr<ScaledObject> a(NewScaled(1, 2, 3, 4)), b(NewScaled(0, 0, 1, 1));
    b->CopyFrom(*a);
    EXPECT_EQ(b->x, 1);
    EXPECT_EQ(b->GetSizeHeight(), 4);
    std::unique_ptr<cLineObject> line(new cLineObject);
    RaisedErrors errors;
    line->CopyFrom(*a);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid object");
    EXPECT_EQ(line->GetSizeWidth(), 1);
}

// ---- Position integers ----------------------------------------------------

std::string Written(int32_t value) {
    cMemoryFile file({}, cBinaryFileBase::kWrite);
    cPObjBase::WriteVarInt(&file, value);
    return file.Bytes();
}

TEST_F(ScaledTest, VarIntsTakeTheFewestBytesOfTheirRange) {
    gFileVersion = 0x1060000;
    struct sCase {
        int32_t value;
        std::string bytes;
    };
    const sCase cases[] = {
        {0, std::string(1, '\0')},
        {63, "\x3F"},
        {64, "\x80\x40"},
        {-64, "\x40"},
        {-65, "\xFF\x3F"},
        {100, "\x80\x64"},
        {-1, "\x7F"},
        {8191, "\xBF\x7F"},
        {8192, std::string("\x80\xC0\x00", 3)},
        {-8192, std::string("\xC0\x00", 2)},
        {-8193, "\xFF\xBF\x7F"},
        {0xFFFFF, "\xBF\xFF\x7F"},
        {0x100000, std::string("\x80\xC0\x80\x00", 4)},
        {-0x100000, std::string("\xC0\x80\x00", 3)},
        {0x7FFFFFF, "\xBF\xFF\xFF\x7F"},
        {-0x8000000, std::string("\xC0\x80\x80\x00", 4)},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.value);
        RaisedErrors errors;
        EXPECT_EQ(cPObjBase::VarIntSize(c.value), c.bytes.size());
        EXPECT_EQ(Written(c.value), c.bytes);
        cMemoryFile in(c.bytes);
        int32_t back = 12345;
        EXPECT_EQ(cPObjBase::ReadPosition(&in, back), 0);
        EXPECT_EQ(back, c.value);
        EXPECT_EQ(in.GetPosition(), c.bytes.size());
        EXPECT_EQ(errors.Count(), 0);
    }
}

TEST_F(ScaledTest, BeforeVersion16EveryVarIntTakesFourBytes) {
    gFileVersion = 0x10500FF;  // the low byte does not count
    EXPECT_EQ(cPObjBase::VarIntSize(1), 4);
    EXPECT_EQ(Written(1), std::string("\x80\x80\x80\x01", 4));
    EXPECT_EQ(Written(-1), "\xFF\xFF\xFF\x7F");
}

TEST_F(ScaledTest, AValueBeyondFourBytesIsReported) {
    gFileVersion = 0x1060000;
    for (int32_t value : {0x8000000, -0x8000001, INT32_MAX, INT32_MIN}) {
        RaisedErrors errors;
        EXPECT_EQ(cPObjBase::VarIntSize(value), 4);
        EXPECT_EQ(errors.Count(), 1);
        EXPECT_EQ(errors.LastText(), u"Error in PointObj: Data size");
    }
}

TEST_F(ScaledTest, ReadingTrustsNoLengthAndStopsAtTheEnd) {
    gFileVersion = 0x1060000;
    struct sCase {
        std::string bytes;
        tStatus status;
        int32_t value;
        uint32_t consumed;
    };
    const sCase cases[] = {
        {"", kFailed, 0, 0},
        {"\x80", kFailed, 0, 1},
        {"\x81\x82\x83", kFailed, 0, 3},
        // Continuation bits past four bytes: four are taken, the rest stays.
        {"\x81\x80\x80\x80\x05", 0, int32_t(0x1u << 21), 4},
    };
    for (const sCase &c : cases) {
        cMemoryFile in(c.bytes);
        int32_t value = -7;
        EXPECT_EQ(cPObjBase::ReadPosition(&in, value), c.status);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(in.GetPosition(), c.consumed);
    }
    int32_t value = 0;
    RaisedErrors errors;
    EXPECT_EQ(cPObjBase::ReadPosition(nullptr, value), kFailed);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid stream");
}

// ---- Records --------------------------------------------------------------

struct sVersionCase {
    uint32_t version;
    std::string bytes;  // x 100, y -1, width 7, height 300
};

const sVersionCase kScaledRecords[] = {
    {0x1040000, std::string("\x64\x00\xFF\xFF\x07\x00\x2C\x01", 8)},
    {0x1050000, std::string("\x64\x00\x00\x00\xFF\xFF\xFF\xFF\x07\x00\x00\x00\x2C\x01\x00\x00", 16)},
    {0x1060000, std::string("\x80\x64\x7F\x07\x82\x2C", 6)},
};

TEST_F(ScaledTest, WidthsAreStoredAsTheFileVersionSays) {
    for (const sVersionCase &c : kScaledRecords) {
        SCOPED_TRACE(c.version);
        gFileVersion = c.version;
        std::unique_ptr<ScaledObject> s(NewScaled(100, -1, 7, 300));
        std::unique_ptr<ScaledObject> back(new ScaledObject);
        cMemoryFile in(c.bytes);
        EXPECT_EQ(back->LoadBinary(&in, uint16_t(c.bytes.size())), 0);
        EXPECT_EQ(back->x, 100);
        EXPECT_EQ(back->y, -1);
        EXPECT_EQ(back->GetSizeWidth(), 7);
        EXPECT_EQ(back->GetSizeHeight(), 300);
        EXPECT_EQ(std::u16string(back->GetClassName()), u"Scaled");
        // A record cut anywhere fails.
        for (size_t cut = 0; cut < c.bytes.size(); ++cut) {
            cMemoryFile shortIn(c.bytes.substr(0, cut));
            EXPECT_EQ(back->LoadBinary(&shortIn, 0), kFailed) << cut;
        }
    }
    // The writer writes variable-length integers, four bytes each before 1.6.
    gFileVersion = 0x1060000;
    std::unique_ptr<ScaledObject> s(NewScaled(100, -1, 7, 300));
    cMemoryFile out({}, cBinaryFileBase::kWrite);
    cPObjBase::sCmdFileSave save(&out);
    EXPECT_EQ(s->SaveBinary(&save), 0);
    EXPECT_EQ(out.Bytes(), kScaledRecords[2].bytes);
    EXPECT_EQ(s->DataSize(), 6);
    gFileVersion = 0x1000000;
    EXPECT_EQ(s->DataSize(), 16);
    RaisedErrors errors;
    EXPECT_EQ(s->LoadBinary(nullptr, 0), kFailed);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid stream");
}

TEST_F(ScaledTest, TheTextLineCarriesTheSize) {
    std::unique_ptr<ScaledObject> s(NewScaled(12, -3, 7, 300));
    std::ostringstream out;
    cPObjBase::sCmdExpAsc record(&out);
    record.depth = 2;
    EXPECT_EQ(s->OnCommand(kCmdExportText, nullptr, &record), 0);
    EXPECT_EQ(out.str(), "\t\tScaled          @  12,   -3 size   7, 300");

    const std::u16string folder = test::MakeTempFolder("scaled_text");
    const std::u16string path = folder + u"line.txt";
    test::WriteFileBytes(path, "@  40,   50 size  -9,  11\n@ 1,2\n");
    cAsciiFile in(path.c_str());
    cPObjBase::sCmdImpAsc imp(&in);
    std::unique_ptr<ScaledObject> back(new ScaledObject);
    EXPECT_EQ(back->ImportText(&imp), 0);
    EXPECT_EQ(back->x, 40);
    EXPECT_EQ(back->y, 50);
    EXPECT_EQ(back->GetSizeWidth(), -9);
    EXPECT_EQ(back->GetSizeHeight(), 11);
    in.SkipLine();
    EXPECT_EQ(back->ImportText(&imp), 0);  // no size: the size stays
    EXPECT_EQ(back->x, 1);
    EXPECT_EQ(back->GetSizeWidth(), -9);
}

// ---- Set-up ---------------------------------------------------------------

TEST_F(ScaledTest, TheClassSetUpRecordsTheEditModeOnly) {
    std::unique_ptr<ScaledObject> s(new ScaledObject);
    gEditMode = 0x23;
    gEditFlags = 0x10;
    EXPECT_EQ(s->GetClassSetup(nullptr), nullptr);
    EXPECT_EQ(s->HasClassSetup(), kFailed);
    EXPECT_EQ(s->HasObjectSetup(), 0);
    ScaledObject::sCmdSetupScaled record;
    EXPECT_EQ(s->GetClassSetup(&record), &record);
    EXPECT_EQ(record.editMode, 0x23);
    EXPECT_EQ(record.editFlags, 0x10);
    record.editMode = 2;
    EXPECT_EQ(s->SetObjectSetup(&record), 0);
    EXPECT_EQ(gEditMode, 2u);
    record.size = 20;  // shorter than a scaled record
    EXPECT_EQ(s->SetClassSetup(&record), kFailed);
    EXPECT_EQ(s->SetClassSetup(nullptr), kFailed);
    cPObjBase::sCmdLoaded other;
    EXPECT_EQ(s->SetClassSetup(&other), kFailed);
}

}  // namespace
