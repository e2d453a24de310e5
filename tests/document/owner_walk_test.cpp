// The owner command walk and the owner records: answers of the
// walk, children that leave while they get a command, the text form written
// and read, the binary record written and read by file version, and the
// refusal of an owner too large for its 16-bit count.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "document/base_classes.h"
#include "document/commands.h"
#include "document/file_class_map.h"
#include "foundation/ascii_file.h"
#include "tests/document/symbol_fixture.h"
#include "tests/midi/memory_file.h"

namespace {

using test::cMemoryFile;
using test::RaisedErrors;
using test::SymbolTest;

class WalkTest : public SymbolTest {
protected:
    void TearDown() override {
        delete gFileClassMap;
        gFileClassMap = nullptr;
        SymbolTest::TearDown();
    }
};

cPObjPoint *NewPoint(int32_t px, int32_t py) {
    auto *p = new cPObjPoint;
    p->SetPosition(px, py);
    return p;
}

// A child with a chosen answer; it may leave its owner (and be deleted)
// when it gets the command.
class cProbe : public cPObjPoint {
public:
    enum eLeave { kStay, kLeave, kDelete };
    cProbe(tStatus answer = 0, eLeave leave = kStay) : answer(answer), leave(leave) {}
    tStatus OnCommand(int16_t, sCommandMask *, sCommandPrm *) override {
        if (leave != kStay) {
            cPObjOwnBase *from = FindOwner(0, 0);
            from->RemoveChild(this);
            SetOwner(nullptr);
            if (leave == kDelete) {
                delete this;
                return 0;
            }
        }
        return answer;
    }
    tStatus answer;
    eLeave leave;
};

// A group in arrival order that logs its hooks and the previous child
// handed to the after-hook.
class cLoggingGroup : public cPObjGroup {
public:
    int32_t GetChildOrder() const override { return 2; }
    tStatus BeforeChildCommand(int16_t id, sCommandMask *m, sCommandPrm *r, cPObjPoint *c, cPObjPoint *p,
                               void **s) override {
        ++before;
        return cPObjGroup::BeforeChildCommand(id, m, r, c, p, s);
    }
    tStatus AfterChildCommand(int16_t id, sCommandMask *m, sCommandPrm *r, cPObjPoint *c, cPObjPoint *p,
                              void **s) override {
        afterPrevious.push_back(p);
        return cPObjGroup::AfterChildCommand(id, m, r, c, p, s);
    }
    int32_t before = 0;
    std::vector<cPObjPoint *> afterPrevious;
};

TEST_F(WalkTest, AnOwnerWithoutChildrenAnswersNotHandled) {
    cPObjGroup owner;
    EXPECT_EQ(owner.OnCommand(kCmdLoaded, nullptr, nullptr), kFailed);
    EXPECT_EQ(owner.OnCommand(kCmdExport, nullptr, nullptr), kFailed);
}

TEST_F(WalkTest, TheWalkAnswersTheLowestChildAnswerAndZero) {
    cLoggingGroup owner;
    owner.AddChild(new cProbe(5));
    owner.AddChild(new cProbe(0));
    EXPECT_EQ(owner.OnCommand(kCmdLoaded, nullptr, nullptr), 0);
    owner.AddChild(new cProbe(-7));
    owner.AddChild(new cProbe(kFailed));
    EXPECT_EQ(owner.OnCommand(kCmdLoaded, nullptr, nullptr), kFailed);
    EXPECT_EQ(owner.before, 2);
    EXPECT_EQ(owner.afterPrevious.size(), 2u);
}

struct sLeaveCase {
    const char *name;
    std::vector<cProbe::eLeave> children;
    int32_t wantAfterPrevious;  // index of the child, -1 for no after-hook
    tStatus wantResult;
};

TEST_F(WalkTest, AChildThatLeavesMidWalkIsPassedOver) {
    const sLeaveCase cases[] = {
        {"the only child leaves", {cProbe::kLeave}, -1, kFailed},
        {"the only child deletes itself", {cProbe::kDelete}, -1, kFailed},
        {"a middle child leaves", {cProbe::kStay, cProbe::kDelete, cProbe::kStay}, 2, 0},
        {"the last child leaves", {cProbe::kStay, cProbe::kStay, cProbe::kDelete}, 1, 0},
        // None stayed before it: the owner's first child stands in.
        {"the first child leaves", {cProbe::kLeave, cProbe::kStay}, 1, 0},
    };
    for (const sLeaveCase &c : cases) {
        SCOPED_TRACE(c.name);
        cLoggingGroup owner;
        std::vector<cProbe *> probes;
        for (cProbe::eLeave leave : c.children) {
            probes.push_back(new cProbe(0, leave));
            owner.InsertChild(probes.back());
        }
        EXPECT_EQ(owner.OnCommand(kCmdLoaded, nullptr, nullptr), c.wantResult);
        if (c.wantAfterPrevious < 0) {
            EXPECT_TRUE(owner.afterPrevious.empty());
        } else {
            ASSERT_EQ(owner.afterPrevious.size(), 1u);
            EXPECT_EQ(owner.afterPrevious[0], probes[size_t(c.wantAfterPrevious)]);
        }
        EXPECT_EQ(owner.before, 1);
        for (size_t i = 0; i < probes.size(); ++i)
            if (c.children[i] == cProbe::kLeave) delete probes[i];
    }
}

// The owner with three plain children and a nested owner, as the text form
// writes them.
struct sTree {
    sTree() {
        root.SetPosition(0, 0);
        root.InsertChild(NewPoint(10, 20));
        auto *s = new ScaledObject;
        s->SetPosition(30, 40);
        s->SetSize(5, 6);
        root.InsertChild(s);
        root.InsertChild(NewPoint(50, -7));
    }
    cPObjGroup root;
};

const char kThreeChildren[] =
    "Group           @   0,    0 size   1,   1 owns 3\n"
    "\tPoint           @  10,   20\n"
    "\tScaled          @  30,   40 size   5,   6\n"
    "\tPoint           @  50,   -7\n";

std::string ExportOf(cPObjBase &obj) {
    std::ostringstream out;
    cPObjBase::sCmdExpAsc record(&out);
    obj.OnCommand(kCmdExportText, nullptr, &record);
    EXPECT_EQ(record.depth, 0);
    return out.str();
}

TEST_F(WalkTest, TextExportWritesTheOwnerLineAndItsChildrenOneTabDeeper) {
    sTree tree;
    EXPECT_EQ(ExportOf(tree.root), kThreeChildren);
    // A nested owner carries its own count; an empty one writes 0 and no
    // child lines.
    auto *inner = new cPObjGroup;
    inner->SetPosition(60, 1);
    inner->InsertChild(NewPoint(61, 2));
    tree.root.InsertChild(inner);
    tree.root.InsertChild(new cPObjGroup);
    EXPECT_EQ(ExportOf(tree.root),
              "Group           @   0,    0 size   1,   1 owns 5\n"
              "\tGroup           @   0,    0 size   1,   1 owns 0\n"
              "\tPoint           @  10,   20\n"
              "\tScaled          @  30,   40 size   5,   6\n"
              "\tPoint           @  50,   -7\n"
              "\tGroup           @  60,    1 size   1,   1 owns 1\n"
              "\t\tPoint           @  61,    2\n");
}

TEST_F(WalkTest, TextExportFollowsTheMask) {
    sTree tree;
    // Only points (class 1) pass: the owner's own line and the scaled
    // child's are left out, the walk still reaches every child.
    cPObjPoint probe;
    sCommandMask mask(&probe, kMaskClassId);
    std::ostringstream out;
    cPObjBase::sCmdExpAsc record(&out);
    tree.root.OnCommand(kCmdExportText, &mask, &record);
    EXPECT_EQ(out.str(), "\tPoint           @  10,   20\n\tPoint           @  50,   -7\n");
}

// Reads the rest of an owner line (after its class name) into a group.
tStatus Import(cPObjGroup &owner, const std::string &text, int32_t *latch = nullptr) {
    cAsciiFile in(text.data(), text.size());
    cPObjBase::sCmdImpAsc record(&in);
    tStatus result = owner.OnCommand(kCmdImportText, nullptr, &record);
    if (latch) *latch = in.GetErrorLatch();
    return result;
}

TEST_F(WalkTest, TextImportSkipsAnUnknownClassAndCreatesTheNext) {
    test::BuildTestRegistry();
    cPObjGroup owner;
    EXPECT_EQ(Import(owner,
                     " @   3,    4 size   7,   8 owns 2\n"
                     "\tNoSuchClass     @   1,    2 size 9, 9\n"
                     "\tPoint           @   5,    6\n"),
              0);
    EXPECT_EQ(owner.x, 3);
    EXPECT_EQ(owner.GetSizeWidth(), 7);
    ASSERT_EQ(owner.GetChildCount(), 1);
    cPObjPoint *child = owner.GetChild(0);
    EXPECT_EQ(child->GetTypeId(), 1);
    EXPECT_EQ(child->x, 5);
    EXPECT_EQ(child->y, 6);
    EXPECT_EQ(child->FindOwner(0, 0), &owner);
}

TEST_F(WalkTest, TextImportStopsAtAFailingChild) {
    test::BuildTestRegistry();
    cPObjGroup owner;
    int32_t latch = 0;
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(Import(owner,
                     " @   0,    0 owns 2\n"
                     "\tPoint           @   x,    6\n"
                     "\tPoint           @   5,    6\n",
                     &latch),
              0);
    EXPECT_LT(latch, 0);
    EXPECT_EQ(owner.GetChildCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live);
}

TEST_F(WalkTest, TextFormReadsBackWhatItWrote) {
    test::BuildTestRegistry();
    sTree tree;
    auto *inner = new cPObjGroup;
    inner->SetPosition(60, 1);
    inner->SetUnitFlag(1);
    inner->InsertChild(NewPoint(61, 2));
    tree.root.InsertChild(inner);
    const std::string text = ExportOf(tree.root);
    cPObjGroup copy;
    // The reader of the parent has taken the class name.
    EXPECT_EQ(Import(copy, text.substr(text.find(' '))), 0);
    EXPECT_EQ(ExportOf(copy), text);
}

// The class map of a file whose ids are this program's.
void MapIdsOneToOne() {
    delete gFileClassMap;
    gFileClassMap = new sFileClassMap;
    gFileClassMap->lowest = 1;
    gFileClassMap->highest = 186;
    for (int16_t id = 1; id <= 186; ++id) {
        sFileClassEntry e;
        e.fileId = e.currentId = id;
        gFileClassMap->entries.push_back(e);
    }
}

std::string SaveRecord(cPObjBase &obj, tStatus *result = nullptr) {
    cMemoryFile file({}, cBinaryFileBase::kWrite);
    cPObjBase::sCmdFileSave record(&file);
    const tStatus r = obj.OnCommand(kCmdSaveBinary, nullptr, &record);
    if (result) *result = r;
    return file.Bytes();
}

TEST_F(WalkTest, BinaryRecordsReadBackWhatTheyWrote) {
    test::BuildTestRegistry();
    MapIdsOneToOne();
    gFileVersion = 0x20C0500;
    sTree tree;
    tree.root.SetUnitFlag(1);
    auto *inner = new cPObjGroup;
    inner->SetPosition(60, 1);
    inner->InsertChild(NewPoint(61, 2));
    tree.root.InsertChild(inner);
    tStatus result = kFailed;
    const std::string bytes = SaveRecord(tree.root, &result);
    EXPECT_EQ(result, 0);
    // The owner's fields, the unit flag and the count come first; then each
    // child as class id, record size and record.
    ASSERT_GE(bytes.size(), size_t(tree.root.DataSize()) + 4);
    EXPECT_EQ(uint8_t(bytes[tree.root.DataSize() - 3]), 1);
    EXPECT_EQ(uint8_t(bytes[tree.root.DataSize() - 2]), 4);
    EXPECT_EQ(uint8_t(bytes[tree.root.DataSize()]), 1);  // the first child's class id

    cMemoryFile in(bytes);
    cPObjGroup copy;
    EXPECT_EQ(copy.LoadBinary(&in, tree.root.DataSize()), 0);
    EXPECT_EQ(copy.GetUnitFlag(), 1);
    EXPECT_EQ(ExportOf(copy), ExportOf(tree.root));
    EXPECT_EQ(in.GetPosition(), bytes.size());
}

TEST_F(WalkTest, AFileOfVersionOneKeepsChildrenRelativeToTheirOwner) {
    test::BuildTestRegistry();
    MapIdsOneToOne();
    gFileVersion = 0x1000000;
    // An owner at (100, 200) of size 1 x 1 with one point stored at (5, 6):
    // 16-bit positions and no child record sizes.
    const uint8_t bytes[] = {100, 0, 200, 0, 1, 0, 1, 0, 0, 1, 0, /* child */ 1, 0, 5, 0, 6, 0};
    cMemoryFile in(std::string(reinterpret_cast<const char *>(bytes), sizeof bytes));
    cPObjGroup owner;
    EXPECT_EQ(owner.LoadBinary(&in, 11), 0);
    ASSERT_EQ(owner.GetChildCount(), 1);
    EXPECT_EQ(owner.x, 100);
    EXPECT_EQ(owner.GetChild(0)->x, 105);
    EXPECT_EQ(owner.GetChild(0)->y, 206);
    // From 1.1.0 on the positions are absolute.
    gFileVersion = 0x1010000;
    cMemoryFile again(std::string(reinterpret_cast<const char *>(bytes), sizeof bytes));
    cPObjGroup absolute;
    EXPECT_EQ(absolute.LoadBinary(&again, 11), 0);
    EXPECT_EQ(absolute.GetChild(0)->x, 5);
}

TEST_F(WalkTest, RecordsOfUnknownClassesAreSkippedBySize) {
    test::BuildTestRegistry();
    MapIdsOneToOne();
    gFileClassMap->entries[98].currentId = 0;  // file id 99 is not known here
    gFileVersion = 0x20C0500;
    // Owner (0, 0, 1, 1), unit 0, two children: an unknown record of three
    // bytes, then a point at (7, 8).
    const uint8_t bytes[] = {0, 0, 1, 1, 0, 2, 0, 99, 0, 3, 0, 0xAA, 0xBB, 0xCC, 1, 0, 2, 0, 7, 8};
    cMemoryFile in(std::string(reinterpret_cast<const char *>(bytes), sizeof bytes));
    cPObjGroup owner;
    EXPECT_EQ(owner.LoadBinary(&in, 7), 0);
    ASSERT_EQ(owner.GetChildCount(), 1);
    EXPECT_EQ(owner.GetChild(0)->x, 7);
    EXPECT_EQ(owner.GetChild(0)->y, 8);
}

TEST_F(WalkTest, ABrokenChildEndsTheLoad) {
    test::BuildTestRegistry();
    MapIdsOneToOne();
    gFileVersion = 0x20C0500;
    const uint32_t live = gLiveSymbolCount;
    // Two children announced; the stream ends inside the second one.
    const uint8_t bytes[] = {0, 0, 1, 1, 0, 2, 0, 1, 0, 2, 0, 7, 8, 1, 0, 2, 0, 9};
    cMemoryFile in(std::string(reinterpret_cast<const char *>(bytes), sizeof bytes));
    cPObjGroup owner;
    EXPECT_LT(owner.LoadBinary(&in, 7), 0);
    EXPECT_EQ(owner.GetChildCount(), 1);
    EXPECT_EQ(gLiveSymbolCount, live + 1);
    // Without even a child header: "Invalid stream".
    const uint8_t shortBytes[] = {0, 0, 1, 1, 0, 1, 0};
    cMemoryFile cut(std::string(reinterpret_cast<const char *>(shortBytes), sizeof shortBytes));
    cPObjGroup empty;
    RaisedErrors errors;
    EXPECT_LT(empty.LoadBinary(&cut, 7), 0);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid stream");
}

TEST_F(WalkTest, ARecordOfAnotherSizeFromANewerFileIsRefused) {
    test::BuildTestRegistry();
    MapIdsOneToOne();
    gFileVersion = 0x7F000000;
    const uint8_t bytes[] = {0, 0, 1, 1, 0, 0, 0};
    cMemoryFile in(std::string(reinterpret_cast<const char *>(bytes), sizeof bytes));
    cPObjGroup owner;
    EXPECT_EQ(owner.LoadBinary(&in, 9), kFailed);
    cMemoryFile same(std::string(reinterpret_cast<const char *>(bytes), sizeof bytes));
    EXPECT_EQ(owner.LoadBinary(&same, 7), 0);
}

// A group that a test fills in order quickly, as a load does.
class cBulkGroup : public cPObjGroup {
public:
    void AddInOrder(uint32_t n) {
        BeginChildLoad();
        for (uint32_t i = 0; i < n; ++i) {
            cPObjPoint *p = NewPoint(int32_t(i), 0);
            p->SetOwner(this);
            AddChild(p);
        }
        EndChildLoad();
    }
};

TEST_F(WalkTest, AnOwnerOf65535ChildrenOrMoreIsNotWritten) {
    gFileVersion = 0x20C0500;
    cBulkGroup owner;
    owner.AddInOrder(65534);
    tStatus result = kFailed;
    std::string bytes = SaveRecord(owner, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(uint8_t(bytes[owner.DataSize() - 2]), 0xFE);
    EXPECT_EQ(uint8_t(bytes[owner.DataSize() - 1]), 0xFF);

    owner.AddInOrder(1);
    EXPECT_EQ(owner.GetChildCount(), 0xFFFF);
    RaisedErrors errors;
    bytes = SaveRecord(owner, &result);
    EXPECT_EQ(result, kFailed);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Data size");

    // Inside a document the save fails as a whole.
    cPObjGroup document;
    auto *big = new cBulkGroup;
    big->AddInOrder(70000);
    document.InsertChild(big);
    document.InsertChild(NewPoint(1, 1));
    SaveRecord(document, &result);
    EXPECT_EQ(result, kFailed);
}

TEST_F(WalkTest, CondenseStartsFromTheOwner) {
    test::BuildTestRegistry();
    cPObjGroup owner;
    owner.SetPosition(100, 0);
    owner.InsertChild(NewPoint(500, 0));
    gPointUndo->RecordMove(owner.GetChild(0));
    sCommandMask mask(nullptr, 0);
    EXPECT_EQ(owner.SendCondense(10, kFailed, &mask), 0);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);  // cleared
    // The point starts a column 10 right of the owner's right edge.
    EXPECT_EQ(owner.GetChild(0)->x, 110);
}

}  // namespace
