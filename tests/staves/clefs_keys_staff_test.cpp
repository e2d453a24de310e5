// Clefs and key signatures on real staffs: how each clef reads the top
// line, clefs and keys placed by the staff and kept there when dragged,
// clefs in the middle of a staff read by the notes after them, their
// exchange under transposition against the staff's running context, and
// the accidental layout with the staff's spacing and the clef in force.
#include <gtest/gtest.h>

#include <vector>

#include "document/music_commands.h"
#include "staves/staff.h"
#include "tests/staves/staff_fixture.h"

namespace {

constexpr int32_t kTop = 100;

class ClefsKeysOnStaffs : public test::StaffTest {
protected:
    void SetUp() override {
        test::StaffTest::SetUp();
        Build();
        staff = static_cast<StaffObject *>(cPObjBase::NewById(StaffObject::kClassId));
        staff->SetY(kTop);
        h = staff->LineSpacing() / 2;
        // Right of the header, where members stand.
        body = staff->GetX() + 150;
    }
    void TearDown() override {
        delete staff;
        staff = nullptr;
        test::StaffTest::TearDown();
    }

    // A new member of the class at (x, 0); null when the staff took it as
    // its start instead.
    cPObjPoint *Add(int16_t id, int32_t px) {
        cPObjPoint *obj = cPObjBase::NewById(id);
        obj->SetPosition(px, 0);
        if (staff->InsertChild(obj)) return obj;
        delete obj;
        return nullptr;
    }
    std::vector<int16_t> MemberIds() {
        std::vector<int16_t> ids;
        for (uint16_t i = 0; i < staff->GetChildCount(); ++i) ids.push_back(staff->GetChild(i)->GetTypeId());
        return ids;
    }

    StaffObject *staff = nullptr;
    int32_t h = 0;
    int32_t body = 0;
};

TEST_F(ClefsKeysOnStaffs, EachClefReadsTheTopLineAsItsOwnStep) {
    struct sRow {
        int16_t clef;
        int32_t step;
    };
    // The F above the treble staff's top line is an octave and a fourth
    // above middle C; the bass clef's top line is the A below it.
    for (const sRow r : {sRow{ClefG::kClassId, 10}, sRow{ClefF::kClassId, -2}, sRow{ClefAlto::kClassId, 4},
                         sRow{ClefTenor::kClassId, 2}, sRow{ClefG8::kClassId, 3}}) {
        EXPECT_EQ(staff->StepAtClef(kTop, 0, r.clef), r.step) << r.clef;
        // Each line further down is two steps lower.
        EXPECT_EQ(staff->StepAtClef(kTop + 2 * h, 0, r.clef), r.step - 2) << r.clef;
    }
}

TEST_F(ClefsKeysOnStaffs, NotesAfterAClefInTheStaffAreReadWithIt) {
    staff->SetStartClef(ClefG::kClassId);
    ASSERT_NE(Add(ClefF::kClassId, body), nullptr);
    staff->RunContext(body - 10, -1, nullptr);
    EXPECT_EQ(staff->StepAt(kTop, 0), 10);
    staff->RunContext(body + 10, -1, nullptr);
    EXPECT_EQ(gMusicState.clef, ClefF::kClassId);
    EXPECT_EQ(staff->StepAt(kTop, 0), -2);
}

TEST_F(ClefsKeysOnStaffs, AnInsertedClefStandsOnItsLineAndStartsNewStaffs) {
    struct sRow {
        int16_t clef;
        int32_t halfSpacings;
    };
    for (const sRow r : {sRow{ClefG::kClassId, 6}, sRow{ClefF::kClassId, 2}, sRow{ClefAlto::kClassId, 4}}) {
        SCOPED_TRACE(r.clef);
        cPObjPoint *clef = Add(r.clef, body);
        ASSERT_NE(clef, nullptr);
        EXPECT_EQ(clef->GetY(), kTop + r.halfSpacings * h);
        EXPECT_EQ(gStaffDefaultClef, r.clef);
        EXPECT_EQ(gMusicState.clef, r.clef);
        body += 30;
    }
}

TEST_F(ClefsKeysOnStaffs, ClefsAndKeysInAStaffAreDraggedSidewaysOnly) {
    cPObjPoint *clef = Add(ClefG::kClassId, body);
    cPObjPoint *key = Add(KeySig2Flat::kClassId, body + 40);
    ASSERT_NE(clef, nullptr);
    ASSERT_NE(key, nullptr);
    for (cPObjPoint *obj : {clef, key}) {
        SCOPED_TRACE(obj->GetTypeId());
        const int32_t x0 = obj->GetX(), y0 = obj->GetY();
        obj->MoveBy(0, 3 * h);
        EXPECT_EQ(obj->GetY(), y0);
        EXPECT_EQ(obj->GetX(), x0);
        obj->MoveBy(8, -2 * h);
        EXPECT_EQ(obj->GetX(), x0 + 8);
        EXPECT_EQ(obj->GetY(), y0);
    }
}

TEST_F(ClefsKeysOnStaffs, TransposingToTheBassClefExchangesOrDropsClefs) {
    staff->SetStartClef(ClefG::kClassId);
    auto *treble = static_cast<MusicBitMapClef *>(Add(ClefG::kClassId, body));
    ASSERT_NE(treble, nullptr);

    // ClefG runs where the clef stands: it becomes a ClefF there.
    cMusicBase::sCmdTranspose record(0, ClefF::kClassId);
    EXPECT_EQ(treble->OnTranspose(&record), 0);
    ASSERT_EQ(MemberIds(), std::vector<int16_t>{ClefF::kClassId});
    cPObjPoint *bass = staff->GetChild(0);
    EXPECT_EQ(bass->GetX(), body);
    EXPECT_EQ(bass->GetY(), kTop + 2 * h);
    EXPECT_EQ(record.clef, ClefG::kClassId);
    EXPECT_EQ(gMusicState.clef, ClefG::kClassId);

    // On a staff that starts with the bass clef a clef at whose x ClefF
    // runs already goes.
    staff->SetStartClef(ClefF::kClassId);
    auto *alto = static_cast<MusicBitMapClef *>(Add(ClefAlto::kClassId, body - 60));
    ASSERT_NE(alto, nullptr);
    cMusicBase::sCmdTranspose again(0, ClefF::kClassId);
    EXPECT_EQ(alto->OnTranspose(&again), 0);
    EXPECT_EQ(MemberIds(), std::vector<int16_t>{ClefF::kClassId});
    EXPECT_EQ(again.clef, ClefAlto::kClassId);

    // Without a target clef every clef stays.
    auto *kept = static_cast<MusicBitMapClef *>(staff->GetChild(0));
    cMusicBase::sCmdTranspose none(7, 0);
    EXPECT_EQ(kept->OnTranspose(&none), 0);
    EXPECT_EQ(staff->GetChild(0), kept);
    EXPECT_EQ(kept->GetX(), body);
}

TEST_F(ClefsKeysOnStaffs, AKeysFirstAccidentalGoesWhereTheClefInForcePutsIt) {
    staff->SetStartClef(ClefG::kClassId);
    cPObjPoint *sharps = Add(KeySig3Sharp::kClassId, body);
    cPObjPoint *flats = Add(KeySig3Flat::kClassId, body + 40);
    ASSERT_NE(sharps, nullptr);
    ASSERT_NE(flats, nullptr);
    // Under the treble clef the first sharp is on the top line, the first
    // flat on the middle line.
    EXPECT_EQ(sharps->GetY(), kTop);
    EXPECT_EQ(flats->GetY(), kTop + 4 * h);

    auto *key = static_cast<KeySignature *>(sharps);
    key->ComputeAccidentalPositions();
    const int32_t *at = KeySignature::AccidentalPositions();
    EXPECT_EQ(std::vector<int32_t>(at, at + 3), (std::vector<int32_t>{kTop, kTop + 3 * h, kTop - h}));
    EXPECT_EQ(key->GetDrawCount(), 3);

    // After a tenor clef the sharps start low and wrap downwards.
    ASSERT_NE(Add(ClefTenor::kClassId, body + 60), nullptr);
    auto *tenorKey = static_cast<KeySignature *>(Add(KeySig4Sharp::kClassId, body + 90));
    ASSERT_NE(tenorKey, nullptr);
    EXPECT_EQ(tenorKey->GetY(), kTop + 6 * h);
    tenorKey->ComputeAccidentalPositions();
    EXPECT_EQ(std::vector<int32_t>(at, at + 4), (std::vector<int32_t>{kTop + 6 * h, kTop + 2 * h, kTop + 5 * h,
                                                                      kTop + 1 * h}));
}

TEST_F(ClefsKeysOnStaffs, AKeyTransposesAgainstTheKeyRunningAtItsPlace) {
    staff->SetStartKey(KeySigC::kClassId);
    auto *key = static_cast<KeySignature *>(Add(KeySig1Sharp::kClassId, body));
    ASSERT_NE(key, nullptr);
    cMusicBase::sCmdTranspose record(2, 0);
    EXPECT_EQ(key->OnTranspose(&record), 0);
    ASSERT_EQ(MemberIds(), std::vector<int16_t>{KeySig3Sharp::kClassId});
    EXPECT_EQ(staff->GetChild(0)->GetX(), body);
    EXPECT_EQ(record.key, KeySig1Sharp::kClassId);
    EXPECT_EQ(gMusicState.key, KeySig1Sharp::kClassId);

    // On a staff in B major, A major a whole tone up would repeat the key in
    // force: it goes.
    staff->SetStartKey(KeySig5Sharp::kClassId);
    cMusicBase::sCmdTranspose again(2, 0);
    EXPECT_EQ(static_cast<KeySignature *>(staff->GetChild(0))->OnTranspose(&again), 0);
    EXPECT_TRUE(MemberIds().empty());
}

}  // namespace
