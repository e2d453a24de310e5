// The MIDI file that the end-to-end GUI test exported under Wine
// (tests/gui/end_to_end_win_test.cpp: the melody, three notes placed by
// clicks, saved and opened again), read by an independent reader: midicsv
// must find the placed notes with their keys, times and lengths, and the
// tempo and the time and key signatures at the start of the first track.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_tool_posix.h"
#include "tests/test_support.h"

namespace {

// One line of midicsv's list: track, time, record type, then the fields.
struct sRecord {
    int track = 0;
    long time = 0;
    std::string type;
    std::vector<std::string> fields;
};

std::vector<sRecord> Records(const std::string &listed) {
    std::vector<sRecord> records;
    for (const std::string &line : test::SplitLines(listed)) {
        std::vector<std::string> parts;
        std::stringstream in(line);
        for (std::string part; std::getline(in, part, ',');) {
            const size_t first = part.find_first_not_of(' ');
            parts.push_back(first == std::string::npos ? "" : part.substr(first));
        }
        if (parts.size() < 3) continue;
        sRecord r;
        r.track = std::atoi(parts[0].c_str());
        r.time = std::atol(parts[1].c_str());
        r.type = parts[2];
        r.fields.assign(parts.begin() + 3, parts.end());
        records.push_back(r);
    }
    return records;
}

struct sNote {
    int key;
    long start;
    long length;
    bool operator==(const sNote &o) const { return key == o.key && start == o.start && length == o.length; }
};

std::ostream &operator<<(std::ostream &out, const sNote &n) {
    return out << "{key " << n.key << ", at " << n.start << ", for " << n.length << "}";
}

// Each note-on paired with the next note-off of its key on its channel, in
// the order of the note-ons.
std::vector<sNote> NotesOfTrack(const std::vector<sRecord> &records, int track) {
    std::vector<sNote> notes;
    std::map<std::pair<int, int>, std::vector<size_t>> sounding;
    for (const sRecord &r : records) {
        if (r.track != track || r.fields.size() < 3) continue;
        const int channel = std::atoi(r.fields[0].c_str());
        const int key = std::atoi(r.fields[1].c_str());
        const bool on = r.type == "Note_on_c" && std::atoi(r.fields[2].c_str()) > 0;
        const bool off = r.type == "Note_off_c" || (r.type == "Note_on_c" && !on);
        if (on) {
            sounding[{channel, key}].push_back(notes.size());
            notes.push_back({key, r.time, -1});
        } else if (off) {
            std::vector<size_t> &open = sounding[{channel, key}];
            if (open.empty()) continue;
            notes[open.front()].length = r.time - notes[open.front()].start;
            open.erase(open.begin());
        }
    }
    return notes;
}

// Every note of an exported file ends this many ticks early, so that a
// repeated key is heard twice.
constexpr long kGap = 4;

// Run by scripts/run-tests after the Windows tests (label after_windows).
TEST(EndToEndAfterWindows, MidicsvReadsThePlacedNotesTempoAndSignatures) {
    const char *folder = std::getenv("PELMORA_CHECK_EXPORTS");
    if (!folder || !*folder) GTEST_SKIP() << "run by scripts/run-tests after the Windows tests";
    ASSERT_TRUE(test::HasTool("midicsv")) << "midicsv is not installed (package midicsv)";
    const std::string written = std::string(folder) + "/end_to_end.mid";
    ASSERT_TRUE(std::filesystem::exists(written)) << "the Windows tests left no " << written;
    const std::u16string work = test::MakeTempFolder("end_to_end_midicsv");
    const std::string out = test::FsPath(work + u"list.csv").string();
    ASSERT_EQ(test::RunTool({"midicsv", written}, out), 0) << "midicsv could not read " << written;
    const std::string listed = test::ReadFileBytes(work + u"list.csv");
    test::RemoveTree(work);
    const std::vector<sRecord> records = Records(listed);

    // The first track: 120 quarters a minute, 4/4 (24 clocks a click, 8
    // thirty-seconds a quarter), C major, all at its start.
    struct sMeta {
        const char *type;
        std::vector<std::string> fields;
    } const metas[] = {
        {"Tempo", {"500000"}},
        {"Time_signature", {"4", "2", "24", "8"}},
        {"Key_signature", {"0", "\"major\""}},
    };
    for (const sMeta &meta : metas) {
        int found = 0;
        for (const sRecord &r : records)
            if (r.type == meta.type) {
                ++found;
                EXPECT_EQ(r.track, 1) << meta.type;
                EXPECT_EQ(r.time, 0) << meta.type;
                EXPECT_EQ(r.fields, meta.fields) << meta.type;
            }
        EXPECT_EQ(found, 1) << meta.type << "\n" << listed;
    }

    // The melody's C4 and D4 quarters and E4 half, then the sixteenths
    // placed by the clicks in the next measure: B4, F5, E4.
    const std::vector<sNote> expected = {
        {60, 0, 480 - kGap},     {62, 480, 480 - kGap},   {64, 960, 960 - kGap},
        {71, 1920, 120 - kGap},  {77, 2040, 120 - kGap},  {64, 2160, 120 - kGap},
    };
    EXPECT_EQ(NotesOfTrack(records, 2), expected) << listed;
    EXPECT_TRUE(NotesOfTrack(records, 1).empty()) << "the first track holds no notes";
}

}  // namespace
