// The score window's playback commands on the device-less MIDI driver: Play
// without an output device, what Play puts into the player, the notices of
// a pass, Stop, a replaced pass, Config during playback and the diagnostic
// dump.  The driver keeps the notices posted to the window; a test hands
// them to the window in the order they were posted, as the message loop
// would, and may edit the score before it does, as a user may while they
// wait in the queue.
#include "app/music_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/block_mark.h"
#include "document/symbol_tags.h"
#include "tests/app/music_window_fixture.h"
#include "tests/support/log_capture.h"
#if !defined(_WIN32)
#include "tests/support/dialog_script.h"
#endif

namespace {

constexpr uint32_t kPlay = 400, kStop = 401, kConfig = 402;
constexpr uint32_t kUserMessage = 0x400;
constexpr uint32_t kCancel = 2;
constexpr int16_t kBlockMarkId = 14;
constexpr const char *kDone = "Status: (MIDI done)";
constexpr const char *kMarkLine = "Status: (MIDI at ";
// What the window is called natively, where it has no window of the system.
const tWindowHandle kOwnWindow = reinterpret_cast<tWindowHandle>(uintptr_t(0x5150));

size_t Occurrences(const std::string &text, const std::string &piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

size_t CountKind(cPObjBase *symbol, int16_t typeId) {
    size_t n = 0;
    auto *owner = dynamic_cast<cPObjOwnBase *>(symbol);
    if (!owner) return 0;
    for (uint16_t i = 0; i < owner->GetChildSlots(); ++i) {
        cPObjPoint *child = owner->GetChild(i);
        if (!child) continue;
        n += child->GetTypeId() == typeId;
        n += CountKind(child, typeId);
    }
    return n;
}

class MusicPlayback : public test::MusicWinTest {
protected:
    void SetUp() override {
        MusicWinTest::SetUp();
        log = std::make_unique<test::LogCapture>("music_playback");
    }
    void TearDown() override {
        if (win) {
            win->OnStop();
            if (win->GetWindowHandle() == kOwnWindow) win->SetWindowHandle(nullptr);
        }
        MusicWinTest::TearDown();
        log.reset();
    }

    // Opens the window; natively it gets a handle for the notices to name.
    void OpenWindow() {
        ASSERT_EQ(win->Open(), RC_OK);
        if (!win->GetWindowHandle()) win->SetWindowHandle(kOwnWindow);
        staffs.clear();
        staffs.push_back(dynamic_cast<StaffObject *>(FirstStaff()));
        ASSERT_NE(staffs[0], nullptr);
    }
    // A second staff, played after the first.
    StaffObject *SecondStaff() {
        auto *staff = new StaffObject;
        staff->SetPosition(0, staffs.back()->GetY() + 80);
        EXPECT_TRUE(win->GetScore()->InsertChild(staff));
        staffs.push_back(staff);
        return staff;
    }
    // A quarter note `steps` diatonic steps below the staff's top line
    // (middle C is 10 under the treble clef).
    cPObjPoint *Note(StaffObject *staff, int32_t px, int32_t steps) {
        return PutOn(staff, Note14::kClassId, px, staff->GetY() + steps * staff->LineSpacing() / 2);
    }
    // C4, D4 and E4.
    std::vector<cPObjPoint *> ThreeNotes(StaffObject *staff) {
        return {Note(staff, 100, 10), Note(staff, 130, 9), Note(staff, 160, 8)};
    }
    cPObjBlockMark *MarkBlock() {
        auto *mark = new cPObjBlockMark;
        mark->PlaceIn(staffs[0], 90, staffs[0]->GetY());
        staffs[0]->AddChild(mark);
        mark->Open(staffs[0], 90, staffs[0]->GetY(), 50, 30);
        return mark;
    }
    cPObjPoint *Text() { return PutOn(staffs[0], MusicText::kClassId, 200, staffs[0]->GetY() - 10); }

    cMidiTrack &Player() { return *win->GetPlayer(); }
    std::vector<uint32_t> NoteOnKeys() {
        std::vector<uint32_t> keys;
        for (const auto &r : test::DecodeRecords(Player().Bytes(), uint32_t(Player().Count())))
            if ((r.word >> 24) == cMidiTrack::kEventShortMsg && (r.word & 0xF0) == 0x90 && (r.word >> 16 & 0xFF))
                keys.push_back(r.word >> 8 & 0xFF);
        return keys;
    }
    std::vector<uint32_t> MarkTags() {
        std::vector<uint32_t> tags;
        for (const auto &r : test::DecodeRecords(Player().Bytes(), uint32_t(Player().Count())))
            if ((r.word >> 24) == (cMidiTrack::kEventComment | cMidiTrack::kEventCallbackFlag) && r.data.size() == 4)
                tags.push_back(test::cFakeMidiDriver::Le32(r.data.data()));
        return tags;
    }
    std::vector<uint32_t> PlayedNoteOns() {
        std::vector<uint32_t> keys;
        for (uint32_t word : midi.driver.Played())
            if ((word & 0xF0) == 0x90 && (word >> 16 & 0xFF)) keys.push_back(word >> 8 & 0xFF);
        return keys;
    }

    // The notices posted to the window so far.
    std::vector<test::cFakeMidiDriver::sNotice> Posted() {
        std::vector<test::cFakeMidiDriver::sNotice> mine;
        for (const auto &n : midi.driver.Notices())
            if (n.window == win->GetWindowHandle()) mine.push_back(n);
        return mine;
    }
    // Waits until `count` end notices were posted to the window.
    bool PassesEnded(size_t count) {
        const tWindowHandle own = win->GetWindowHandle();
        return midi.driver.WaitForNotices([&](const std::vector<test::cFakeMidiDriver::sNotice> &all) {
            return size_t(std::count_if(all.begin(), all.end(), [&](const auto &n) {
                       return n.window == own && n.wParam == kMomDone;
                   })) >= count;
        });
    }
    tStatus Notice(uintptr_t wParam, intptr_t lParam) {
        sWinMessage record(kUserMessage, tWParam(wParam), tLParam(lParam));
        return win->OnMessage(kUserMessage, record);
    }
    // Hands the window the notices posted since the last delivery, in order.
    void Deliver() {
        const auto posted = Posted();
        for (; delivered < posted.size(); ++delivered) Notice(posted[delivered].wParam, posted[delivered].lParam);
    }
    tStatus Command(uint32_t id) {
        sWinMessage record(kMsgCommand, id, 0);
        return win->OnCommand(record);
    }
    std::string LogText() { return log->Text(); }
    // The highlight line of a symbol.
    static std::string MarkLine(cPObjPoint *symbol) {
        return std::string(kMarkLine) + "Staff @" + std::to_string(symbol->GetX()) + "," +
               std::to_string(symbol->GetY()) + ")";
    }

    std::unique_ptr<test::LogCapture> log;
    std::vector<StaffObject *> staffs;
    size_t delivered = 0;
};

TEST_F(MusicPlayback, WithoutAnOutputDevicePlayOnlyShowsTheMessage) {
    win.reset();
    midi.driver.hasMapper = false;  // and no device: the player gets no stream
    win = std::make_unique<MusicWin>(frame.get());
    OpenWindow();
    ASSERT_NE(win->GetPlayer(), nullptr);
    ThreeNotes(staffs[0]);
    const size_t before = Player().Count();
    midi.driver.ClearCalls();

    EXPECT_EQ(Command(kPlay), RC_OK);
    EXPECT_EQ(Occurrences(LogText(), "Box: MIDI Error: Check your MIDI setup"), 1u);
    EXPECT_EQ(Player().Count(), before) << "nothing was written into the player";
    EXPECT_EQ(Player().GetNotifyWindow(), nullptr);
    EXPECT_TRUE(Posted().empty());
    EXPECT_TRUE(midi.driver.Calls().empty());
}

TEST_F(MusicPlayback, ThePassPlaysToItsEndFollowedStaffByStaff) {
    OpenWindow();
    ThreeNotes(staffs[0]);
    StaffObject *second = SecondStaff();
    Note(second, 100, 7);  // F4
    MarkBlock();
    Text();
    ASSERT_EQ(CountKind(win->GetScore(), kBlockMarkId), 1u);
    Player().SetNotifyWindow(nullptr);

    EXPECT_EQ(Command(kPlay), RC_OK);
    EXPECT_EQ(Player().GetNotifyWindow(), win->GetWindowHandle());
    EXPECT_EQ(NoteOnKeys(), (std::vector<uint32_t>{60, 62, 64, 65}));
    EXPECT_EQ(MarkTags(), (std::vector<uint32_t>{TagOfSymbol(staffs[0]), TagOfSymbol(second)}))
        << "each staff marks where its music starts";
    ASSERT_TRUE(PassesEnded(1));
    EXPECT_EQ(PlayedNoteOns(), (std::vector<uint32_t>{60, 62, 64, 65}));

    Deliver();
    const std::string text = LogText();
    const size_t first = text.find(MarkLine(staffs[0]));
    const size_t next = text.find(MarkLine(second));
    const size_t end = text.find(kDone);
    ASSERT_NE(first, std::string::npos) << text;
    ASSERT_NE(next, std::string::npos) << text;
    ASSERT_NE(end, std::string::npos) << text;
    EXPECT_LT(first, next);
    EXPECT_LT(next, end);
    EXPECT_EQ(Occurrences(text, kMarkLine), 2u) << text;
    EXPECT_EQ(Occurrences(text, kDone), 1u) << text;
    EXPECT_EQ(CountKind(win->GetScore(), kBlockMarkId), 0u);
    EXPECT_EQ(Player().GetNotifyWindow(), nullptr);

    // The pass is over: a late notice changes nothing.
    Notice(kMomPositionCb, intptr_t(TagOfSymbol(second)));
    Notice(kMomDone, 0);
    EXPECT_EQ(Occurrences(LogText(), kMarkLine), 2u);
    EXPECT_EQ(Occurrences(LogText(), kDone), 1u);
}

TEST_F(MusicPlayback, TheEndOfAPassClearsATextSelectionButNotANoteSelection) {
    OpenWindow();
    std::vector<cPObjPoint *> notes = ThreeNotes(staffs[0]);
    cPObjPoint *text = Text();
    for (cPObjPoint *selected : {text, notes[2]}) {
        gSelectedObject = selected;
        ASSERT_EQ(Command(kStop), RC_OK);
        EXPECT_EQ(gSelectedObject, selected == text ? nullptr : selected) << "by Stop";

        gSelectedObject = nullptr;
        ASSERT_EQ(Command(kPlay), RC_OK);
        ASSERT_TRUE(PassesEnded(1));
        // Selected while the end notice waits in the queue.
        gSelectedObject = selected;
        Deliver();
        EXPECT_EQ(gSelectedObject, selected == text ? nullptr : selected) << "by the end of the pass";
        midi.driver.ClearNotices();
        delivered = 0;
    }
    EXPECT_EQ(Occurrences(LogText(), kDone), 2u);
}

TEST_F(MusicPlayback, WithASelectedSymbolPlayPlaysFromItWhateverTheRepeatSwitch) {
    OpenWindow();
    std::vector<cPObjPoint *> notes = ThreeNotes(staffs[0]);
    win->GetScore()->SetPlayRepeats(1);
    gSelectedObject = notes[1];
    EXPECT_EQ(Command(kPlay), RC_OK);
    EXPECT_EQ(NoteOnKeys(), std::vector<uint32_t>{62});
    EXPECT_EQ(gSelectedObject, notes[1]);
    ASSERT_TRUE(PassesEnded(1));
}

// Marks name symbols by tag, and the score goes on being edited while the
// notices wait in the queue: a mark may name a symbol deleted since, or one
// taken out of the score and kept for undo.
TEST_F(MusicPlayback, AMarkOfASymbolNoLongerInTheScoreHighlightsNothing) {
    OpenWindow();
    ThreeNotes(staffs[0]);
    StaffObject *deleted = SecondStaff();
    std::vector<cPObjPoint *> later = ThreeNotes(deleted);
    StaffObject *taken = SecondStaff();
    ThreeNotes(taken);
    ASSERT_EQ(Command(kPlay), RC_OK);
    ASSERT_EQ(MarkTags().size(), 3u);
    ASSERT_TRUE(PassesEnded(1));
    const std::string deletedLine = MarkLine(deleted);
    const std::string takenLine = MarkLine(taken);

    // A note still to come goes, then a whole staff; another staff is taken
    // out and kept, as an undo record keeps it.
    delete later[1]->Detach(0);
    delete deleted->Detach(0);
    std::unique_ptr<cPObjPoint> kept(taken->Detach(0));
    ASSERT_EQ(kept.get(), taken);
    Deliver();

    const std::string text = LogText();
    EXPECT_EQ(Occurrences(text, MarkLine(staffs[0])), 1u) << text;
    EXPECT_EQ(Occurrences(text, deletedLine), 0u) << text;
    EXPECT_EQ(Occurrences(text, takenLine), 0u) << text;
    EXPECT_EQ(Occurrences(text, kMarkLine), 1u) << text;
    EXPECT_EQ(Occurrences(text, kDone), 1u) << text;
}

TEST_F(MusicPlayback, AMarkThatNamesNoSymbolOfTheScoreIsIgnored) {
    OpenWindow();
    ThreeNotes(staffs[0]);
    ASSERT_EQ(Command(kPlay), RC_OK);
    ASSERT_TRUE(PassesEnded(1));
    const auto posted = Posted();
    // The start of the pass is followed by the staff's mark.
    ASSERT_GE(posted.size(), 3u);
    Notice(posted[0].wParam, posted[0].lParam);
    delivered = 1;
    struct sCase {
        const char *what;
        uintptr_t notice;
        intptr_t tag;
    };
    const sCase cases[] = {
        {"no symbol", kMomPositionCb, 0},
        {"a tag never given", kMomPositionCb, intptr_t(TagOfSymbol(staffs[0]) + 100000)},
        {"another notice", kMomClose, intptr_t(TagOfSymbol(staffs[0]))},
    };
    for (const sCase &c : cases) {
        EXPECT_EQ(Notice(c.notice, c.tag), RC_OK) << c.what;
        EXPECT_EQ(Occurrences(LogText(), kMarkLine), 0u) << c.what;
    }
    Deliver();
    EXPECT_EQ(Occurrences(LogText(), kMarkLine), 1u);
    EXPECT_EQ(Occurrences(LogText(), kDone), 1u);
}

TEST_F(MusicPlayback, StopSilencesThePassAndNothingLaterIsFollowed) {
    OpenWindow();
    ThreeNotes(staffs[0]);
    StaffObject *second = SecondStaff();
    ThreeNotes(second);
    cPObjPoint *text = Text();
    MarkBlock();
    midi.driver.musicScale = 1.0;  // real time: the pass lasts while the test runs
    ASSERT_EQ(Command(kPlay), RC_OK);
    // The first staff's mark is posted at once; the second only after the
    // first staff's notes, 1.5 seconds later.
    ASSERT_TRUE(midi.driver.WaitForNotices([&](const auto &all) {
        return std::any_of(all.begin(), all.end(), [](const auto &n) { return n.wParam == kMomPositionCb; });
    }));
    Deliver();
    EXPECT_EQ(Occurrences(LogText(), MarkLine(staffs[0])), 1u);
    gSelectedObject = text;

    midi.driver.ClearCalls();
    EXPECT_EQ(Command(kStop), RC_OK);
    EXPECT_EQ(Player().GetPlayState(), 0);
    const std::vector<std::string> calls = midi.driver.Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "stop"), calls.end());
    EXPECT_EQ(Player().GetNotifyWindow(), nullptr);
    EXPECT_EQ(gSelectedObject, nullptr) << "a selected text is deselected";
    EXPECT_EQ(CountKind(win->GetScore(), kBlockMarkId), 0u);
    EXPECT_LT(PlayedNoteOns().size(), 6u) << "stopped mid-way";

    // Stopped, the stream posts nothing more; what was queued, and a mark
    // that would have come late, are not followed.
    Deliver();
    Notice(kMomPositionCb, intptr_t(TagOfSymbol(second)));
    Notice(kMomDone, 0);
    EXPECT_EQ(Occurrences(LogText(), kMarkLine), 1u);
    EXPECT_EQ(Occurrences(LogText(), kDone), 0u) << "a stopped pass has no end";
}

// Play while notices of the previous pass still wait: they belong to a pass
// that is over and are passed over, the new pass is followed.
TEST_F(MusicPlayback, NoticesOfAReplacedPassAreIgnored) {
    OpenWindow();
    ThreeNotes(staffs[0]);
    ASSERT_EQ(Command(kPlay), RC_OK);
    ASSERT_TRUE(PassesEnded(1));
    ASSERT_EQ(Command(kPlay), RC_OK);
    ASSERT_TRUE(PassesEnded(2));
    Deliver();
    EXPECT_EQ(Occurrences(LogText(), MarkLine(staffs[0])), 1u) << LogText();
    EXPECT_EQ(Occurrences(LogText(), kDone), 1u) << LogText();

    // Stopped before its start was seen, a pass is not followed either.
    ASSERT_EQ(Command(kPlay), RC_OK);
    ASSERT_EQ(Command(kStop), RC_OK);
    Deliver();
    EXPECT_EQ(Occurrences(LogText(), kMarkLine), 1u) << LogText();
    EXPECT_EQ(Occurrences(LogText(), kDone), 1u) << LogText();
}

// The score that the tests of the running program play
// (tests/gui/playback_win_test.cpp) is written here by the score classes,
// and the checked-in copy must still equal what they write:
//   tests/gui/data/two_staffs.pmr  treble clef, C major, 4/4; the first
//       staff C4 to C5 in quarters with a bar line after F4 (four seconds
//       at the score's 120), the second C4, D4 and E4 in quarters
TEST_F(MusicPlayback, TheTwoStaffScoreOfTheProgramsTestsPlaysStaffByStaff) {
    const char *relative = "tests/gui/data/two_staffs.pmr";
    OpenWindow();
    gProgramStatus = InitProgramStatus();
    gFileVersion = gProgramStatus.word;
    StaffObject *second = SecondStaff();
    for (StaffObject *staff : staffs) {
        staff->SetStartClef(ClefG::kClassId);
        staff->SetStartKey(KeySigC::kClassId);
        PutOn(staff, Time44::kClassId, 60, staff->GetY() + 2 * staff->LineSpacing());
    }
    int32_t x = 100;
    for (int32_t steps = 10; steps >= 3; --steps) {
        Note(staffs[0], x, steps);
        x += steps == 7 ? 60 : 30;
    }
    PutOn(staffs[0], Bar::kClassId, 205, staffs[0]->GetY());
    ThreeNotes(second);
    win->GetScore()->SetFileName(u"two_staffs.pmr");
    const std::u16string written = test::MakeTempFolder("music_playback_fixture") + u"two_staffs.pmr";
    ASSERT_EQ(cPObjPoint::SaveFile(win->GetScore(), written.c_str(), nullptr), 0);
    gFileVersion = 0;
    const std::string bytes = test::ReadFileBytes(written);
    ASSERT_FALSE(bytes.empty());
    // The fonts the window finds go into the file, and they are the
    // system's own under Windows: the file is the native build's.
#if !defined(_WIN32)
    constexpr const char *kRewriteSetting = "PELMORA_WRITE_FIXTURES";
    const char *rewrite = std::getenv(kRewriteSetting);
    if (rewrite && *rewrite) test::WriteFileBytes(test::SourcePath(relative), bytes);
    EXPECT_TRUE(test::ReadFileBytes(test::SourcePath(relative)) == bytes)
        << relative << " is not what the score classes write now. If the change is meant, write it again with `"
        << kRewriteSetting << "=1 <build>/tests/app_tests --gtest_filter=MusicPlayback.TheTwoStaff*` (natively), "
        << "check that the tests of the running program still pass and commit it.";
#endif

    // Loaded as the program loads it, it plays both staffs, one after the other.
    ASSERT_EQ(win->LoadFile(test::SourcePath(relative).c_str()), RC_OK);
    staffs.clear();
    for (int32_t i = 0; i < win->GetScore()->GetChildCount(); ++i)
        if (auto *staff = dynamic_cast<StaffObject *>(win->GetScore()->GetChild(uint16_t(i)))) staffs.push_back(staff);
    ASSERT_EQ(staffs.size(), 2u);
    ASSERT_EQ(Command(kPlay), RC_OK);
    EXPECT_EQ(NoteOnKeys(), (std::vector<uint32_t>{60, 62, 64, 65, 67, 69, 71, 72, 60, 62, 64}));
    ASSERT_TRUE(PassesEnded(1));
    Deliver();
    const std::string text = LogText();
    const size_t first = text.find(MarkLine(staffs[0]));
    const size_t next = text.find(MarkLine(staffs[1]));
    ASSERT_NE(first, std::string::npos) << text;
    ASSERT_NE(next, std::string::npos) << text;
    EXPECT_LT(first, next);
    EXPECT_EQ(Occurrences(text, kDone), 1u);
}

#if !defined(_WIN32)
TEST_F(MusicPlayback, ConfigStopsPlaybackBeforeTheTempoDialogOpens) {
    OpenWindow();
    ThreeNotes(staffs[0]);
    cPObjPoint *text = Text();
    MarkBlock();
    midi.driver.musicScale = 1.0;
    ASSERT_EQ(Command(kPlay), RC_OK);
    ASSERT_EQ(Player().GetPlayState(), 2);
    gSelectedObject = text;

    uint32_t templateId = 0;
    tWindowHandle notifyInDialog = kOwnWindow;
    size_t marksInDialog = 99;
    test::ScriptScope scope([&](cDialogBox &d) {
        templateId = d.GetTemplateId();
        notifyInDialog = Player().GetNotifyWindow();
        marksInDialog = CountKind(win->GetScore(), kBlockMarkId);
        d.Command(kCancel);
    });
    EXPECT_EQ(Command(kConfig), RC_OK);
    EXPECT_EQ(templateId, 1006u);
    EXPECT_EQ(notifyInDialog, nullptr) << "stopped before the metronome could start";
    EXPECT_EQ(marksInDialog, 0u);
    EXPECT_EQ(gSelectedObject, nullptr);
    // Whatever the stopped pass had queued is not followed.
    Deliver();
    Notice(kMomDone, 0);
    EXPECT_EQ(Occurrences(LogText(), kDone), 0u);
}
#endif

// The dump goes into the current folder, here one whose name lies outside
// the 8-bit code page.
class MusicPlaybackDump : public MusicPlayback {
protected:
    void SetUp() override {
        MusicPlayback::SetUp();
        folder = test::MakeTempFolder("music_playback_dump") + u"\u266A\u0416/";
        ASSERT_EQ(gOpSys->CreateFolder(folder), RC_OK);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(test::FsPath(folder));
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        MusicPlayback::TearDown();
    }
    std::u16string folder;
    std::filesystem::path previous;
};

TEST_F(MusicPlaybackDump, DiagnosticModeWritesTheScoreNameAndTheEventsBeforePlaying) {
    OpenWindow();
    ThreeNotes(staffs[0]);
    test::WriteFileBytes(folder + u"MidiDump.txt", "an older dump");
    // Outside diagnostic mode there is no dump.
    ASSERT_EQ(Command(kPlay), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(folder + u"MidiDump.txt"), "an older dump");
    ASSERT_TRUE(PassesEnded(1));

    gProgramStatus.SetDebugMode(true);
    ASSERT_EQ(Command(kPlay), RC_OK);
    const std::string dump = test::ReadFileBytes(folder + u"MidiDump.txt");
    EXPECT_EQ(dump.rfind("Playing NoName.pmr\n", 0), 0u) << dump;
    EXPECT_EQ(Occurrences(dump, "****** New Track"), 1u) << dump;
    EXPECT_EQ(Occurrences(dump, "\n     Note channel"), 3u) << dump;
    ASSERT_TRUE(PassesEnded(2));
    EXPECT_EQ(PlayedNoteOns().size(), 6u);
}

TEST_F(MusicPlaybackDump, ADumpThatCannotBeWrittenLeavesPlaybackAlone) {
    gProgramStatus.SetDebugMode(true);
    OpenWindow();
    ThreeNotes(staffs[0]);
    // A folder stands where the file would go.
    ASSERT_EQ(gOpSys->CreateFolder(folder + u"MidiDump.txt"), RC_OK);
    ASSERT_EQ(Command(kPlay), RC_OK);
    EXPECT_EQ(NoteOnKeys(), (std::vector<uint32_t>{60, 62, 64}));
    ASSERT_TRUE(PassesEnded(1));
    EXPECT_EQ(gOpSys->IsFolder((folder + u"MidiDump.txt").c_str()), RC_OK);
    Deliver();
    EXPECT_EQ(Occurrences(LogText(), kDone), 1u);
}

}  // namespace
