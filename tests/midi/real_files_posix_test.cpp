// Standard MIDI Files that other programs wrote: the example files of the
// mma package and files that abc2midi makes from the ABC examples of its
// package.  Each is read, decoded, written back and re-encoded event by event
// through the track's insertion; an independent reader (midicsv) must see the
// same notes, times and metas in all of them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/error_msg.h"
#include "foundation/file_io.h"
#include "midi/midi_file.h"
#include "tests/midi/memory_file.h"
#include "tests/support/run_tool_posix.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

const char *kMmaExamples = "/usr/share/doc/mma/examples";
const char *kAbcExamples = "/usr/share/doc/abcmidi/examples";

std::string ReadBytes(const fs::path &path) {
    std::string bytes;
    if (FILE *f = std::fopen(path.c_str(), "rb")) {
        char buf[8192];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
        std::fclose(f);
    }
    return bytes;
}

void WriteBytes(const fs::path &path, const std::string &bytes) {
    FILE *f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// The canonical text of one event, built into a reused buffer: track, time,
// kind and the numbers or bytes of the event.  Both readers' events are
// brought to it.
class cCanon {
public:
    cCanon &Start(int track, uint32_t time) {
        text.clear();
        return Num(track).Num(time);
    }
    cCanon &Word(const char *w) {
        text += w;
        text += ',';
        return *this;
    }
    cCanon &Num(int64_t n) {
        char b[24];
        auto r = std::to_chars(b, b + sizeof b, n);
        text.append(b, r.ptr);
        text += ',';
        return *this;
    }
    cCanon &Bytes(const uint8_t *p, size_t n) {
        static const char kHex[] = "0123456789abcdef";
        for (size_t i = 0; i < n; ++i) {
            text += kHex[p[i] >> 4];
            text += kHex[p[i] & 15];
        }
        return *this;
    }
    const std::string &Text() const { return text; }

private:
    std::string text;
};

struct Listing {
    int tracks = -1;
    int division = -1;
    std::vector<std::string> events;
};

// ---- midicsv's view -----------------------------------------------------

// Splits one midicsv record into fields (views into the line); a quoted
// string (quotes doubled, "\\" and three-digit octal escapes for other
// bytes) is decoded into text and stands as the field "\"".
void SplitRecord(std::string_view line, std::vector<std::string_view> &fields, std::vector<uint8_t> &text) {
    fields.clear();
    text.clear();
    size_t i = 0;
    while (i <= line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i < line.size() && line[i] == '"') {
            for (++i; i < line.size(); ++i) {
                char c = line[i];
                if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    text.push_back('"');
                    ++i;
                } else if (c == '"') {
                    ++i;
                    break;
                } else if (c == '\\' && i + 1 < line.size() && line[i + 1] == '\\') {
                    text.push_back('\\');
                    ++i;
                } else if (c == '\\' && i + 3 < line.size()) {
                    text.push_back(uint8_t((line[i + 1] - '0') * 64 + (line[i + 2] - '0') * 8 + (line[i + 3] - '0')));
                    i += 3;
                } else {
                    text.push_back(uint8_t(c));
                }
            }
            fields.push_back("\"");
            size_t comma = line.find(',', i);
            i = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
            continue;
        }
        size_t comma = line.find(',', i);
        std::string_view f = line.substr(i, comma == std::string_view::npos ? std::string_view::npos : comma - i);
        while (!f.empty() && (f.back() == ' ' || f.back() == '\r')) f.remove_suffix(1);
        fields.push_back(f);
        if (comma == std::string_view::npos) break;
        i = comma + 1;
    }
}

int64_t ToNum(std::string_view f) {
    int64_t v = 0;
    std::from_chars(f.data(), f.data() + f.size(), v);
    return v;
}

// Brings one midicsv record to the canonical form; false for the records
// that are not events (header, track starts, end of file).
bool CanonOfRecord(const std::vector<std::string_view> &f, const std::vector<uint8_t> &text, cCanon &c, Listing &out) {
    static const std::map<std::string_view, int> kTextMetas = {
        {"Text_t", 1},  {"Copyright_t", 2}, {"Title_t", 3},    {"Instrument_name_t", 4},
        {"Lyric_t", 5}, {"Marker_t", 6},    {"Cue_point_t", 7}};
    static const std::map<std::string_view, const char *> kChannel = {
        {"Note_on_c", "on"}, {"Note_off_c", "off"}, {"Poly_aftertouch_c", "poly"}, {"Control_c", "cc"},
        {"Program_c", "pc"}, {"Channel_aftertouch_c", "cp"}, {"Pitch_bend_c", "bend"}};
    if (f.size() < 3) return false;
    std::string_view type = f[2];
    auto num = [&](size_t i) { return i < f.size() ? ToNum(f[i]) : -1; };
    auto bytesFrom = [&](size_t first) {
        for (size_t i = first; i < f.size(); ++i) {
            uint8_t b = uint8_t(ToNum(f[i]));
            c.Bytes(&b, 1);
        }
    };
    if (type == "Header") {
        out.tracks = int(num(4));
        out.division = int(num(5));
        return false;
    }
    if (type == "Start_track" || type == "End_of_file") return false;
    c.Start(int(num(0)), uint32_t(num(1)));
    if (auto ch = kChannel.find(type); ch != kChannel.end()) {
        std::string_view kind = ch->second;
        if (kind == "on" && num(5) == 0) kind = "off";  // velocity 0 ends the note
        c.Word(kind.data()).Num(num(3));
        if (kind == "bend")
            c.Num(num(4) & 0x7F).Num(num(4) >> 7);
        else if (kind == "pc" || kind == "cp")
            c.Num(num(4));
        else
            c.Num(num(4)).Num(num(5));
    } else if (auto t = kTextMetas.find(type); t != kTextMetas.end()) {
        c.Word("meta").Num(t->second).Bytes(text.data(), text.size());
    } else if (type == "End_track") {
        c.Word("meta").Num(47);
    } else if (type == "Tempo") {
        int64_t v = num(3);
        uint8_t b[3] = {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
        c.Word("meta").Num(81).Bytes(b, 3);
    } else if (type == "Time_signature") {
        c.Word("meta").Num(88);
        bytesFrom(3);
    } else if (type == "Key_signature") {
        uint8_t b[2] = {uint8_t(num(3)), uint8_t(std::string_view(reinterpret_cast<const char *>(text.data()),
                                                                   text.size()) == "minor")};
        c.Word("meta").Num(89).Bytes(b, 2);
    } else if (type == "Sequence_number") {
        uint8_t b[2] = {uint8_t(num(3) >> 8), uint8_t(num(3))};
        c.Word("meta").Num(0).Bytes(b, 2);
    } else if (type == "Channel_prefix" || type == "MIDI_port" || type == "SMPTE_offset") {
        c.Word("meta").Num(type == "Channel_prefix" ? 32 : type == "MIDI_port" ? 33 : 84);
        bytesFrom(3);
    } else if (type == "Sequencer_specific") {
        c.Word("meta").Num(127);
        bytesFrom(4);
    } else if (type == "Unknown_meta_event") {
        c.Word("meta").Num(num(3));
        bytesFrom(5);
    } else if (type == "System_exclusive" || type == "System_exclusive_packet") {
        c.Word("sysex").Num(type == "System_exclusive" ? 240 : 247);
        bytesFrom(4);
    } else {
        c.Word("unknown").Word(std::string(type).c_str());
    }
    return true;
}

// Lists the file with midicsv and compares every event with ours as it
// goes, so that midicsv's listing is never stored.
void ExpectMidicsvSees(const fs::path &file, const Listing &ours, const char *what) {
    SCOPED_TRACE(what);
    fs::path csv = fs::temp_directory_path() / ("pelmora_midicsv_" + std::to_string(getpid()) + ".csv");
    ASSERT_EQ(test::RunTool({"midicsv", file.string()}, csv.string()), 0) << "midicsv could not read it";
    const std::string listing = ReadBytes(csv);
    fs::remove(csv);
    Listing header;
    std::vector<std::string_view> fields;
    std::vector<uint8_t> text;
    cCanon c;
    size_t n = 0;
    for (size_t at = 0; at < listing.size();) {
        size_t end = listing.find('\n', at);
        if (end == std::string::npos) end = listing.size();
        SplitRecord(std::string_view(listing).substr(at, end - at), fields, text);
        at = end + 1;
        if (!CanonOfRecord(fields, text, c, header)) continue;
        ASSERT_LT(n, ours.events.size()) << "midicsv sees more events than we do";
        ASSERT_EQ(ours.events[n], c.Text()) << "event " << n;
        ++n;
    }
    EXPECT_EQ(n, ours.events.size()) << "midicsv sees fewer events than we do";
    EXPECT_EQ(header.tracks, ours.tracks);
    EXPECT_EQ(header.division, ours.division);
}

// ---- Our view -----------------------------------------------------------

void CanonOf(const cMidiTrackBase::cMidiEvent &ev, cCanon &c) {
    static const char *const kKinds[] = {"off", "on", "poly", "cc", "pc", "cp", "bend"};
    if (ev.kind == cMidiTrackBase::kSystem) {
        c.Word(ev.channel == 0x0F ? "meta" : "sysex").Num(ev.data1).Bytes(ev.data, ev.dataLength);
        return;
    }
    c.Word(kKinds[ev.kind]).Num(ev.channel).Num(ev.data1);
    if (ev.kind != cMidiTrackBase::kProgramChange && ev.kind != cMidiTrackBase::kChannelPressure) c.Num(ev.data2);
}

// Decodes every event of every track; the events as decoded also go to
// `decoded` (for re-encoding).
Listing ListOurs(cMidiFile &file, std::vector<std::vector<cMidiTrackBase::cMidiEvent>> &decoded) {
    Listing out;
    out.tracks = file.GetTrackCount();
    out.division = file.GetTicksPerQuarter();
    decoded.assign(size_t(out.tracks), {});
    cCanon c;
    for (int i = 0; i < out.tracks; ++i) {
        auto &t = *static_cast<cMidiTrackBase *>(file.GetTrack(i));
        cMidiTrackBase::cMidiEvent ev;
        ev.Clear();
        for (uint32_t pos = t.GetDataStart(); pos < t.Count();) {
            int32_t n = t.ReadEventAt(pos, ev);
            EXPECT_GT(n, 0) << "track " << i << " at " << pos;
            if (n <= 0) break;
            pos += uint32_t(n);
            CanonOf(ev, c.Start(i + 1, ev.start));
            out.events.push_back(c.Text());
            decoded[size_t(i)].push_back(ev);
        }
    }
    return out;
}

std::vector<fs::path> FilesIn(const fs::path &folder, std::initializer_list<const char *> extensions) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        for (const char *ext : extensions)
            if (it->is_regular_file() && it->path().extension() == ext) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

fs::path TempFolder(const char *name) {
    std::string p = PlatformPath(test::MakeTempFolder(name).c_str());
    return fs::path(p);
}

// Reads one file and checks what we decode, the file written back and the
// file re-encoded event by event against midicsv.
void CheckFile(const fs::path &path, const fs::path &work) {
    SCOPED_TRACE(path.string());
    const std::string original = ReadBytes(path);

    int32_t errorsBefore = gErrorMsg->ErrorCount();
    cMidiFile file(u"", 480);
    test::cMemoryFile in(original);
    ASSERT_GT(file.ReadFrom(in, nullptr), 0);

    // 1. What our reader decodes.
    std::vector<std::vector<cMidiTrackBase::cMidiEvent>> decoded;
    const Listing ours = ListOurs(file, decoded);
    ExpectMidicsvSees(path, ours, "decoded");
    if (testing::Test::HasFatalFailure()) return;

    // The import reader delivers one note per sounding note-on, with a pitch.
    size_t noteOns = 0, notes = 0;
    for (auto &track : decoded)
        for (auto &ev : track) noteOns += ev.kind == cMidiTrackBase::kNoteOn;
    for (int i = 0; i < file.GetTrackCount(); ++i) {
        cMusicTrack &t = *file.GetTrack(i);
        t.SetQuantum(uint16_t(file.GetTicksPerQuarter() / 4));
        t.Dump(nullptr);
        cMusicTrack::cEvent ev;
        while (t.ReadNextEvent(&ev) == RC_OK && ev.type != cMusicTrack::kTypeTrackEnd) {
            if (ev.type != cMusicTrack::kTypeNote) continue;
            ++notes;
            EXPECT_NE(ev.pitch, kNoPitch);
        }
    }
    EXPECT_EQ(notes, noteOns);
    EXPECT_EQ(gErrorMsg->ErrorCount(), errorsBefore) << "a real file raised errors";

    // 2. Written back as it was read: byte for byte when the format stays.
    test::cMemoryFile out(std::string(), cBinaryFileBase::kWrite);
    ASSERT_GT(file.WriteTo(out), 0);
    if (file.Header().GetFormat() != 2 && original.size() == out.Bytes().size()) {
        EXPECT_EQ(out.Bytes(), original) << "a format 0 or 1 file is written back byte for byte";
    } else {
        fs::path written = work / (path.stem().string() + "_written.mid");
        WriteBytes(written, out.Bytes());
        ExpectMidicsvSees(written, ours, "written back");
    }

    // 3. Every event inserted again at its time into new tracks: full status
    // bytes, shortest lengths, the events in the same order.
    cMidiFile again(u"", uint16_t(file.GetTicksPerQuarter()));
    for (auto &track : decoded) {
        cMidiTrackBase *t = again.NewTrack();
        for (auto &ev : track) ASSERT_GE(t->InsertEvent(ev), 0);
        // The chunk length: the end-of-track meta is among the events.
        WriteBigEndian32(t->Bytes() + 4, t->Count() - 8);
    }
    test::cMemoryFile reOut(std::string(), cBinaryFileBase::kWrite);
    ASSERT_GT(again.WriteTo(reOut), 0);
    fs::path reencoded = work / (path.stem().string() + "_reencoded.mid");
    WriteBytes(reencoded, reOut.Bytes());
    ExpectMidicsvSees(reencoded, ours, "re-encoded");
}

class RealMidiFiles : public testing::Test {
protected:
    void SetUp() override {
        if (!test::HasTool("midicsv")) GTEST_SKIP() << "midicsv is not installed (package midicsv): skipped";
    }
};

TEST_F(RealMidiFiles, MmaExamples) {
    std::vector<fs::path> files = FilesIn(kMmaExamples, {".mid", ".kar"});
    if (files.empty()) GTEST_SKIP() << "no MIDI files under " << kMmaExamples << " (package mma): skipped";
    fs::path work = TempFolder("mma_examples");
    for (const fs::path &f : files) CheckFile(f, work);
    std::printf("[ checked  ] %zu files of mma\n", files.size());
}

TEST_F(RealMidiFiles, Abc2midiOutput) {
    if (!test::HasTool("abc2midi")) GTEST_SKIP() << "abc2midi is not installed (package abcmidi): skipped";
    std::vector<fs::path> sources = FilesIn(kAbcExamples, {".abc"});
    if (sources.empty()) GTEST_SKIP() << "no ABC examples under " << kAbcExamples << ": skipped";
    fs::path work = TempFolder("abc_examples");
    // abc2midi writes its files beside the source: work on copies.
    for (const fs::path &src : sources) {
        fs::copy_file(src, work / src.filename(), fs::copy_options::overwrite_existing);
        // A tune it cannot make is not our concern.
        test::RunTool({"abc2midi", src.filename().string(), "-silent"}, "/dev/null", work.c_str());
    }
    std::vector<fs::path> files;
    for (const fs::path &f : FilesIn(work, {".mid"})) {
        std::string stem = f.stem().string();
        if (!stem.ends_with("_written") && !stem.ends_with("_reencoded")) files.push_back(f);
    }
    ASSERT_GE(files.size(), sources.size()) << "abc2midi made fewer files than there are examples";
    for (const fs::path &f : files) CheckFile(f, work);
    std::printf("[ checked  ] %zu files made by abc2midi\n", files.size());
}

// Files that the Windows build wrote under Wine and left for an
// independent reader (test::KeepForCheck): every MIDI file among them must
// read the same in midicsv as in our reader, written back and re-encoded.
// scripts/run-tests runs this after the Windows tests, on their folder;
// without PELMORA_CHECK_EXPORTS it has nothing to check.
TEST(ExportedFiles, WhatTheWindowsBuildWroteReadsTheSameInMidicsv) {
    const char *folder = std::getenv("PELMORA_CHECK_EXPORTS");
    if (!folder || !*folder) GTEST_SKIP() << "run by scripts/run-tests after the Windows tests";
    ASSERT_TRUE(test::HasTool("midicsv")) << "midicsv is not installed (package midicsv)";
    std::vector<fs::path> files = FilesIn(folder, {".mid"});
    ASSERT_FALSE(files.empty()) << "the Windows tests left no MIDI file in " << folder;
    fs::path work = TempFolder("exported_files");
    for (const fs::path &f : files) CheckFile(f, work);
    std::printf("[ checked  ] %zu files written under Wine\n", files.size());
}

}  // namespace
