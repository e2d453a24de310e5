// Notes away from a staff: the heads of each head kind, the class set-up of
// note heads, stem flipping, the note that spells a duration, the stored
// record (binary and text, with the heads and flags it may name), and the
// sound of a placed note.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "document/music_commands.h"
#include "foundation/ascii_file.h"
#include "midi/midi_track_base.h"
#include "tests/midi/memory_file.h"
#include "tests/notation/catalogue_fixture.h"
#include "tests/support/test_menu.h"

namespace {

class NotesTest : public test::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        Build();
    }

    template <class T>
    static T *Make(int16_t id) {
        return dynamic_cast<T *>(cPObjBase::NewById(id));
    }

    // The note of the group standing at x.
    static MusicBitMapNote *NoteAtX(cPObjOwnBase *group, int32_t px) {
        for (uint16_t i = 0; i < group->GetChildCount(); ++i)
            if (cPObjPoint *c = group->GetChild(i); c && c->GetX() == px) return dynamic_cast<MusicBitMapNote *>(c);
        return nullptr;
    }
};

TEST_F(NotesTest, EachClassTakesTheHeadOfItsKind) {
    struct sCase {
        int16_t classId, head;
        bool flip;
        int16_t answer;
    };
    const sCase cases[] = {
        {25, 43, false, 43}, {25, 43, true, 44},  {26, 43, false, 44}, {26, 44, true, 43},
        {27, 43, false, 45}, {27, 43, true, 46},  {28, 45, false, 46}, {28, 46, true, 45},
        {29, 43, false, 29}, {29, 43, true, 29},  {17, 56, false, 56}, {18, 55, false, 57},
        {27, 57, false, 54}, {29, 54, false, 54}, {23, 50, false, 52}, {28, 53, false, 51},
        {29, 51, false, 50}, {21, 49, false, 48}, {27, 48, false, 45}, {29, 48, false, 48},
        {24, 58, true, 58},  {28, 59, false, 46}, {29, 59, false, 58}, {68, 56, false, 54},
        {25, 60, false, 43},  // a flag id counts as oval
    };
    for (const sCase &c : cases)
        EXPECT_EQ(MusicBitMapNote::ClassForHead(c.classId, c.head, c.flip), c.answer)
            << c.classId << " " << c.head << " " << c.flip;
}

TEST_F(NotesTest, DiamondHeadsAsClassSetupReachNewNotesOfEveryValue) {
    auto *prototype = dynamic_cast<MusicBitMapNote *>(cPObjBase::PrototypeById(25));
    ASSERT_NE(prototype, nullptr);
    // Another family's record is refused and changes nothing.
    cMusicBase::sCmdStem stem;
    EXPECT_EQ(prototype->SetClassSetup(&stem), kFailed);

    std::unique_ptr<sCommandPrm> record(prototype->GetClassSetup(nullptr));
    auto *heads = dynamic_cast<cMusicBase::sCmdSetNoteHead *>(record.get());
    ASSERT_NE(heads, nullptr);
    EXPECT_EQ(heads->headGlyph, 43);
    EXPECT_EQ(heads->classId, 25);
    heads->headGlyph = 56;
    EXPECT_EQ(prototype->SetClassSetup(heads), 0);

    const std::pair<int16_t, int16_t> expected[] = {{25, 56}, {26, 57}, {23, 56}, {18, 57},
                                                    {27, 54}, {28, 55}, {29, 54}};
    for (const auto &[id, head] : expected) {
        std::unique_ptr<MusicBitMapNote> note(Make<MusicBitMapNote>(id));
        ASSERT_NE(note, nullptr) << id;
        EXPECT_EQ(note->GetHeadGlyph(), head) << id;
        EXPECT_EQ(note->GetHeadTypeId(), head) << id;
    }
    // The glyph classes keep their heads.
    std::unique_ptr<MusicBitMapNote> glyph(Make<MusicBitMapNote>(43));
    EXPECT_EQ(glyph->GetHeadGlyph(), 43);
}

TEST_F(NotesTest, ObjectSetupSetsTheHeadAndBecomesTheRepeatCommand) {
    std::unique_ptr<MusicBitMapNote> note(Make<MusicBitMapNote>(26));
    cMusicBase::sCmdSetNoteHead record(53, 26);
    EXPECT_EQ(note->SetObjectSetup(&record), 0);
    EXPECT_EQ(note->GetHeadGlyph(), 53);
    auto *kept = dynamic_cast<cMusicBase::sCmdSetNoteHead *>(cPObjBase::GetRepeatCommand());
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->headGlyph, 53);
    cMusicBase::sCmdStem stem;
    EXPECT_EQ(note->SetObjectSetup(&stem), kFailed);
    EXPECT_EQ(note->GetHeadGlyph(), 53);
    // Without a score window the dialog never opens.
    cPObjBase::SetCurrentWindow(nullptr);
    EXPECT_EQ(note->Setup(&record), 0);
}

TEST_F(NotesTest, ReversingAStemDownEighthMakesItsStemUpTwin) {
    auto *group = new cPObjGroup;
    auto *eighth = Make<MusicBitMapNote>(23);
    eighth->SetPosition(40, 60);
    auto *whole = Make<MusicBitMapNote>(29);
    whole->SetPosition(80, 60);
    auto *quarterUp = Make<MusicBitMapNote>(26);
    quarterUp->SetPosition(120, 60);
    ASSERT_TRUE(group->InsertChild(eighth));
    ASSERT_TRUE(group->InsertChild(whole));
    ASSERT_TRUE(group->InsertChild(quarterUp));

    cMusicBase::sCmdStem reverse(1);
    EXPECT_EQ(eighth->OnSetStem(&reverse), 0);  // eighth is gone now
    EXPECT_EQ(whole->OnSetStem(&reverse), 0);
    cMusicBase::sCmdStem allUp(0);
    EXPECT_EQ(quarterUp->OnSetStem(&allUp), 0);  // already up: stays

    ASSERT_EQ(group->GetChildCount(), 3);
    auto *twin = NoteAtX(group, 40);
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->GetTypeId(), 24);
    EXPECT_EQ(twin->GetHeadGlyph(), 44);
    EXPECT_EQ(twin->GetFlagGlyph(), 61);
    EXPECT_EQ(twin->GetStemLength(), -20);
    EXPECT_TRUE(twin->IsStemUp());
    EXPECT_EQ(twin->GetY(), 60);
    EXPECT_EQ(whole->GetTypeId(), 29);
    EXPECT_EQ(whole->GetStemLength(), 0);
    EXPECT_EQ(quarterUp->GetTypeId(), 26);

    // All down turns the twin back, with a diamond head kept diamond.
    twin->SetHeadGlyph(57);
    cMusicBase::sCmdStem allDown(2);
    EXPECT_EQ(twin->OnSetStem(&allDown), 0);
    auto *back = NoteAtX(group, 40);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetTypeId(), 23);
    EXPECT_EQ(back->GetHeadGlyph(), 56);
    EXPECT_EQ(back->GetFlagGlyph(), 60);
    EXPECT_EQ(back->GetStemLength(), 20);
    delete group;

    // A note without an owner is left alone.
    std::unique_ptr<MusicBitMapNote> loose(Make<MusicBitMapNote>(23));
    EXPECT_EQ(loose->OnSetStem(&reverse), 0);
    EXPECT_EQ(loose->GetStemLength(), 20);
}

TEST_F(NotesTest, NoteForDurationSpellsTheLongestValue) {
    struct sCase {
        int32_t ticks;
        int16_t holder;  // 0: the note itself
        int16_t note;
    };
    const sCase cases[] = {
        {-5, 0, 18},    {10, 0, 18},    {30, 0, 18},    {45, 30, 18},   {60, 0, 20},   {90, 30, 20},
        {120, 0, 22},   {240, 0, 24},   {480, 0, 26},   {600, 0, 26},  {720, 30, 26}, {840, 31, 26},
        {960, 0, 28},   {1440, 30, 28}, {1920, 0, 29},  {3840, 0, 29}, {15360, 0, 29}, {15361, 0, 29},
        {1000000, 0, 29},
    };
    for (const sCase &c : cases) {
        std::unique_ptr<cPObjPoint> made(cMusicBase::NoteForDuration(c.ticks));
        ASSERT_NE(made, nullptr) << c.ticks;
        cPObjPoint *note = made.get();
        if (c.holder) {
            EXPECT_EQ(made->GetTypeId(), c.holder) << c.ticks;
            auto *dot = dynamic_cast<SingleOwnerObject *>(made.get());
            ASSERT_NE(dot, nullptr) << c.ticks;
            note = dot->GetAttached();
            ASSERT_NE(note, nullptr) << c.ticks;
            EXPECT_EQ(note->FindOwner(0, 0), dot);
        }
        EXPECT_EQ(note->GetTypeId(), c.note) << c.ticks;
    }
}

TEST_F(NotesTest, AwayFromAStaffANoteSoundsMiddleC) {
    std::unique_ptr<MusicBitMapNote> note(Make<MusicBitMapNote>(25));
    note->SetPosition(10, -300);
    EXPECT_EQ(note->GetMidiPitch().value, 0);
}

// ---- the font note ----

// A font note keeps its glyph value, and the place it stood when made is
// where it is drawn, however it moves after.  A copy is made from the head
// and glyph value of the note asked; the rest is the class's.
TEST_F(NotesTest, AFontNoteCopiesItsHeadAndGlyphValueAndDrawsWhereItWasMade) {
    auto *prototype = dynamic_cast<MusicFontNote *>(cPObjBase::PrototypeById(47));
    ASSERT_NE(prototype, nullptr);
    EXPECT_EQ(prototype->GetGlyphValue(), 0);
    EXPECT_EQ(prototype->GetHeadGlyph(), 43);

    std::unique_ptr<MusicFontNote> made(new MusicFontNote(56, 0xD118));
    made->SetFlagGlyph(60);
    made->SetStemLength(-7);
    made->SetPosition(30, 40);
    EXPECT_EQ(made->GetGlyphValue(), 0xD118);
    EXPECT_EQ(made->GetHeadGlyph(), 56);
    EXPECT_EQ(made->GetDrawX(), 0);
    EXPECT_EQ(made->GetDrawY(), 0);
    EXPECT_EQ(made->GetX(), 30);

    std::unique_ptr<cPObjPoint> copy(cPObjPoint::NewSameClassNamed(made.get()));
    auto *font = dynamic_cast<MusicFontNote *>(copy.get());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetGlyphValue(), 0xD118);
    EXPECT_EQ(font->GetHeadGlyph(), 56);
    EXPECT_EQ(font->GetFlagGlyph(), 0);
    EXPECT_EQ(font->GetStemLength(), 20);
    EXPECT_EQ(font->GetDrawX(), 0);
    EXPECT_EQ(font->GetDrawY(), 0);
}

// ---- storage ----

TEST_F(NotesTest, TheBinaryRecordCarriesHeadFlagAndStemFromVersion2_12_2) {
    gFileVersion = 0x20C0200;
    std::unique_ptr<MusicBitMapNote> note(Make<MusicBitMapNote>(24));
    note->SetPosition(30, 70);
    note->SetHeadGlyph(57);
    note->SetStemLength(-26);
    test::cMemoryFile out({}, cBinaryFileBase::kWrite);
    cPObjBase::sCmdFileSave save(&out);
    ASSERT_EQ(note->SaveBinary(&save), 0);
    const std::string bytes = out.Bytes();
    ASSERT_EQ(bytes.size(), note->DataSize());
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x39\x00\x3D\x00\xE6\xFF\xFF\xFF", 8));

    std::unique_ptr<MusicBitMapNote> back(Make<MusicBitMapNote>(24));
    test::cMemoryFile in(bytes);
    ASSERT_EQ(back->LoadBinary(&in, uint16_t(bytes.size())), 0);
    EXPECT_EQ(back->GetHeadGlyph(), 57);
    EXPECT_EQ(back->GetFlagGlyph(), 61);
    EXPECT_EQ(back->GetStemLength(), -26);
    EXPECT_EQ(back->GetX(), 30);
    EXPECT_EQ(back->GetY(), 70);

    // A record cut short fails.
    for (size_t cut : {size_t(0), size_t(3), size_t(7)}) {
        test::cMemoryFile shortIn(bytes.substr(0, cut));
        EXPECT_EQ(back->LoadBinary(&shortIn, 0), kFailed) << cut;
    }

    // Heads and flags outside the pictures of notes keep the class's own.
    struct sIds {
        uint16_t head, flag;
        int16_t keptHead, keptFlag;
    };
    for (const sIds &c : {sIds{186, 7, 44, 61}, sIds{7, 43, 44, 61}, sIds{47, 0, 44, 0}, sIds{29, 66, 29, 66},
                          sIds{68, 65, 68, 65}, sIds{0xFFFF, 0xFFFF, 44, 61}}) {
        std::string patched = bytes;
        patched[0] = char(c.head & 0xFF);
        patched[1] = char(c.head >> 8);
        patched[2] = char(c.flag & 0xFF);
        patched[3] = char(c.flag >> 8);
        std::unique_ptr<MusicBitMapNote> loaded(Make<MusicBitMapNote>(24));
        test::cMemoryFile patchedIn(patched);
        ASSERT_EQ(loaded->LoadBinary(&patchedIn, uint16_t(patched.size())), 0);
        EXPECT_EQ(loaded->GetHeadGlyph(), c.keptHead) << c.head;
        EXPECT_EQ(loaded->GetFlagGlyph(), c.keptFlag) << c.flag;
    }
}

TEST_F(NotesTest, AFileOfVersion2_12_1LoadsNotesWithThePrototypesFields) {
    // The prototype has diamond heads by now: old notes get them too.
    cMusicBase::sCmdSetNoteHead diamond(56, 25);
    ASSERT_EQ(cPObjBase::PrototypeById(25)->SetClassSetup(&diamond), 0);
    gFileVersion = 0x20C0100;
    std::unique_ptr<MusicBitMapNote> note(Make<MusicBitMapNote>(23));
    note->SetPosition(30, 70);
    test::cMemoryFile out({}, cBinaryFileBase::kWrite);
    cPObjBase::sCmdFileSave save(&out);
    // The writer writes the current record; an old file is only read here.
    const uint16_t baseSize = uint16_t(note->DataSize() - 8);
    ASSERT_EQ(note->MusicBitMap::SaveBinary(&save), 0);
    ASSERT_EQ(out.Bytes().size(), baseSize);

    std::unique_ptr<MusicBitMapNote> back(Make<MusicBitMapNote>(23));
    test::cMemoryFile in(out.Bytes());
    ASSERT_EQ(back->LoadBinary(&in, baseSize), 0);
    EXPECT_EQ(back->GetX(), 30);
    EXPECT_EQ(back->GetY(), 70);
    EXPECT_EQ(back->GetHeadGlyph(), 56);
    EXPECT_EQ(back->GetFlagGlyph(), 60);
    EXPECT_EQ(back->GetStemLength(), 20);
    gFileVersion = 0x1000000;
}

TEST_F(NotesTest, TheTextFormAddsHeadFlagAndStem) {
    std::unique_ptr<MusicBitMapNote> note(Make<MusicBitMapNote>(17));
    note->SetPosition(12, 34);
    std::ostringstream text;
    cPObjBase::sCmdExpAsc exportRecord(&text);
    ASSERT_EQ(note->ExportText(&exportRecord), 0);
    EXPECT_NE(text.str().find(" = 43, 66, 23"), std::string::npos) << text.str();

    struct sCase {
        std::string line;
        int16_t head, flag;
        int32_t stem;
    };
    const sCase cases[] = {
        {"@ 12, 34 = 57, 67, -23", 57, 67, -23},
        {"@ 12, 34 = 186, 7, 5", 43, 66, 5},    // foreign ids keep the class's
        {"@ 12, 34 = 29, 0, 0", 29, 0, 0},
        {"@ 12, 34", 43, 66, 23},               // no fields: the class's
    };
    for (const sCase &c : cases) {
        std::unique_ptr<MusicBitMapNote> back(Make<MusicBitMapNote>(17));
        const std::string text = c.line + "\n";
        cAsciiFile in(text.data(), text.size());
        cPObjBase::sCmdImpAsc importRecord(&in);
        EXPECT_EQ(back->ImportText(&importRecord), 0) << c.line;
        EXPECT_EQ(back->GetX(), 12) << c.line;
        EXPECT_EQ(back->GetY(), 34) << c.line;
        EXPECT_EQ(back->GetHeadGlyph(), c.head) << c.line;
        EXPECT_EQ(back->GetFlagGlyph(), c.flag) << c.line;
        EXPECT_EQ(back->GetStemLength(), c.stem) << c.line;
    }
}

// ---- the placement sound ----

// A player that notes what it is asked; its play state is the test's.
class cRecordingPlayer : public cMidiTrackBase {
public:
    cRecordingPlayer() : cMidiTrackBase(480, 1024, nullptr) {}
    int32_t PutNote(int32_t pitch, uint32_t start, uint32_t duration) override {
        notes.push_back({pitch, int32_t(start), int32_t(duration)});
        return 0;
    }
    void PutTempo(int32_t bpm) override { tempo = bpm; }
    void Play() override { ++plays; }
    int32_t GetPlayState() override { return state; }

    std::vector<std::vector<int32_t>> notes;
    int32_t tempo = 0;
    int32_t plays = 0;
    int32_t state = 0;
};

class PlacementSoundTest : public NotesTest {
protected:
    void SetUp() override {
        NotesTest::SetUp();
        setup = menu.Sub(u"Setup", 600);
        setup->Leaf(u"Sound", 602);
        gMainMenu = &menu;
        previous = gSoundOutput;
        gSoundOutput = &player;
    }
    void TearDown() override {
        gSoundOutput = previous;
        gMainMenu = nullptr;
        NotesTest::TearDown();
    }

    std::vector<test::cTestMenu::sInstall> installs;
    test::cTestMenu menu{nullptr, 1, nullptr, &installs};
    test::cTestMenu *setup = nullptr;
    cRecordingPlayer player;
    cMusicTrack *previous = nullptr;
};

TEST_F(PlacementSoundTest, ANoteSoundsOnlyWhileSoundIsTickedAndThePlayerIsIdle) {
    std::unique_ptr<MusicBitMapNote> note(Make<MusicBitMapNote>(25));
    note->PlaySound();
    EXPECT_TRUE(player.notes.empty()) << "Sound unticked";

    menu.CheckCommand(602);
    player.state = 1;
    note->PlaySound();
    EXPECT_TRUE(player.notes.empty()) << "the player plays";

    player.state = 0;
    note->PlaySound();
    ASSERT_EQ(player.notes.size(), 1u);
    EXPECT_EQ(player.notes[0], (std::vector<int32_t>{0, 0, 60}));
    EXPECT_EQ(player.tempo, 120);
    EXPECT_EQ(player.plays, 1);
    EXPECT_EQ(gTicksPerQuarter, 480u);

    // Symbols without a pitch, and no output at all, make no sound.
    std::unique_ptr<cPObjPoint> rest(cPObjBase::NewById(76));
    rest->PlaySound();
    EXPECT_EQ(player.notes.size(), 1u);
    gSoundOutput = nullptr;
    note->PlaySound();
    gMainMenu = nullptr;
    gSoundOutput = &player;
    note->PlaySound();
    EXPECT_EQ(player.notes.size(), 1u);
}

TEST_F(PlacementSoundTest, ANoteSoundsWhenADragStartsAndWhenItsHeightChanges) {
    menu.CheckCommand(602);
    std::unique_ptr<MusicBitMapNote> note(Make<MusicBitMapNote>(25));
    note->SetPosition(50, 50);
    note->BeginDrag(50, 50, kHitMove);
    EXPECT_EQ(player.notes.size(), 1u);
    note->EndDrag();
    cPObjBase::SetEditMode(kEditResize);
    note->MoveBy(4, 0);
    EXPECT_EQ(player.notes.size(), 1u) << "sideways only: no sound";
    note->MoveBy(0, 3);
    EXPECT_EQ(player.notes.size(), 2u);
    cPObjBase::SetEditMode(0);
}

}  // namespace
