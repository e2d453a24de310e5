// Clefs and key signatures on their own and in a stand-in staff: the clef
// constants, the running clef and key, dragging, what a staff is asked when
// they go into it, the exchange of clefs and keys under transposition, the
// alterations of a key, the transposed keys and steps, the accidental layout
// and its drawing, and the C clefs' bounds around their drawn glyph.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "document/music_commands.h"
#include "tests/foundation/raised_errors.h"
#include "tests/notation/catalogue_fixture.h"
#include "ui/graph_dvc.h"
#include "ui/music_font_metrics.h"

namespace {

using test::RaisedErrors;

// A staff of the services' own making: it answers a chosen half spacing,
// places symbols from its top line, runs a chosen clef and key as its
// context and notes what it was asked.
class cStandInStaff : public test::cListOwner, public cStaffServices {
public:
    static constexpr int32_t kTop = 100;

    explicit cStandInStaff(int32_t half = 3) : cListOwner(184, kTypeStaff), half(half) { SetPosition(20, kTop); }

    int32_t LineSpacing() override { return 2 * half; }
    int32_t GetCurrentHalfSpacing() override { return half; }
    int32_t StepAtClef(int32_t, int16_t, int16_t) override { return 0; }
    int32_t StepAt(int32_t, int16_t) override { return 0; }
    int32_t AlterationAt(int32_t, int16_t, int16_t, int16_t) override { return 0; }
    int32_t AlterationAtCurrent(int32_t, int16_t) override { return 0; }
    void PlaceAtStep(cPObjBase *symbol, int32_t n) override {
        placedAt.push_back(n);
        symbol->SetY(kTop + n * half);
    }
    int32_t MoveOffLine(int32_t py) override { return py; }
    // Sharps on the top line, flats a line lower: enough to tell them apart.
    void PlaceKeySharp(cPObjBase *key) override {
        keyPlacements.push_back('#');
        key->SetY(kTop);
    }
    void PlaceKeyFlat(cPObjBase *key) override {
        keyPlacements.push_back('b');
        key->SetY(kTop + 2 * half);
    }
    void DrawLedgerLines(cMusicBase *) override {}
    cRectangl *LedgerLinesRect(cMusicBase *) override { return cRectangl::Temp(0, 0, 0, 0); }
    void ApplyMidiSetup(cPObjBase *, cMusicTrack *, int32_t) override {}
    int16_t SetDefaultClef(int16_t clef) override { return std::exchange(defaultClef, clef); }
    int16_t SetDefaultKey(int16_t key) override { return std::exchange(defaultKey, key); }
    uint16_t SetDefaultTime(int32_t, int32_t) override { return 0; }

    void RunContext(int32_t limitX, int32_t flags, sCommandPrm *) override {
        runs.push_back({limitX, flags});
        if (flags == -1 || (flags & 0x80)) SetRunningClef(contextClef);
        if (flags == -1 || (flags & 0x100)) SetRunningKey(contextKey);
    }

    bool Ran(int32_t limitX, int32_t flags) const {
        return std::find(runs.begin(), runs.end(), std::make_pair(limitX, flags)) != runs.end();
    }

    int32_t half;
    int16_t contextClef = 101;
    int16_t contextKey = 103;
    int16_t defaultClef = 0;
    int16_t defaultKey = 0;
    std::vector<int32_t> placedAt;
    std::vector<char> keyPlacements;
    std::vector<std::pair<int32_t, int32_t>> runs;
};

class ClefsAndKeys : public test::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        Build();
        gMusicState = sMusicState();
    }
    void TearDown() override {
        gMusicState = sMusicState();
        CatalogueTest::TearDown();
    }

    template <class T>
    static std::unique_ptr<T> Make(int32_t px = 0, int32_t py = 0) {
        auto obj = std::unique_ptr<T>(dynamic_cast<T *>(cPObjBase::NewById(T::kClassId)));
        obj->SetPosition(px, py);
        return obj;
    }
    // A new object of the class inserted into the owner at (x, y).
    template <class T>
    static T *Insert(cPObjOwnBase &owner, int32_t px, int32_t py) {
        auto *obj = dynamic_cast<T *>(cPObjBase::NewById(T::kClassId));
        obj->SetPosition(px, py);
        EXPECT_TRUE(owner.InsertChild(obj));
        return obj;
    }
};

// ---- clefs ----

TEST_F(ClefsAndKeys, EachClefPutsMiddleCAndTheFirstAccidentalsWhereItsConstantsSay) {
    struct sRow {
        int16_t id;
        int32_t middleC, firstSharp, firstFlat;
    };
    const sRow rows[] = {
        {ClefG::kClassId, 10, 0, 4},    {ClefG8::kClassId, 3, 0, 4},    {ClefF::kClassId, -2, 2, 6},
        {ClefAlto::kClassId, 4, 1, 5},  {ClefTenor::kClassId, 2, 6, 3}, {ClefPercussion1::kClassId, 4, -2, 6},
        {ClefPercussion2::kClassId, 4, -2, 6},
    };
    for (const sRow &r : rows) {
        SCOPED_TRACE(r.id);
        MusicBitMapClef *clef = ClefPrototype(r.id);
        ASSERT_NE(clef, nullptr);
        EXPECT_EQ(clef->GetTypeId(), r.id);
        EXPECT_EQ(clef->GetMiddleCPosition(), r.middleC);
        EXPECT_EQ(2 * clef->GetClefLine() + clef->GetFirstSharpOffset(), r.firstSharp);
        EXPECT_EQ(2 * clef->GetClefLine() + clef->GetFirstFlatOffset(), r.firstFlat);
        EXPECT_EQ(clef->GetTypeFlags(0) & kTypeClef, uint32_t(kTypeClef));
    }
}

TEST_F(ClefsAndKeys, EveryWalkThatMeetsAClefMakesItTheRunningClef) {
    auto clef = Make<ClefF>(40, 60);
    const std::pair<const char *, void (*)(MusicBitMapClef &)> walks[] = {
        {"pitch", [](MusicBitMapClef &c) { EXPECT_TRUE(c.GetMidiPitch().IsNone()); }},
        {"duration", [](MusicBitMapClef &c) { EXPECT_EQ(c.GetDurationTicks(), 0); }},
        {"layout", [](MusicBitMapClef &c) { c.LayoutTime(nullptr, 1000, 1); }},
        {"draw", [](MusicBitMapClef &c) { c.Draw(); }},
    };
    for (const auto &[name, walk] : walks) {
        SCOPED_TRACE(name);
        gMusicState = sMusicState();
        gMusicState.key = KeySig2Flat::kClassId;
        gMusicState.currentTime = 480;
        walk(*clef);
        EXPECT_EQ(gMusicState.clef, ClefF::kClassId);
        // Nothing else of the context changes.
        EXPECT_EQ(gMusicState.key, KeySig2Flat::kClassId);
        EXPECT_EQ(gMusicState.currentTime, 480);
    }
}

TEST_F(ClefsAndKeys, ClefsAndKeysMoveSidewaysOnlyInEveryEditMode) {
    auto clef = Make<ClefG>(40, 60);
    auto key = Make<KeySig2Sharp>(80, 60);
    for (uint32_t mode : {0u, uint32_t(kEditResize)}) {
        SCOPED_TRACE(mode);
        cPObjBase::SetEditMode(mode);
        for (cPObjPoint *obj : {static_cast<cPObjPoint *>(clef.get()), static_cast<cPObjPoint *>(key.get())}) {
            const int32_t x0 = obj->GetX();
            obj->MoveBy(0, 12);
            EXPECT_EQ(obj->GetY(), 60);
            EXPECT_EQ(obj->GetX(), x0);
            obj->MoveBy(-5, 7);
            EXPECT_EQ(obj->GetX(), x0 - 5);
            EXPECT_EQ(obj->GetY(), 60);
        }
    }
}

TEST_F(ClefsAndKeys, AClefGoesOnItsReferenceLineAndBecomesTheStaffsDefault) {
    auto staff = std::make_unique<cStandInStaff>(3);
    struct sRow {
        int16_t id;
        int32_t step;
    };
    for (const sRow r : {sRow{ClefG::kClassId, 6}, sRow{ClefF::kClassId, 2}, sRow{ClefTenor::kClassId, 2},
                         sRow{ClefAlto::kClassId, 4}}) {
        SCOPED_TRACE(r.id);
        gMusicState.clef = 0;
        cPObjPoint *clef = cPObjBase::NewById(r.id);
        clef->SetPosition(60, 7);
        ASSERT_TRUE(staff->InsertChild(clef));
        EXPECT_EQ(staff->placedAt.back(), r.step);
        EXPECT_EQ(clef->GetY(), cStandInStaff::kTop + 3 * r.step);
        EXPECT_EQ(staff->defaultClef, r.id);
        EXPECT_EQ(gMusicState.clef, r.id);
    }
    // An owner that is no staff neither places the clef nor takes it as a
    // default.
    auto group = std::make_unique<test::cListOwner>(34, kTypeNote);
    staff->defaultClef = 0;
    cPObjPoint *clef = Insert<ClefF>(*group, 10, 7);
    EXPECT_EQ(clef->GetY(), 7);
    EXPECT_EQ(staff->defaultClef, 0);
}

TEST_F(ClefsAndKeys, TransposingToAnotherClefExchangesTheClefOrDropsARepeatedOne) {
    auto staff = std::make_unique<cStandInStaff>(3);
    Insert<ClefG>(*staff, 50, 0);
    Insert<KeySig1Sharp>(*staff, 60, 0);

    // The context at the clef runs ClefG: the clef becomes a ClefF at the
    // same x, on the bass clef's line.
    cMusicBase::sCmdTranspose record(2, ClefF::kClassId);
    record.key = KeySig1Sharp::kClassId;
    auto *clef = dynamic_cast<MusicBitMapClef *>(staff->GetChild(0));
    EXPECT_EQ(clef->OnTranspose(&record), 0);
    EXPECT_TRUE(staff->Ran(50, 0x80));
    ASSERT_EQ(staff->GetChildCount(), 2);
    cPObjPoint *bass = staff->children.back();
    EXPECT_EQ(bass->GetTypeId(), ClefF::kClassId);
    EXPECT_EQ(bass->GetX(), 50);
    EXPECT_EQ(bass->GetY(), cStandInStaff::kTop + 2 * 3);
    // Later notes move from the old clef.
    EXPECT_EQ(record.clef, ClefG::kClassId);
    EXPECT_EQ(gMusicState.clef, ClefG::kClassId);
    EXPECT_EQ(gMusicState.key, KeySig1Sharp::kClassId);

    // Where ClefF runs already the clef would repeat it: it goes.
    staff->contextClef = ClefF::kClassId;
    cMusicBase::sCmdTranspose again(0, ClefF::kClassId);
    EXPECT_EQ(dynamic_cast<MusicBitMapClef *>(bass)->OnTranspose(&again), 0);
    ASSERT_EQ(staff->GetChildCount(), 1);
    EXPECT_EQ(staff->GetChild(0)->GetTypeId(), KeySig1Sharp::kClassId);
    EXPECT_EQ(again.clef, ClefF::kClassId);
}

TEST_F(ClefsAndKeys, WithoutATargetClefTransposingLeavesTheClefAsItIs) {
    auto staff = std::make_unique<cStandInStaff>(3);
    ClefAlto *clef = Insert<ClefAlto>(*staff, 50, 0);
    RaisedErrors errors;
    // No clef, and an id that names no clef.
    for (int32_t target : {0, 55, 0x10000 + ClefF::kClassId}) {
        SCOPED_TRACE(target);
        cMusicBase::sCmdTranspose record(5, target);
        EXPECT_EQ(clef->OnTranspose(&record), 0);
        EXPECT_EQ(record.clef, ClefAlto::kClassId);
        ASSERT_EQ(staff->GetChildCount(), 1);
        EXPECT_EQ(staff->GetChild(0), clef);
        EXPECT_TRUE(staff->runs.empty());
    }
    EXPECT_EQ(errors.Count(), 0);
}

#if !defined(_WIN32)
// The C clefs' picture is a font glyph whose hot spot belongs to the
// palette's bitmap: the glyph is drawn from its origin at the position, and
// the bounds and the hit area must lie around that ink.
TEST_F(ClefsAndKeys, TheCClefsBoundsHoldTheGlyphAsDrawn) {
    for (int16_t id : {ClefAlto::kClassId, ClefTenor::kClassId, ClefG::kClassId, ClefF::kClassId}) {
        SCOPED_TRACE(id);
        std::unique_ptr<cPObjPoint> clef(cPObjBase::NewById(id));
        clef->SetPosition(100, 120);
        window->ClearRecords();
        clef->Draw();
        ASSERT_EQ(window->Records().size(), 1u);
        const sDrawRecord &drawn = window->Records()[0];
        ASSERT_EQ(drawn.op, "DrawChars");
        ASSERT_EQ(drawn.text.size(), 1u);
        const cRectangl box = MusicGlyphBox(drawn.text[0], kMusicFontHeight);
        const int32_t inkLeft = drawn.args[0] + box.x, inkTop = drawn.args[1] + box.y;
        const int32_t inkRight = inkLeft + box.width - 1, inkBottom = inkTop + box.height - 1;

        // The edges lie one unit outside the ink on every side.
        EXPECT_EQ(clef->GetLeft(), inkLeft - 1);
        EXPECT_EQ(clef->GetTop(), inkTop - 1);
        EXPECT_EQ(clef->GetRight(), inkRight + 1);
        EXPECT_EQ(clef->GetBottom(), inkBottom + 1);
        const cRectangl image = *clef->GetImageRect();
        EXPECT_EQ(image.x, clef->GetLeft());
        EXPECT_EQ(image.y, clef->GetTop());
        // The ink's lowest row is hit, the row below the bounds is not.
        EXPECT_EQ(clef->HitTest((inkLeft + inkRight) / 2, inkBottom), 1);
        EXPECT_EQ(clef->HitTest((inkLeft + inkRight) / 2, inkBottom + 2), 0);
    }
    // The palette's picture keeps its hot spot.
    EXPECT_EQ(cShapeImg::ForClass(ClefAlto::kClassId)->GetHotSpotY(), 10);
}
#endif

// ---- key signatures: letters and transposition ----

TEST_F(ClefsAndKeys, AKeyAltersTheLettersOfItsAccidentalsInEveryOctave) {
    struct sRow {
        int16_t id;
        int32_t byLetter[7];  // C D E F G A B
    };
    const sRow rows[] = {
        {KeySig3Flat::kClassId, {0, 0, -1, 0, 0, -1, -1}},
        {KeySig7Sharp::kClassId, {1, 1, 1, 1, 1, 1, 1}},
        {KeySig2Sharp::kClassId, {1, 0, 0, 1, 0, 0, 0}},
        {KeySig7Flat::kClassId, {-1, -1, -1, -1, -1, -1, -1}},
        {KeySigC::kClassId, {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const sRow &r : rows) {
        KeySignature *key = KeyPrototype(r.id);
        ASSERT_NE(key, nullptr);
        for (int32_t step = -21; step <= 27; ++step) {
            const int32_t letter = ((step % 7) + 7) % 7;
            EXPECT_EQ(key->GetKeyAccidental(step), r.byLetter[letter]) << r.id << " step " << step;
        }
    }
}

TEST_F(ClefsAndKeys, AKeyTransposesAroundTheCircleOfFifths) {
    struct sRow {
        int16_t from;
        int32_t semitones;
        int16_t to;
    };
    const sRow rows[] = {
        {KeySig1Sharp::kClassId, 2, KeySig3Sharp::kClassId},  {KeySig1Sharp::kClassId, 1, KeySig4Flat::kClassId},
        {KeySig7Sharp::kClassId, 1, KeySig2Sharp::kClassId},  {KeySig6Sharp::kClassId, 2, KeySig4Flat::kClassId},
        {KeySigC::kClassId, 0, KeySigC::kClassId},            {KeySigC::kClassId, -1, KeySig5Sharp::kClassId},
        {KeySig3Flat::kClassId, -12, KeySig3Flat::kClassId},  {KeySig2Flat::kClassId, 7, KeySig1Flat::kClassId},
    };
    for (const sRow &r : rows) {
        EXPECT_EQ(KeyPrototype(r.from)->GetTransposedKeyId(r.semitones), r.to) << r.from << " by " << r.semitones;
    }
}

TEST_F(ClefsAndKeys, ATranspositionMovesNotesByTheStepsBetweenTheTonics) {
    struct sRow {
        int16_t key;
        int32_t semitones;
        int32_t steps;
    };
    const sRow rows[] = {
        {KeySigC::kClassId, 2, 1},       {KeySigC::kClassId, -2, -1},    {KeySigC::kClassId, 12, 7},
        {KeySigC::kClassId, -12, -7},    {KeySigC::kClassId, 5, 3},      {KeySigC::kClassId, -7, -4},
        {KeySigC::kClassId, 0, 0},       {KeySig1Sharp::kClassId, 2, 1}, {KeySig1Sharp::kClassId, -1, -1},
        // E flat to E major keeps the letter.
        {KeySig3Flat::kClassId, 1, 0},   {KeySig3Flat::kClassId, -1, -1},
    };
    for (const sRow &r : rows) {
        SCOPED_TRACE(r.semitones);
        gMusicState.key = r.key;
        EXPECT_EQ(KeySignature::TransposeSteps(r.semitones, 0), r.steps) << r.key;
    }
    // With nothing run yet the walks read C major: the same steps.
    for (const sRow &r : rows) {
        if (r.key != KeySigC::kClassId) continue;
        gMusicState.key = 0;
        EXPECT_EQ(KeySignature::TransposeSteps(r.semitones, 0), r.steps) << "no key run, " << r.semitones;
    }
}

TEST_F(ClefsAndKeys, ATargetClefKeepsTheNotesPitch) {
    // Under ClefG middle C lies 10 positions down, under ClefF -2: a note
    // read with the bass clef stands 12 steps lower on the staff.
    gMusicState.key = KeySigC::kClassId;
    for (int16_t running : {int16_t(0), ClefG::kClassId}) {
        gMusicState.clef = running;
        EXPECT_EQ(KeySignature::TransposeSteps(0, ClefF::kClassId), 12) << running;
        EXPECT_EQ(KeySignature::TransposeSteps(2, ClefF::kClassId), 13) << running;
        EXPECT_EQ(KeySignature::TransposeSteps(0, ClefG::kClassId), 0) << running;
    }
    gMusicState.clef = ClefAlto::kClassId;
    EXPECT_EQ(KeySignature::TransposeSteps(-12, ClefG::kClassId), -7 + 4 - 10);
}

TEST_F(ClefsAndKeys, PrototypesByCountFollowTheKeyTable) {
    for (int32_t count = -7; count <= 7; ++count) {
        KeySignature *key = KeySignature::PrototypeAt(count);
        ASSERT_NE(key, nullptr) << count;
        EXPECT_EQ(key->GetAccidentalCount(), count);
        EXPECT_EQ(key->GetTypeFlags(0) & kTypeKey, uint32_t(kTypeKey));
    }
    EXPECT_EQ(KeySignature::PrototypeAt(8), nullptr);
    EXPECT_EQ(KeySignature::PrototypeAt(-8), nullptr);
}

TEST_F(ClefsAndKeys, EveryWalkThatMeetsAKeyMakesItTheRunningKey) {
    auto key = Make<KeySig4Flat>(40, 60);
    const std::pair<const char *, void (*)(KeySignature &)> walks[] = {
        {"pitch", [](KeySignature &k) { EXPECT_TRUE(k.GetMidiPitch().IsNone()); }},
        {"duration", [](KeySignature &k) { EXPECT_EQ(k.GetDurationTicks(), 0); }},
        {"layout", [](KeySignature &k) { k.LayoutTime(nullptr, 1000, 1); }},
        {"draw", [](KeySignature &k) { k.Draw(); }},
    };
    for (const auto &[name, walk] : walks) {
        SCOPED_TRACE(name);
        gMusicState = sMusicState();
        gMusicState.clef = ClefF::kClassId;
        walk(*key);
        EXPECT_EQ(gMusicState.key, KeySig4Flat::kClassId);
        EXPECT_EQ(gMusicState.clef, ClefF::kClassId);
    }
    cMusicBase::sCmdExport record;
    EXPECT_EQ(key->OnExport(&record), 0);
}

// ---- key signatures: layout ----

// The positions in half spacings from the first accidental.
std::vector<int32_t> Layout(KeySignature &key, int32_t half) {
    key.ComputeAccidentalPositions();
    std::vector<int32_t> steps;
    for (int32_t i = 0; i < key.GetDrawCount(); ++i) {
        const int32_t offset = KeySignature::AccidentalPositions()[i] - key.GetY();
        EXPECT_EQ(offset % half, 0);
        steps.push_back(offset / half);
    }
    return steps;
}

using tSteps = std::vector<int32_t>;

TEST_F(ClefsAndKeys, OutsideAStaffAccidentalsAreLaidOutWithHalfSpacingSix) {
    auto sharps = Make<KeySig7Sharp>(30, 50);
    auto flats = Make<KeySig7Flat>(30, 50);
    auto naturals = Make<KeySigC>(30, 50);
    auto two = Make<KeySig2Flat>(30, 50);
    // No clef run yet reads as ClefG: the usual treble pattern.
    for (int16_t clef : {int16_t(0), ClefG::kClassId}) {
        SCOPED_TRACE(clef);
        gMusicState.clef = clef;
        EXPECT_EQ(Layout(*sharps, 6), (tSteps{0, 3, -1, 2, 5, 1, 4}));
        EXPECT_EQ(Layout(*flats, 6), (tSteps{0, -3, 1, -2, 2, -1, 3}));
        EXPECT_EQ(Layout(*naturals, 6), (tSteps{0, 3, -1, 2, 5, 1, 4}));
        EXPECT_EQ(Layout(*two, 6), (tSteps{0, -3}));
        EXPECT_EQ(KeySignature::AccidentalPositions()[1], 50 - 18);
        EXPECT_EQ(gMusicState.clef, clef);
    }
    // The tenor clef wraps its sharps lower.
    gMusicState.clef = ClefTenor::kClassId;
    EXPECT_EQ(Layout(*sharps, 6), (tSteps{0, -4, -1, -5, -2, -6, -3}));
    EXPECT_EQ(Layout(*flats, 6), (tSteps{0, -3, 1, -2, 2, -1, 3}));
}

TEST_F(ClefsAndKeys, InAStaffTheLayoutTakesTheStaffsSpacingAndClefAtTheKey) {
    auto staff = std::make_unique<cStandInStaff>(4);
    staff->contextClef = ClefTenor::kClassId;
    KeySig3Sharp *key = Insert<KeySig3Sharp>(*staff, 70, 0);
    gMusicState.clef = ClefG::kClassId;
    gMusicState.key = KeySig2Flat::kClassId;
    staff->runs.clear();
    EXPECT_EQ(Layout(*key, 4), (tSteps{0, -4, -1}));
    EXPECT_EQ(staff->runs, (std::vector<std::pair<int32_t, int32_t>>{{70, -1}}));
    // Asking for the layout leaves a walk's running context as it was.
    EXPECT_EQ(gMusicState.clef, ClefG::kClassId);
    EXPECT_EQ(gMusicState.key, KeySig2Flat::kClassId);
}

TEST_F(ClefsAndKeys, AKeysBoundsCoverItsAccidentalsPictures) {
    struct sRow {
        int16_t id;
        int32_t highest, lowest;  // positions in units below y, under ClefG
        int16_t accidental;
    };
    const sRow rows[] = {
        {KeySig1Sharp::kClassId, 0, 0, AccidSharpObject::kClassId},
        {KeySig2Flat::kClassId, -18, 0, AccidFlatObject::kClassId},
        {KeySig7Sharp::kClassId, -6, 30, AccidSharpObject::kClassId},
        {KeySigC::kClassId, -6, 30, AccidNaturalObject::kClassId},
    };
    for (const sRow &r : rows) {
        SCOPED_TRACE(r.id);
        std::unique_ptr<cPObjPoint> obj(cPObjBase::NewById(r.id));
        auto *key = dynamic_cast<KeySignature *>(obj.get());
        key->SetPosition(200, 300);
        cShapeImg *picture = cShapeImg::ForClass(r.accidental);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(key->GetLeft(), 193);
        EXPECT_EQ(key->GetRight(), 200 + 7 * key->GetDrawCount());
        EXPECT_EQ(key->GetTop(), 300 + r.highest + picture->TopAt(0) - 1);
        EXPECT_EQ(key->GetBottom(), 300 + r.lowest + picture->BottomAt(0) + 1);
    }
}

#if !defined(_WIN32)
TEST_F(ClefsAndKeys, CMajorDrawsSevenNaturalsWhereTheSharpsStand) {
    gMusicState.clef = ClefG::kClassId;
    auto naturals = Make<KeySigC>(40, 80);
    auto sharps = Make<KeySig7Sharp>(40, 80);
    std::vector<std::pair<int32_t, int32_t>> at[2];
    std::u16string glyphs[2];
    int n = 0;
    for (KeySignature *key : {static_cast<KeySignature *>(naturals.get()), static_cast<KeySignature *>(sharps.get())}) {
        window->ClearRecords();
        key->Draw();
        for (const sDrawRecord &r : window->Records()) {
            ASSERT_EQ(r.op, "DrawChars");
            at[n].push_back({r.args[0], r.args[1]});
            glyphs[n] += r.text;
        }
        ++n;
    }
    const std::vector<std::pair<int32_t, int32_t>> expected = {{40, 80},  {47, 98},  {54, 74}, {61, 92},
                                                                {68, 110}, {75, 86}, {82, 104}};
    EXPECT_EQ(at[0], expected);
    EXPECT_EQ(at[1], expected);
    EXPECT_EQ(glyphs[0], std::u16string(7, char16_t(0xD1A8)));
    EXPECT_EQ(glyphs[1], std::u16string(7, char16_t(0xD1A4)));
    EXPECT_EQ(gMusicState.key, KeySig7Sharp::kClassId);
}
#endif

// ---- key signatures in a staff ----

TEST_F(ClefsAndKeys, AKeyInAStaffIsPlacedByItsFamilyAndBecomesTheDefault) {
    auto staff = std::make_unique<cStandInStaff>(3);
    struct sRow {
        int16_t id;
        char placement;
        int32_t y;
    };
    const sRow rows[] = {
        {KeySig2Sharp::kClassId, '#', cStandInStaff::kTop},
        {KeySig3Flat::kClassId, 'b', cStandInStaff::kTop + 6},
        {KeySigC::kClassId, '#', cStandInStaff::kTop},
    };
    for (const sRow &r : rows) {
        SCOPED_TRACE(r.id);
        staff->keyPlacements.clear();
        gMusicState.key = 0;
        cPObjPoint *key = cPObjBase::NewById(r.id);
        key->SetPosition(80, 41);
        ASSERT_TRUE(staff->InsertChild(key));
        EXPECT_EQ(staff->keyPlacements, std::vector<char>{r.placement});
        EXPECT_EQ(key->GetY(), r.y);
        EXPECT_EQ(staff->defaultKey, r.id);
        EXPECT_EQ(gMusicState.key, r.id);
        // Dragged up or down it stays where the staff puts it.
        staff->keyPlacements.clear();
        key->MoveBy(4, -9);
        EXPECT_EQ(key->GetX(), 84);
        EXPECT_EQ(key->GetY(), r.y);
        EXPECT_TRUE(key->Recalculate());
        EXPECT_EQ(staff->keyPlacements.size(), 2u);
    }
    // Outside a staff nothing is placed.
    auto loose = Make<KeySig3Flat>(10, 41);
    EXPECT_TRUE(loose->OnInsert());
    EXPECT_TRUE(loose->Recalculate());
    EXPECT_EQ(loose->GetY(), 41);
}

TEST_F(ClefsAndKeys, TransposingAKeyExchangesItOrDropsARepeatedOne) {
    auto staff = std::make_unique<cStandInStaff>(3);
    Insert<KeySig1Sharp>(*staff, 60, 0);

    cMusicBase::sCmdTranspose record(2, 0);
    record.clef = ClefF::kClassId;
    auto *key = dynamic_cast<KeySignature *>(staff->GetChild(0));
    EXPECT_EQ(key->OnTranspose(&record), 0);
    EXPECT_TRUE(staff->Ran(60, 0x100));
    ASSERT_EQ(staff->GetChildCount(), 1);
    cPObjPoint *moved = staff->GetChild(0);
    EXPECT_EQ(moved->GetTypeId(), KeySig3Sharp::kClassId);
    EXPECT_EQ(moved->GetX(), 60);
    EXPECT_EQ(record.key, KeySig1Sharp::kClassId);
    EXPECT_EQ(gMusicState.key, KeySig1Sharp::kClassId);
    EXPECT_EQ(gMusicState.clef, ClefF::kClassId);

    // Where the transposed key runs already the key signature goes.
    staff->contextKey = KeySig5Sharp::kClassId;
    cMusicBase::sCmdTranspose again(2, 0);
    EXPECT_EQ(dynamic_cast<KeySignature *>(moved)->OnTranspose(&again), 0);
    EXPECT_EQ(staff->GetChildCount(), 0);
    EXPECT_EQ(again.key, KeySig3Sharp::kClassId);
}

}  // namespace
