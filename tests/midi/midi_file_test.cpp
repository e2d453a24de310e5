#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "foundation/error_msg.h"
#include "midi/midi_file.h"
#include "tests/midi/memory_file.h"
#include "tests/test_support.h"

namespace {

struct ErrorCounter {
    int32_t start = gErrorMsg->ErrorCount();
    int32_t Raised() const { return gErrorMsg->ErrorCount() - start; }
};

// What the export walk writes into a file track, in its order.
void WriteScore(cMidiTrackBase &t, int32_t firstPitch) {
    t.PutText(u"Created by Pelmora");
    t.PutTempo(96);
    t.PutTimeSignature(3, 4, 24, 8);
    t.PutKeySignature(2, 0);
    t.PutProgramChange(40, 0);
    for (int32_t i = 0; i < 12; ++i) t.PutNote(firstPitch + 5 * (i % 7), uint32_t(i) * 240, 240);
    t.PutNote(firstPitch, 100, 2000);  // a long note written out of order
    t.PutNote(firstPitch + 10, 0, 480);  // a chord with the first note
}

std::string FileOf(cMidiFile &file) {
    test::cMemoryFile out(std::string(), cBinaryFileBase::kWrite);
    EXPECT_GT(file.WriteTo(out), 0);
    return out.Bytes();
}

TEST(MidiFile, FormatFollowsTheTrackCount) {
    cMidiFile one(u"", 480);
    WriteScore(*one.NewTrack(), 0);
    EXPECT_EQ(one.EndAllTracks(), 1);
    std::string bytes = FileOf(one);
    EXPECT_EQ(bytes.substr(0, 14), std::string("MThd\0\0\0\x06\0\0\0\x01\x01\xE0", 14));

    cMidiFile two(u"", 480);
    EXPECT_EQ(two.SetTicksPerQuarter(96), 480);
    WriteScore(*two.NewTrack(), 0);
    WriteScore(*two.NewTrack(), -35);
    two.EndAllTracks();
    bytes = FileOf(two);
    EXPECT_EQ(bytes.substr(0, 14), std::string("MThd\0\0\0\x06\0\x01\0\x02\0\x60", 14));
    EXPECT_EQ(bytes.size(), 14u + two.GetTrack(0)->Count() + two.GetTrack(1)->Count());
    EXPECT_EQ(two.GetTrack(2), nullptr);
    EXPECT_EQ(two.GetTrack(-1), nullptr);
}

TEST(MidiFile, WriteReadWriteGivesTheSameBytes) {
    cMidiFile file(u"", 480);
    WriteScore(*file.NewTrack(), 0);
    WriteScore(*file.NewTrack(), 12);
    file.EndAllTracks();
    std::string first = FileOf(file);

    cMidiFile back(u"", 96);
    test::cMemoryFile in(first);
    EXPECT_EQ(back.ReadFrom(in, nullptr), int32_t(first.size()));
    EXPECT_EQ(back.GetTicksPerQuarter(), 480);
    ASSERT_EQ(back.GetTrackCount(), 2);
    EXPECT_EQ(FileOf(back), first);

    // The events come back as they were written.
    cMusicTrack &t = *back.GetTrack(0);
    t.Dump(nullptr);
    cMusicTrack::cEvent ev;
    int notes = 0;
    while (t.ReadNextEvent(&ev) == RC_OK && ev.type != cMusicTrack::kTypeTrackEnd) {
        if (ev.type == cMusicTrack::kTypeTempo) {
            EXPECT_EQ(ev.GetBpm(), 96);
        } else if (ev.type == cMusicTrack::kTypeInstrument) {
            EXPECT_EQ(ev.programme, 40);
        } else if (ev.type == cMusicTrack::kTypeKeySig) {
            EXPECT_EQ(ev.key, 2);
        } else if (ev.type == cMusicTrack::kTypeNote) {
            ++notes;
        }
    }
    EXPECT_EQ(notes, 14);
}

TEST(MidiFile, WritesAndReadsFilesOnDisk) {
    std::u16string folder = test::MakeTempFolder("midi_file");
    std::u16string path = folder + u"song.mid";
    cMidiFile file(path.c_str(), 480);
    WriteScore(*file.NewTrack(), 0);
    file.EndAllTracks();
    int32_t written = file.Write();
    std::string bytes = test::ReadFileBytes(path);
    EXPECT_EQ(written, int32_t(bytes.size()));
    EXPECT_EQ(bytes, FileOf(file));
    EXPECT_EQ(cMidiFile::IsMidiFile(path.c_str()), RC_OK);
    // Under Wine, midicsv reads it after the Windows tests.
    test::KeepForCheck(path, "midi_file_song.mid");

    // Writing over a longer file leaves only the new bytes.
    cMidiFile shorter(path.c_str(), 480);
    shorter.NewTrack()->PutTempo(60);
    shorter.EndAllTracks();
    EXPECT_EQ(shorter.Write(), int32_t(14 + 8 + 7 + 4));
    EXPECT_EQ(test::ReadFileBytes(path).size(), size_t(14 + 8 + 7 + 4));

    cMidiFile back(path.c_str(), 96);
    EXPECT_EQ(back.Read(nullptr), int32_t(14 + 8 + 7 + 4));
    EXPECT_EQ(back.GetTrackCount(), 1);

    std::u16string text = folder + u"notes.txt";
    test::WriteFileBytes(text, "MThd, but no header");
    EXPECT_EQ(cMidiFile::IsMidiFile(text.c_str()), RC_FAIL);
    EXPECT_EQ(cMidiFile::IsMidiFile((folder + u"missing.mid").c_str()), RC_FAIL);
}

TEST(MidiFile, FailuresAreNotReportedAsSuccess) {
    ErrorCounter errors;
    cMidiFile empty(u"", 480);
    test::cMemoryFile out(std::string(), cBinaryFileBase::kWrite);
    EXPECT_EQ(empty.WriteTo(out), 0);  // no track
    EXPECT_EQ(empty.Write(), 0);       // no name: nothing at all
    EXPECT_EQ(empty.Read(nullptr), 0);
    EXPECT_EQ(errors.Raised(), 1);

    std::u16string folder = test::MakeTempFolder("midi_file_fail");
    cMidiFile nowhere((folder + u"no such folder\\song.mid").c_str(), 480);
    nowhere.NewTrack()->PutEndOfTrack();
    EXPECT_EQ(nowhere.Write(), 0);
    EXPECT_EQ(nowhere.Read(nullptr), 0);
}

TEST(MidiFile, HeaderDumpAndTrackDump) {
    cMidiFile file(u"", 480);
    for (int i = 0; i < 3; ++i) WriteScore(*file.NewTrack(), 0);
    file.EndAllTracks();
    std::string bytes = FileOf(file);
    cMidiFile back(u"", 480);
    test::cMemoryFile in(bytes);
    std::ostringstream dump;
    back.ReadFrom(in, &dump);
    EXPECT_EQ(dump.str(),
              "File header: 3 multiple synchronized tracks, 480 ticks/quarter-note\n"
              "4d546864 00000006 0001 0003 01e0\n\n");
    EXPECT_EQ(std::u16string(back.Header().ToText()), u"4d546864 00000006 0001 0003 01e0");

    std::ostringstream track;
    back.GetTrack(0)->Dump(&track);
    std::string s = track.str();
    EXPECT_EQ(s.rfind("****** New Track : size = ", 0), 0u);
    EXPECT_NE(s.find("     Text channel  15 time        0(   1/    1) Created by Pelmora @ 8\n"), std::string::npos);
    EXPECT_NE(s.find("    Tempo channel  15 time        0(   1/    1)  (MM 96) @ "), std::string::npos);
    EXPECT_NE(s.find("  TimeSig channel  15 time        0(   1/    1) 3/4 @ "), std::string::npos);
    EXPECT_NE(s.find("   KeySig channel  15 time        0(   1/    1) 2# @ "), std::string::npos);
    EXPECT_NE(s.find("   Instr. channel   0 time        0(   1/    1) Violin @ "), std::string::npos);
    // The second note: a quarter of 480 into the first 3/4 measure.
    EXPECT_NE(s.find("     Note channel   0 time      240(   1/  1.5) duration  240(    0.5) pitch   D 0"),
              std::string::npos);
    EXPECT_NE(s.find("\nTrack Summary\nChannels 0x1\n"), std::string::npos);
    EXPECT_NE(s.find("2 simultaneous notes.\n"), std::string::npos);
    EXPECT_NE(s.find("00000: 4d 54 72 6b"), std::string::npos);
    EXPECT_EQ(static_cast<cMidiTrackBase *>(back.GetTrack(0))->GetReadPosition(), 8u);

    std::u16string folder = test::MakeTempFolder("midi_dump");
    std::u16string name = folder + u"MidiDump.txt";
    EXPECT_EQ(back.WriteText(name.c_str(), "song.mid"), RC_OK);
    std::string text = test::ReadFileBytes(folder + u"MidiDump.txt");
    EXPECT_EQ(text.rfind("song.mid", 0), 0u);
    size_t tracks = 0;
    for (size_t at = text.find("****** New Track"); at != std::string::npos; at = text.find("****** New Track", at + 1))
        ++tracks;
    EXPECT_EQ(tracks, 3u);
}

}  // namespace
