// The score object: its record by the file's version, the text line, the
// foreign header, MIDI paths, the first staff, where dropped symbols and
// staffs go, re-spacing with an empty system, the brace flag and the music
// block.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "document/commands.h"
#include "document/music_commands.h"
#include "document/shape_images.h"
#include "foundation/memory_binary_file.h"
#include "midi/midi_track_base.h"
#include "foundation/text_util.h"
#include "platform/version_word.h"
#include "staves/score_object.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/log_capture.h"
#include "tests/support/test_menu.h"
#include "tests/test_support.h"
#include "ui/font_table.h"
#include "ui/graph_dvc.h"
#include "ui/menu_item.h"
#include "ui/music_font_metrics.h"

namespace {

constexpr uint32_t kProgramWord = 0x020C0500;
const std::string kNewerBox =
    "Box: File version alert!: This file was created with a newer version of the program and may not load properly.";

// Little-endian bytes of a record as a writer of the version laid it out.
class cRecord {
public:
    explicit cRecord(uint32_t version) : version(version) {}
    cRecord &U16(uint16_t v) {
        bytes += char(v & 0xFF);
        bytes += char(v >> 8);
        return *this;
    }
    cRecord &U32(uint32_t v) { return U16(uint16_t(v)).U16(uint16_t(v >> 16)); }
    // A position of 0: two bytes before 1.5.0, four before 1.6.0, then one.
    cRecord &Zero() {
        if (version < 0x1050000) return U16(0);
        if (version < 0x1060000) return U32(0);
        bytes += '\0';
        return *this;
    }
    // The empty document's record: position and size, unit flag, no
    // children, the font block without fonts.
    cRecord &Root() {
        Zero().Zero().Zero().Zero();
        bytes += '\0';
        return U16(0).U16(0).U16(0);
    }
    std::string bytes;

private:
    uint32_t version;
};

class ScoreObjectTest : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        gProgramStatus.word = kProgramWord;
        gFileVersion = kProgramWord;
        Build();
        cStaffBase::MakeDefaultTemplates();
        folder = test::MakeTempFolder("score_object");
        log = std::make_unique<test::LogCapture>("score_object_log");
        score = root.get();
    }
    void TearDown() override {
        log.reset();
        gProgramStatus = InitProgramStatus();
        gFileVersion = 0;
        StaffTest::TearDown();
    }

    StaffObject *AddFreeStaff(int32_t py) { return AddStaffAt(py); }
    // A system of staffs at the heights, inserted into the score.
    cMObjBrace *AddSystem(std::initializer_list<int32_t> heights) {
        auto *brace = new cMObjBrace;
        for (int32_t py : heights) {
            auto *staff = new StaffObject;
            staff->SetPosition(staff->GetX(), py);
            EXPECT_TRUE(brace->InsertChild(staff));
        }
        EXPECT_TRUE(score->InsertChild(brace));
        return brace;
    }
    // A quarter note dropped into the score at (x, y); null when refused.
    cPObjPoint *DropNote(int32_t px, int32_t py) {
        auto *note = new Note14;
        note->SetPosition(px, py);
        if (score->InsertChild(note)) return note;
        delete note;
        return nullptr;
    }
    std::u16string Path(const char *name) { return folder + WidenAscii(name); }

    std::u16string folder;
    std::unique_ptr<test::LogCapture> log;
    ScoreObject *score = nullptr;  // the fixture's
};

TEST_F(ScoreObjectTest, ANewScoreIsTheCurrentOneAndPlaysAt120WithRepeats) {
    EXPECT_EQ(ScoreObject::Current(), score);
    EXPECT_EQ(gCurrentDocument->GetTempo(), 120);
    EXPECT_EQ(gCurrentDocument->GetPlayRepeats(), 1);
    score->SetTempo(96);
    EXPECT_EQ(gCurrentDocument->GetTempo(), 96);
    // The time walk keeps its end times in the score.
    StaffObject *staff = AddFreeStaff(100);
    auto *note = new Note14;
    note->SetPosition(staff->GetX() + 100, 106);
    ASSERT_TRUE(staff->InsertChild(note));
    note->SetCurrentTime(0, 480);
    EXPECT_EQ(score->GetPendingEnds()->Earliest(), 480u);
    EXPECT_EQ(note->GetNextEndTime(), 480);
    {
        PointWindowObject plain;
        EXPECT_EQ(ScoreObject::Current(), nullptr);
    }
    gCurrentDocument = score;
}

// The record by the version gates: each layout is read to its last byte.
TEST_F(ScoreObjectTest, TheRecordLoadsByTheVersionOfTheFile) {
    struct sCase {
        uint32_t version;
        uint16_t tempo;
        int32_t repeats;
    };
    const sCase cases[] = {
        {0x1030500, 120, 1},  // before 1.4.0: the document's record only
        {0x1040200, 90, 1},   // 1.4.x: the tempo behind the document's record
        {0x1050000, 90, 1},   // from 1.5.0 in front
        {0x20A0B00, 90, 1},   // 2.10.11: still no play-repeats switch
        {0x20A0C00, 90, 0},   // from 2.10.12 the switch in front of the tempo
        {0x20C0501, 90, 0},   // the mode flags of the word do not count
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.version);
        const uint32_t v = MaskVersion(c.version);
        cRecord record(v);
        if (v >= 0x20A0C00) record.U32(0);
        if (v >= 0x1050000) record.U16(90);
        record.Root();
        if (v >= 0x1040000 && v < 0x1050000) record.U16(90);
        score->SetTempo(77);
        score->SetPlayRepeats(5);
        gFileVersion = c.version;
        cMemoryBinaryFile file(u"record", record.bytes);
        EXPECT_EQ(score->LoadBinary(&file, uint16_t(record.bytes.size())), 0);
        EXPECT_EQ(file.BytesLeft(), 0u);
        EXPECT_EQ(score->GetTempo(), c.tempo);
        EXPECT_EQ(score->GetPlayRepeats(), c.repeats);
    }
    // A stored tempo of 0 would never move on: the score plays at 120.
    cRecord stopped(kProgramWord);
    stopped.U32(1).U16(0).Root();
    gFileVersion = kProgramWord;
    cMemoryBinaryFile stoppedFile(u"stopped", stopped.bytes);
    EXPECT_EQ(score->LoadBinary(&stoppedFile, uint16_t(stopped.bytes.size())), 0);
    EXPECT_EQ(score->GetTempo(), 120);
    // Cut short before the tempo behind the record: refused.
    cRecord cut(0x1040000);
    cut.Root().U16(0).bytes.pop_back();
    gFileVersion = 0x1040000;
    cMemoryBinaryFile file(u"cut", cut.bytes);
    EXPECT_LT(score->LoadBinary(&file, uint16_t(cut.bytes.size())), 0);
}

TEST_F(ScoreObjectTest, TheRecordIsWrittenRepeatsAndTempoFirst) {
    score->SetTempo(0x1234);
    score->SetPlayRepeats(0);
    cMemoryBinaryFile file(u"out", "", cBinaryFileBase::kWrite);
    cPObjBase::sCmdFileSave save(&file);
    ASSERT_EQ(score->SaveBinary(&save), 0);
    cRecord expected(kProgramWord);
    expected.U32(0).U16(0x1234);
    EXPECT_EQ(file.Bytes().substr(0, 6), expected.bytes);
    EXPECT_EQ(file.Bytes().size(), score->DataSize());
}

TEST_F(ScoreObjectTest, TempoAndRepeatsSurviveTheFileAndTheTextForm) {
    AddFreeStaff(100);
    score->SetTempo(77);
    score->SetPlayRepeats(0);
    ASSERT_EQ(cPObjPoint::SaveFile(score, Path("tempo.pmr").c_str(), nullptr), 0);
    ASSERT_EQ(score->ExportTextFile(Path("tempo.txt").c_str(), nullptr), RC_OK);
    const std::string text = test::ReadFileBytes(Path("tempo.txt"));
    EXPECT_NE(text.find(" = 77, 0 owns 1\r\n"), std::string::npos) << text;

    for (const char *name : {"tempo.pmr", "tempo.txt"}) {
        SCOPED_TRACE(name);
        score->SetTempo(120);
        score->SetPlayRepeats(1);
        ASSERT_EQ(score->LoadFile(Path(name).c_str()), 0);
        EXPECT_EQ(score->GetTempo(), 77);
        EXPECT_EQ(score->GetPlayRepeats(), 0);
        EXPECT_EQ(score->GetChildCount(), 1);
    }
    // A text form of 2.10.11 has the tempo but no switch: repeats stay on.
    std::string older = text;
    older.replace(older.find("Version 2.12.5.0"), 16, "Version 2.10.11.0");
    older.replace(older.find(" = 77, 0 owns"), 13, " = 66 owns");
    test::WriteFileBytes(Path("older.txt"), older);
    score->SetPlayRepeats(0);
    ASSERT_EQ(score->LoadFile(Path("older.txt").c_str()), 0);
    EXPECT_EQ(score->GetTempo(), 66);
    EXPECT_EQ(score->GetPlayRepeats(), 1);
    EXPECT_EQ(log->Text(), "");
}

TEST_F(ScoreObjectTest, AfterLoadingEveryGlyphIsDrawnInTheMusicFont) {
    AddFreeStaff(100);
    ASSERT_EQ(cPObjPoint::SaveFile(score, Path("font.pmr").c_str(), nullptr), 0);
    const uint16_t musicFont = window->FindFont(kMusicFontFace, kMusicFontHeight, 0);
    ASSERT_NE(musicFont, kFontNone);
    gMusicFontIndex = kFontNone;
    ASSERT_EQ(score->LoadFile(Path("font.pmr").c_str()), 0);
    EXPECT_EQ(gMusicFontIndex, musicFont);
}

TEST_F(ScoreObjectTest, AVesterinFileGivesTheVersionAlertAndIsNotRead) {
    AddFreeStaff(100);
    ASSERT_EQ(cPObjPoint::SaveFile(score, Path("ours.pmr").c_str(), nullptr), 0);
    std::string bytes = "Vesterin\r\n" + std::string("1.0", 3) + std::string(1, '\0');
    bytes += test::ReadFileBytes(Path("ours.pmr"));
    test::WriteFileBytes(Path("foreign.pmr"), bytes);
    gFileVersion = 0x20A0C00;
    EXPECT_LT(score->LoadFile(Path("foreign.pmr").c_str()), 0);
    EXPECT_EQ(log->Text(), kNewerBox + "\r\n");
    EXPECT_EQ(score->GetChildCount(), 0);
    EXPECT_EQ(gFileVersion, 0x20A0C00u);
}

TEST_F(ScoreObjectTest, AMidiFileIsNotImportedYetButNamesTheScore) {
    // A header chunk of format 0, one track, 96 ticks, and an empty track.
    const std::string midi("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xFF\x2F\0", 26);
    for (const auto &[file, name] : {std::pair{"song.mid", "song.pmr"}, std::pair{"song", "song.pmr"}}) {
        SCOPED_TRACE(file);
        AddFreeStaff(100);
        test::WriteFileBytes(Path(file), midi);
        EXPECT_LT(score->LoadFile(Path(file).c_str()), 0);
        EXPECT_EQ(score->GetChildCount(), 0);
        EXPECT_EQ(std::u16string(score->GetFileName()), Path(name));
    }
}

TEST_F(ScoreObjectTest, TheFirstStaffStandsAtY40Emptied) {
    EXPECT_EQ(score->AddStaff(nullptr), 0);
    EXPECT_EQ(score->GetChildCount(), 0);
    auto *staff = new StaffObject;
    staff->SetPosition(staff->GetX(), 300);
    const int32_t x = staff->GetX();
    auto *note = new Note14;
    note->SetPosition(x + 100, 310);
    ASSERT_TRUE(staff->InsertChild(note));
    gDocumentFlags = 0x46;
    EXPECT_EQ(score->AddStaff(staff), 0);
    EXPECT_EQ(staff->GetY(), 40);
    EXPECT_EQ(staff->GetX(), x);
    EXPECT_EQ(staff->GetChildCount(), 0);
    EXPECT_EQ(staff->FindOwner(0, 0), score);
    EXPECT_EQ(gDocumentFlags, 0u);
}

// Two free staffs: a symbol goes to the staff it is dropped on, or to the
// nearer one across the gap between them.
TEST_F(ScoreObjectTest, ANoteDroppedBetweenTwoFreeStaffsGoesToTheNearer) {
    StaffObject *upper = AddFreeStaff(100);
    StaffObject *lower = AddFreeStaff(200);
    const int32_t gapMiddle = (upper->GetBottom() + lower->GetTop()) / 2;
    const struct {
        int32_t y;
        StaffObject *owner;
    } cases[] = {{60, upper}, {110, upper}, {gapMiddle - 5, upper}, {gapMiddle + 5, lower}, {210, lower},
                 {400, lower}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.y);
        cPObjPoint *note = DropNote(300, c.y);
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->FindOwner(0, 0), c.owner);
    }
    EXPECT_EQ(score->GetChildCount(), 2);
    // Without any staff the symbol is refused.
    score->Clear(0);
    EXPECT_EQ(DropNote(300, 100), nullptr);
}

// A system above a free staff: the system counts from its bottom, since the
// staff lies below its top.
TEST_F(ScoreObjectTest, ANoteBetweenASystemAndTheStaffBelowGoesToTheNearer) {
    cMObjBrace *system = AddSystem({100, 140});
    StaffObject *below = AddFreeStaff(400);
    ASSERT_EQ(below->FindOwner(0, 0), score);
    const int32_t systemBottom = system->GetY() + system->GetHeight();
    const int32_t middle = (systemBottom + below->GetY()) / 2;
    EXPECT_EQ(DropNote(300, middle - 5)->FindOwner(0, 0), system);
    EXPECT_EQ(DropNote(300, middle + 5)->FindOwner(0, 0), below);
    // Measured from the system's top the first would have gone below.
    EXPECT_GT(std::abs(system->GetY() - (middle - 5)), std::abs(below->GetY() - (middle - 5)));
}

TEST_F(ScoreObjectTest, AnEmptyStaffDraggedOntoASystemJoinsIt) {
    cMObjBrace *system = AddSystem({100, 140});
    StaffObject *overlapping = AddFreeStaff(150);
    EXPECT_EQ(overlapping->FindOwner(0, 0), system);
    StaffObject *free = AddFreeStaff(500);
    EXPECT_EQ(free->FindOwner(0, 0), score);

    // Dragged away from every system it stays free; onto one, it joins.
    free->SetPosition(free->GetX(), 700);
    free->ReinsertInOwner();
    EXPECT_EQ(free->FindOwner(0, 0), score);
    free->SetPosition(free->GetX(), system->GetY() + 10);
    free->ReinsertInOwner();
    EXPECT_EQ(free->FindOwner(0, 0), system);
    EXPECT_EQ(system->GetChildCount(), 4);

    // A staff with music keeps it apart.
    StaffObject *full = AddFreeStaff(800);
    auto *note = new Note14;
    note->SetPosition(full->GetX() + 100, 810);
    ASSERT_TRUE(full->InsertChild(note));
    full->SetPosition(full->GetX(), system->GetY() + 10);
    full->ReinsertInOwner();
    EXPECT_EQ(full->FindOwner(0, 0), score);
}

TEST_F(ScoreObjectTest, RespacingDeletesAnEmptySystemAndKeepsTheGap) {
    auto withNote = [this](int32_t py) {
        StaffObject *staff = AddFreeStaff(py);
        auto *note = new Note14;
        note->SetPosition(staff->GetX() + 100, py + 6);
        EXPECT_TRUE(staff->InsertChild(note));
        return staff;
    };
    // The same score without the empty system gives the heights to expect.
    withNote(40);
    withNote(240);
    score->SendCondense(kFailed, 10, nullptr);
    const int32_t firstY = score->GetChild(0)->GetY(), secondY = score->GetChild(1)->GetY();
    score->Clear(0);

    StaffObject *first = withNote(40);
    AddFreeStaff(140);
    StaffObject *third = withNote(240);
    gDocumentFlags = 0;
    score->SendCondense(kFailed, 10, nullptr);
    ASSERT_EQ(score->GetChildCount(), 2);
    EXPECT_EQ(score->GetChild(0), first);
    EXPECT_EQ(score->GetChild(1), third);
    EXPECT_EQ(first->GetY(), firstY);
    EXPECT_EQ(third->GetY(), secondY);
    EXPECT_TRUE(gDocumentFlags & 4);
}

TEST_F(ScoreObjectTest, RemovingTheLastBraceClearsTheScoreStaffFlags) {
    cMObjBrace *a = AddSystem({100});
    cMObjBrace *b = AddSystem({300});
    EXPECT_EQ(gScoreStaffFlags & 1, 1u);
    gScoreStaffFlags |= 2;
    delete a->Detach(0);
    EXPECT_EQ(gScoreStaffFlags, 3u);
    delete b->Detach(0);
    EXPECT_EQ(gScoreStaffFlags, 0u);
    // Clearing keeps the part templates.
    AddSystem({100});
    const int32_t templates = gStaffTemplates->Count();
    score->Clear(0);
    EXPECT_EQ(gScoreStaffFlags, 0u);
    ASSERT_NE(gStaffTemplates, nullptr);
    EXPECT_EQ(gStaffTemplates->Count(), templates);
}

// Bar numbers follow an edit only when the edit asked for them (0x40).
TEST_F(ScoreObjectTest, AnEditThatChangesBarsRenumbersThem) {
    StaffObject *staff = AddFreeStaff(100);
    auto *note = new Note14;
    note->SetPosition(staff->GetX() + 100, 106);
    ASSERT_TRUE(staff->InsertChild(note));
    auto *bar = new Bar;
    bar->SetPosition(staff->GetX() + 200, 100);
    ASSERT_TRUE(staff->InsertChild(bar));
    const int16_t unnumbered = bar->GetBarNumber();
    gHoverObject = nullptr;
    gDocumentFlags = 0;
    score->OnMouseMove(10, 10);
    EXPECT_EQ(bar->GetBarNumber(), unnumbered);
    gDocumentFlags = 0x40;
    score->OnMouseMove(20, 20);
    EXPECT_NE(bar->GetBarNumber(), unnumbered);
    EXPECT_EQ(bar->GetBarNumber(), 2);
}

TEST_F(ScoreObjectTest, WithoutAnOutputWindowNothingIsPrinted) {
    AddFreeStaff(100);
    gOutputWindow = nullptr;
#if !defined(_WIN32)
    window->TakeOps();
#endif
    EXPECT_EQ(score->PrintPages(), 0);
#if !defined(_WIN32)
    EXPECT_TRUE(window->TakeOps().empty());
#endif
}

TEST_F(ScoreObjectTest, TheExportPassCountsTheStaffsOfTheChild) {
    // A command 15 record seen by each child: a free staff walks one staff.
    AddFreeStaff(100);
    cMusicBase::sCmdExport record;
    record.pass = 7;
    void *state = nullptr;
    score->CommandToChild(kCmdExport, nullptr, &record, score->GetChild(0), nullptr, &state);
    EXPECT_EQ(record.pass, 1);
}

TEST_F(ScoreObjectTest, AMusicBlockSpansTheWholeHeightOfItsStaff) {
    StaffObject *staff = AddFreeStaff(100);
    auto *block = new cMusicBlock;
    EXPECT_EQ(block->GetFollowX(), 1);
    EXPECT_EQ(block->GetFollowY(), 0);
    block->SetPosition(staff->GetX() + 50, 300);
    block->SetSize(40, 4);
    ASSERT_TRUE(staff->InsertChild(block));
    EXPECT_EQ(block->GetY(), staff->GetTop() - 1);
    EXPECT_EQ(block->GetSizeHeight(), staff->GetSizeHeight() + 2);
    EXPECT_EQ(block->GetX(), staff->GetX() + 50);
}

// A player that keeps the tempo it is given.
class cTempoPlayer : public cMidiTrackBase {
public:
    cTempoPlayer() : cMidiTrackBase(480, 1024, nullptr) {}
    int32_t PutNote(int32_t, uint32_t, uint32_t) override { return 0; }
    void PutTempo(int32_t bpm) override { tempo = bpm; }
    void Play() override {}
    int32_t GetPlayState() override { return 0; }
    int32_t tempo = 0;
};

TEST_F(ScoreObjectTest, APlacedNoteSoundsAtTheScoresTempo) {
    std::vector<test::cTestMenu::sInstall> installs;
    test::cTestMenu menu{nullptr, 1, nullptr, &installs};
    menu.Sub(u"Setup", 600)->Leaf(u"Sound", 602);
    menu.CheckCommand(602);
    gMainMenu = &menu;
    cTempoPlayer player;
    cMusicTrack *const previous = gSoundOutput;
    gSoundOutput = &player;
    StaffObject *staff = AddFreeStaff(100);
    auto *note = new Note14;
    note->SetPosition(staff->GetX() + 100, 106);
    ASSERT_TRUE(staff->InsertChild(note));
    score->SetTempo(72);
    note->PlaySound();
    EXPECT_EQ(player.tempo, 72);
    gSoundOutput = previous;
    gMainMenu = nullptr;
}

}  // namespace
