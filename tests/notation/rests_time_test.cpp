// Rests and time signatures on their own: the rest classes and the rests
// that spell a duration, how rests move and draw; the numbers and running
// time word of every time signature, their tempo (class default, set-up
// records, export), their binary and text records, old and damaged ones
// included, and the free time signature's digits.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "document/music_commands.h"
#include "foundation/ascii_file.h"
#include "foundation/memory_binary_file.h"
#include "notation/duration_spelling.h"
#include "tests/notation/catalogue_fixture.h"
#include "tests/support/recording_music_track.h"
#include "ui/graph_dvc.h"
#include "ui/music_font_metrics.h"

namespace {

class RestsAndTime : public test::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        Build();
        gMusicState = sMusicState();
        TimeC::SetClassTempo(0);
        TimeAny::SetDefaults(5, 2);
    }
    void TearDown() override {
        TimeC::SetClassTempo(0);
        TimeAny::SetDefaults(5, 2);
        gMusicState = sMusicState();
        CatalogueTest::TearDown();
    }

    template <class T>
    static std::unique_ptr<T> Make(int16_t id) {
        return std::unique_ptr<T>(dynamic_cast<T *>(cPObjBase::NewById(id)));
    }
};

// ---- rests -------------------------------------------------------------------

TEST_F(RestsAndTime, EveryRestClassTakesItsTimeAndHasNoPitch) {
    struct sCase {
        int16_t id;
        const char16_t *name;
        int32_t duration;
    };
    const sCase cases[] = {{72, u"Rest164", 30}, {73, u"Rest132", 60}, {74, u"Rest116", 120}, {75, u"Rest18", 240},
                           {76, u"Rest14", 480}, {77, u"Rest12", 960},  {78, u"Rest11", 1920}};
    for (const sCase &c : cases) {
        auto rest = Make<Rest116>(c.id);
        ASSERT_TRUE(rest) << c.id;
        EXPECT_EQ(std::u16string(rest->GetTypeName()), c.name);
        EXPECT_EQ(rest->GetDurationTicks(), c.duration) << c.id;
        EXPECT_EQ(rest->GetTypeFlags(c.id), uint32_t(kTypeRest | kTypeIdMatch)) << c.id;
        EXPECT_EQ(rest->GetHelpTopic(), 1026);
        EXPECT_TRUE(rest->GetMidiPitch().IsNone());
        std::unique_ptr<cPObjPoint> copy(rest->NewSameClass());
        EXPECT_EQ(copy->GetTypeId(), c.id);
    }
}

TEST_F(RestsAndTime, RestForDurationSpellsTheLongestValueThatFits) {
    struct sCase {
        int32_t ticks;
        int16_t dot;   // 0: none, 30 dot, 31 double dot
        int16_t rest;  // the rest's class
    };
    const sCase cases[] = {
        {600, 0, 76},    {1440, 30, 77}, {2880, 30, 78}, {1680, 31, 77},  {480, 0, 76},     {720, 30, 76},
        {10, 0, 72},     {0, 0, 72},     {-5, 0, 72},    {45, 30, 72},    {1920, 0, 78},    {15360, 0, 78},
        {99999, 0, 78},  {3840, 0, 78},  {5760, 30, 78}, {120, 0, 74},
    };
    for (const sCase &c : cases) {
        std::unique_ptr<cPObjPoint> made(cMusicBase::RestForDuration(c.ticks));
        ASSERT_TRUE(made) << c.ticks;
        cPObjPoint *rest = made.get();
        if (c.dot) {
            EXPECT_EQ(made->GetTypeId(), c.dot) << c.ticks;
            auto *dot = dynamic_cast<SingleOwnerObject *>(made.get());
            ASSERT_TRUE(dot && dot->GetAttached()) << c.ticks;
            rest = dot->GetAttached();
            EXPECT_EQ(rest->FindOwner(0, 0), dot);
        }
        EXPECT_EQ(rest->GetTypeId(), c.rest) << c.ticks;
    }
    // The spelling itself: index and dots.
    EXPECT_EQ(SpellDuration(840).index, 5);
    EXPECT_EQ(SpellDuration(840).dots, 2);
    EXPECT_EQ(SpellDuration(15360).index, 10);
}

TEST_F(RestsAndTime, ARestMovesUpAndDownOnlyInTheResizeMode) {
    auto rest = Make<cPObjPoint>(76);
    rest->SetPosition(50, 60);
    gEditMode = kEditResize - 1;
    rest->MoveBy(5, 7);
    EXPECT_EQ(rest->GetX(), 55);
    EXPECT_EQ(rest->GetY(), 60);
    gEditMode = kEditResize;
    rest->MoveBy(5, 7);
    EXPECT_EQ(rest->GetX(), 60);
    EXPECT_EQ(rest->GetY(), 67);
}

#if !defined(_WIN32)
TEST_F(RestsAndTime, HalfAndWholeRestsAreBitmapsCentredOnTheirPoint) {
    for (int16_t id : {int16_t(77), int16_t(78)}) {
        auto rest = Make<cPObjPoint>(id);
        rest->SetPosition(100, 50);
        window->ClearRecords();
        rest->Draw();
        ASSERT_EQ(window->Records().size(), 1u) << id;
        const sDrawRecord &drawn = window->Records()[0];
        EXPECT_EQ(drawn.op, "DrawBitmap");
        // The 12 x 8 box around (100, 50).
        EXPECT_EQ(drawn.args, (std::vector<int32_t>{94, 46, 12, 8})) << id;
    }
    // The shorter rests are the music font's glyphs at their point.
    const char16_t glyphs[] = {0xD160, 0xD161, 0xD162, 0xD163, 0xD164};
    for (int16_t id = 72; id <= 76; ++id) {
        auto rest = Make<cPObjPoint>(id);
        rest->SetPosition(100, 50);
        window->ClearRecords();
        rest->Draw();
        ASSERT_EQ(window->Records().size(), 1u) << id;
        const sDrawRecord &drawn = window->Records()[0];
        EXPECT_EQ(drawn.op, "DrawChars");
        EXPECT_EQ(drawn.text, std::u16string(1, glyphs[id - 72])) << id;
        EXPECT_EQ(drawn.args[0], 100);
        EXPECT_EQ(drawn.args[1], 50);
    }
}
#endif

// ---- time signatures: numbers and the running time ---------------------------

TEST_F(RestsAndTime, EveryWalkThatMeetsATimeSignatureTakesItsTimeWord) {
    struct sCase {
        int16_t id;
        uint16_t word;
    };
    const sCase cases[] = {{118, 0x203}, {119, 0x303}, {120, 0x403}, {121, 0x202}, {122, 0x302},
                           {123, 0x402}, {124, 0x603}, {125, 0x402}, {126, 0x202}};
    for (const sCase &c : cases) {
        auto time = Make<TimeC>(c.id);
        ASSERT_TRUE(time) << c.id;
        EXPECT_EQ(time->GetTimeWord(), c.word) << c.id;
        EXPECT_EQ(time->GetTypeFlags(c.id), uint32_t(kTypeTime | kTypeIdMatch));
        EXPECT_EQ(time->GetHelpTopic(), 1029);
        // Layout, a pitch or duration query, the export and drawing each set
        // the word; the measure length stays until a staff's context is set
        // again.  A time signature takes no time.
        for (int walk = 0; walk < 5; ++walk) {
            gMusicState = sMusicState();
            gMusicState.SetTimeWord(0x101);
            cMusicBase::sCmdExport record;
            if (walk == 0) time->LayoutTime(nullptr, 1000, 1);
            if (walk == 1) {
                EXPECT_TRUE(time->GetMidiPitch().IsNone());
            }
            if (walk == 2) {
                EXPECT_EQ(time->OnExport(&record), 0);
            }
            if (walk == 3) time->Draw();
            if (walk == 4) {
                EXPECT_EQ(time->GetDurationTicks(), 0);
            }
            EXPECT_EQ(gMusicState.timeWord, c.word) << c.id << " walk " << walk;
            EXPECT_EQ(gMusicState.measureLength, kTicksPerWhole);
        }
    }
}

TEST_F(RestsAndTime, TimeSignaturesMoveSidewaysOnlyInEveryMode) {
    auto time = Make<TimeC>(122);
    time->SetPosition(40, 30);
    for (uint32_t mode : {uint32_t(2), uint32_t(kEditResize)}) {
        gEditMode = mode;
        time->MoveBy(4, 9);
    }
    EXPECT_EQ(time->GetX(), 48);
    EXPECT_EQ(time->GetY(), 30);
}

// ---- tempo -------------------------------------------------------------------------

TEST_F(RestsAndTime, TheTempoIsWrittenWhenPlaybackReachesIt) {
    test::cRecordingMusicTrack track;
    auto time = Make<TimeC>(123);
    cMusicBase::sCmdExport record;
    record.sink = &track;
    EXPECT_EQ(time->OnExport(&record), 0);
    EXPECT_TRUE(track.events.empty());
    time->SetTempo(90);
    EXPECT_EQ(time->OnExport(&record), 0);
    EXPECT_EQ(track.events, (std::vector<std::string>{"tempo 90"}));
    // Without a sink nothing is written anywhere.
    record.sink = nullptr;
    EXPECT_EQ(time->OnExport(&record), 0);
    EXPECT_EQ(track.events.size(), 1u);
}

TEST_F(RestsAndTime, NewTimeSignaturesTakeTheClassTempoUntilTheClassIsReset) {
    TimeC::sCmdSetupTimeC record;
    record.tempo = 132;
    auto proto = Make<TimeC>(122);
    EXPECT_EQ(proto->SetClassSetup(&record), 0);
    auto time = Make<TimeC>(121);
    EXPECT_EQ(time->GetTempo(), 132);
    time->SetTempo(7);
    EXPECT_EQ(time->ApplyClassDefaults(), 0);
    EXPECT_EQ(time->GetTempo(), 132);
    std::unique_ptr<sCommandPrm> fetched(time->GetClassSetup(nullptr));
    EXPECT_EQ(dynamic_cast<TimeC::sCmdSetupTimeC &>(*fetched).tempo, 132);
    EXPECT_EQ(time->ResetClassData(), 0);
    EXPECT_EQ(TimeC::GetClassTempo(), 0);
}

TEST_F(RestsAndTime, SetUpRecordsOfAnotherCommandAreRefused) {
    auto time = Make<TimeC>(125);
    auto any = Make<TimeAny>(127);
    time->SetTempo(60);
    any->SetTempo(60);

    // TimeC takes either command; the free one's own numbers only from 26.
    TimeC::sCmdSetupTimeC plain;
    plain.tempo = 80;
    TimeAny::sCmdSetupTimeAny free;
    free.tempo = 95;
    free.numerator = 7;
    free.log2Denominator = 3;
    EXPECT_EQ(time->SetObjectSetup(&free), 0);
    EXPECT_EQ(time->GetTempo(), 95);
    EXPECT_EQ(time->SetObjectSetup(&plain), 0);
    EXPECT_EQ(time->GetTempo(), 80);
    EXPECT_EQ(any->SetObjectSetup(&plain), kFailed);
    EXPECT_EQ(any->GetTempo(), 60);
    EXPECT_EQ(any->SetObjectSetup(&free), 0);
    EXPECT_EQ(any->GetTempo(), 95);
    EXPECT_EQ(any->GetTimeWord(), 0x703);

    // A record of another type, or of this type under another id.
    cLineObject::sCmdSetupLine line;
    TimeC::sCmdSetupTimeC wrong;
    wrong.commandId = kCmdSetupMMSym;
    wrong.familyId = kCmdSetupMMSym;
    wrong.tempo = 33;
    for (sCommandPrm *r : {static_cast<sCommandPrm *>(&line), static_cast<sCommandPrm *>(&wrong)}) {
        EXPECT_EQ(time->SetObjectSetup(r), kFailed);
        EXPECT_EQ(time->SetClassSetup(r), kFailed);
        EXPECT_EQ(any->SetClassSetup(r), kFailed);
        EXPECT_EQ(time->Setup(r), 0);
    }
    EXPECT_EQ(time->GetTempo(), 80);
    EXPECT_EQ(TimeC::GetClassTempo(), 0);
}

TEST_F(RestsAndTime, TheFreeClassSetUpChangesTheDefaultsAndThePrototype) {
    TimeAny::sCmdSetupTimeAny record;
    record.tempo = 70;
    record.numerator = 3;
    record.log2Denominator = 1;
    auto any = Make<TimeAny>(127);
    EXPECT_EQ(any->GetTimeWord(), 0x502);  // 5/4 at start
    EXPECT_EQ(any->SetClassSetup(&record), 0);
    auto *prototype = dynamic_cast<TimeAny *>(cPObjBase::PrototypeById(127));
    ASSERT_TRUE(prototype);
    EXPECT_EQ(prototype->GetTimeWord(), 0x301);
    auto made = Make<TimeAny>(127);
    EXPECT_EQ(made->GetTimeWord(), 0x301);
    EXPECT_EQ(made->GetTempo(), 70);
    std::unique_ptr<sCommandPrm> fetched(made->GetObjectSetup(nullptr));
    auto &back = dynamic_cast<TimeAny::sCmdSetupTimeAny &>(*fetched);
    EXPECT_EQ(back.numerator, 3);
    EXPECT_EQ(back.log2Denominator, 1);
    EXPECT_EQ(back.commandId, kCmdSetupTimeAny);

    // SetDefaults keeps each number within its range.
    TimeAny::SetDefaults(0, 2);
    TimeAny::SetDefaults(10, 4);
    EXPECT_EQ(TimeAny::GetDefaultNumerator(), 3);
    EXPECT_EQ(TimeAny::GetDefaultLog2Denominator(), 2);
    TimeAny::SetDefaults(9, 3);
    EXPECT_EQ(TimeAny::GetDefaultNumerator(), 9);
    EXPECT_EQ(TimeAny::GetDefaultLog2Denominator(), 3);
    prototype->SetNumbers(5, 2);
}

// ---- storage -------------------------------------------------------------------------

// The bytes a record is written as.
std::string Saved(cPObjBase &symbol) {
    cMemoryBinaryFile file(u"mem", "", cBinaryFileBase::kWrite);
    cPObjBase::sCmdFileSave record(&file);
    EXPECT_EQ(symbol.SaveBinary(&record), 0);
    return file.Bytes();
}

TEST_F(RestsAndTime, BinaryRecordsCarryTheTempoAndTheFreeNumbers) {
    gFileVersion = 0x20C0500;
    auto time = Make<TimeC>(122);
    time->SetPosition(30, 40);
    time->SetTempo(0x1234);
    const std::string bytes = Saved(*time);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x34\x12", 2));
    EXPECT_EQ(bytes.size(), time->DataSize());

    auto any = Make<TimeAny>(127);
    any->SetPosition(30, 40);
    any->SetNumbers(7, 3);
    any->SetTempo(90);
    const std::string anyBytes = Saved(*any);
    EXPECT_EQ(anyBytes.substr(0, 4), std::string("\x07\x03\x5A\x00", 4));
    EXPECT_EQ(any->DataSize(), time->DataSize() + 2);
    EXPECT_EQ(anyBytes.size(), any->DataSize());

    auto back = Make<TimeAny>(127);
    cMemoryBinaryFile in(u"mem", anyBytes);
    EXPECT_EQ(back->LoadBinary(&in, uint16_t(anyBytes.size())), 0);
    EXPECT_EQ(back->GetTimeWord(), 0x703);
    EXPECT_EQ(back->GetTempo(), 90);
    EXPECT_EQ(back->GetX(), 30);
    EXPECT_EQ(back->GetY(), 40);
}

TEST_F(RestsAndTime, FilesBefore251HaveNoTempoWordAndTakeTheClassDefault) {
    TimeC::SetClassTempo(100);
    // Version 2.5.0: the position only (variable-length integers 30 and 40).
    gFileVersion = 0x2050000;
    const std::string bytes("\x1E\x28", 2);
    auto time = Make<TimeC>(123);
    cMemoryBinaryFile in(u"mem", bytes);
    EXPECT_EQ(time->LoadBinary(&in, 2), 0);
    EXPECT_EQ(time->GetTempo(), 100);
    EXPECT_EQ(time->GetX(), 30);
    EXPECT_EQ(time->GetY(), 40);
    // 2.5.1 reads the word first, whatever the flag byte says.
    gFileVersion = 0x20501FF;
    const std::string withTempo("\x50\x00\x1E\x28", 4);
    cMemoryBinaryFile in2(u"mem", withTempo);
    EXPECT_EQ(time->LoadBinary(&in2, 4), 0);
    EXPECT_EQ(time->GetTempo(), 80);
    // Cut short: refused.
    cMemoryBinaryFile cut(u"mem", std::string("\x50", 1));
    EXPECT_LT(time->LoadBinary(&cut, 1), 0);
}

TEST_F(RestsAndTime, DamagedNumbersAndTempiKeepTheDefaults) {
    gFileVersion = 0x20C0500;
    TimeAny::SetDefaults(6, 3);
    struct sCase {
        uint8_t numerator, log2;
        uint16_t tempo;
        uint16_t word;
        uint16_t tempoRead;
    };
    const sCase cases[] = {
        {7, 3, 90, 0x703, 90},  {0, 3, 4, 0x603, 4},  {12, 1, 3, 0x601, 0}, {2, 0, 1, 0x203, 0},
        {9, 6, 2, 0x903, 0},    {1, 16, 0, 0x103, 0}, {255, 255, 40, 0x603, 40},
    };
    for (const sCase &c : cases) {
        std::string bytes;
        bytes += char(c.numerator);
        bytes += char(c.log2);
        bytes += char(c.tempo & 0xFF);
        bytes += char(c.tempo >> 8);
        bytes += std::string("\x1E\x28", 2);
        auto any = Make<TimeAny>(127);
        cMemoryBinaryFile in(u"mem", bytes);
        EXPECT_EQ(any->LoadBinary(&in, uint16_t(bytes.size())), 0);
        EXPECT_EQ(any->GetTimeWord(), c.word) << int(c.numerator) << "/" << int(c.log2);
        EXPECT_EQ(any->GetTempo(), c.tempoRead) << c.tempo;
    }
}

// One object's text line and what reading it back gives.
std::string TextLine(cPObjBase &symbol) {
    std::ostringstream out;
    cPObjBase::sCmdExpAsc record(&out);
    EXPECT_EQ(symbol.ExportText(&record), 0);
    return out.str();
}

tStatus ReadLine(cPObjBase &symbol, const std::string &line) {
    cAsciiFile in(line.data(), line.size());
    cPObjBase::sCmdImpAsc record(&in);
    return symbol.ImportText(&record);
}

TEST_F(RestsAndTime, TextLinesEndWithTheTempoAndTheFreeNumbers) {
    auto any = Make<TimeAny>(127);
    any->SetPosition(12, 34);
    any->SetNumbers(7, 3);
    const std::string line = TextLine(*any);
    EXPECT_NE(line.find("TimeAny"), std::string::npos);
    EXPECT_EQ(line.substr(line.size() - 10), " = 0, 7, 8") << line;

    auto time = Make<TimeC>(126);
    time->SetTempo(144);
    const std::string plain = TextLine(*time);
    EXPECT_EQ(plain.substr(plain.size() - 6), " = 144");

    // Read back after the class name.
    auto back = Make<TimeAny>(127);
    EXPECT_EQ(ReadLine(*back, "@ 12, 34 = 88, 3, 2\n"), 0);
    EXPECT_EQ(back->GetTimeWord(), 0x301);
    EXPECT_EQ(back->GetTempo(), 88);
    EXPECT_EQ(back->GetY(), 34);
}

TEST_F(RestsAndTime, DamagedTextNumbersKeepTheDefaults) {
    TimeAny::SetDefaults(6, 3);
    struct sCase {
        const char *numbers;
        uint16_t word;
    };
    // Numerators 0 and 12, denominators 0, 6 (no power of two) and 16 (no
    // digit, no range).
    const sCase cases[] = {{"0, 4", 0x602}, {"12, 2", 0x601}, {"3, 0", 0x303},
                           {"3, 6", 0x303}, {"3, 16", 0x303}, {"9, 8", 0x903}};
    for (const sCase &c : cases) {
        auto any = Make<TimeAny>(127);
        EXPECT_EQ(ReadLine(*any, std::string("@ 1, 2 = 0, ") + c.numbers + "\n"), 0) << c.numbers;
        EXPECT_EQ(any->GetTimeWord(), c.word) << c.numbers;
    }
    // Tempo words 1 to 3 keep the tempo in force.
    for (uint16_t tempo : {uint16_t(1), uint16_t(3), uint16_t(4)}) {
        auto time = Make<TimeC>(125);
        EXPECT_EQ(ReadLine(*time, "@ 1, 2 = " + std::to_string(tempo) + "\n"), 0);
        EXPECT_EQ(time->GetTempo(), tempo <= 3 ? 0 : tempo);
    }
    // A line without its numbers is an error, and the numbers stay.
    auto any = Make<TimeAny>(127);
    any->SetNumbers(2, 1);
    EXPECT_LT(ReadLine(*any, "@ 1, 2 = 0\n"), 0);
    EXPECT_EQ(any->GetTimeWord(), 0x201);
}

// ---- drawing the free time signature ------------------------------------------------

#if !defined(_WIN32)
TEST_F(RestsAndTime, AFreeTimeSignatureDrawsItsNumbersOneDigitAboveTheOther) {
    auto any = Make<TimeAny>(127);
    any->SetPosition(100, 60);
    any->SetNumbers(7, 3);
    window->ClearRecords();
    any->Draw();
    std::vector<const sDrawRecord *> glyphs;
    for (const sDrawRecord &r : window->Records())
        if (r.op == "DrawChars") glyphs.push_back(&r);
    ASSERT_EQ(glyphs.size(), 2u);
    const sMusicGlyph &palette = MusicGlyphOf(0xD13C);
    const sMusicGlyph &eight = MusicGlyphOf(0xD138);
    EXPECT_EQ(glyphs[0]->text, std::u16string(1, char16_t(0xD137)));
    EXPECT_EQ(glyphs[0]->args[0], 100 + palette.x);
    EXPECT_EQ(glyphs[0]->args[1], 60);
    EXPECT_EQ(glyphs[1]->text, std::u16string(1, char16_t(0xD138)));
    EXPECT_EQ(glyphs[1]->args[0], 100 + palette.x);
    EXPECT_EQ(glyphs[1]->args[1], 60 + eight.height);

    // A spent draw budget draws nothing.
    gDrawBudget = 0;
    window->ClearRecords();
    any->Draw();
    EXPECT_TRUE(window->Records().empty());
    gDrawBudget = 0xFFFFFFFF;
}
#endif

}  // namespace
