#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "midi/music_track_csv.h"
#include "tests/test_support.h"

namespace {

// A small reader of comma-separated text (RFC 4180: quoted fields may hold
// commas, quotes doubled, CR LF or LF line ends).  It refuses what is not
// well formed: a quote inside an unquoted field, text after a closing quote,
// an unterminated quote.
bool ParseCsv(const std::string &text, std::vector<std::vector<std::string>> &rows) {
    rows.clear();
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, wasQuoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
                wasQuoted = true;
            } else {
                field += c;
            }
        } else if (c == '"') {
            if (!field.empty() || wasQuoted) return false;
            quoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
            wasQuoted = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        } else if (c == '\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
            wasQuoted = false;
        } else {
            if (wasQuoted) return false;
            field += c;
        }
    }
    if (quoted) return false;
    if (!field.empty() || !row.empty()) {
        row.push_back(field);
        rows.push_back(row);
    }
    return true;
}

TEST(CsvReader, RefusesWhatIsNotWellFormed) {
    std::vector<std::vector<std::string>> rows;
    EXPECT_TRUE(ParseCsv("a,\"b,c\",\"d\"\"e\"\r\n1,2,3\n", rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"a", "b,c", "d\"e"}));
    EXPECT_FALSE(ParseCsv("a,b\"c\n", rows));
    EXPECT_FALSE(ParseCsv("a,\"b\"c\n", rows));
    EXPECT_FALSE(ParseCsv("a,\"b\n", rows));
}

TEST(MusicTrackCsv, HeaderAndNoteLines) {
    std::ostringstream out;
    cMusicTrackCsv t(&out, 480, 64, nullptr);
    t.WriteHeader();
    EXPECT_EQ(t.PutNote(0, 0, 480), 1);
    t.PutNote(5, 480, 240);
    t.PutNote(-6, 720, 240);
    EXPECT_EQ(out.str(),
              "pitch: 0 = middle C; step: 5; quarter note ticks: 480\n"
              "channel,patch,pitch,Eq Tmp,start,duration,TimeTop,TimeBot,Key\n"
              "0,Acoustic grand piano,0,0,0,480,4,2,0\n"
              "0,Acoustic grand piano,5,2,480,240,4,2,0\n"
              "0,Acoustic grand piano,-6,-2,720,240,4,2,0\n");
}

TEST(MusicTrackCsv, WalkCallsOnlyChangeTheFieldsOfLaterLines) {
    std::ostringstream out;
    cMusicTrackCsv t(&out, 96, 64, nullptr);
    t.PutTempo(60);
    t.PutText(u"ignored");
    t.SetChannel(3);
    t.PutProgramChange(73, 0);
    t.PutTimeSignature(6, 8, 24, 8);
    t.PutKeySignature(-2, 0);
    t.PutNote(64, 96, 48);
    t.SetPatch(200);  // no programme name: an empty field
    t.PutNote(kNoPitch, 0, 48);  // no pitch: no line
    t.PutNote(0, 144, 48);
    EXPECT_EQ(out.str(), "3,Flute,64,22,96,48,6,8,-2\n3,,0,0,144,48,6,8,-2\n");
}

TEST(MusicTrackCsv, WithoutAStreamNothingIsWritten) {
    cMusicTrackCsv t(nullptr, 480, 64, nullptr);
    t.WriteHeader();
    EXPECT_EQ(t.PutNote(0, 0, 480), 1);
    t.Close();
}

TEST(MusicTrackCsv, AWrittenListIsWellFormedCsvWithTheColumns) {
    std::u16string folder = test::MakeTempFolder("csv");
    std::u16string path = folder + u"notes.csv";
    std::string utf8 = PlatformPath(path.c_str());
    auto *file = new std::ofstream(std::filesystem::path(std::u8string(utf8.begin(), utf8.end())),
                                   std::ios::out | std::ios::trunc);
    ASSERT_TRUE(file->is_open());
    cMusicTrackCsv *t = new cMusicTrackCsv(file, 480, 1024, nullptr);
    t->WriteHeader();
    const int32_t patches[] = {0, 24, 40, 56, 73, 127};
    uint32_t time = 0;
    for (int i = 0; i < 60; ++i) {
        t->SetChannel(uint8_t(i % 4));
        t->PutProgramChange(uint8_t(patches[i % 6]), time);
        if (i == 30) t->PutTimeSignature(3, 4, 24, 8);
        if (i == 40) t->PutKeySignature(3, 0);
        t->PutNote((i * 3) % 40 - 20, time, 240);
        time += 120;
    }
    t->Close();
    EXPECT_FALSE(file->is_open());
    EXPECT_FALSE(file->fail());
    delete t;
    delete file;

    std::vector<std::vector<std::string>> rows;
    ASSERT_TRUE(ParseCsv(test::ReadFileBytes(path), rows));
    ASSERT_EQ(rows.size(), 62u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"pitch: 0 = middle C; step: 5; quarter note ticks: 480"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"channel", "patch", "pitch", "Eq Tmp", "start", "duration",
                                                 "TimeTop", "TimeBot", "Key"}));
    for (size_t r = 2; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 9u) << r;
        for (size_t c : {0u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
            const std::string &f = rows[r][c];
            ASSERT_FALSE(f.empty());
            EXPECT_EQ(f.find_first_not_of("-0123456789", f[0] == '-' ? 1 : 0), std::string::npos) << f;
        }
        int i = int(r - 2);
        EXPECT_EQ(std::stoi(rows[r][0]), i % 4);
        EXPECT_EQ(std::stoi(rows[r][2]), (i * 3) % 40 - 20);
        EXPECT_EQ(std::stoi(rows[r][4]), i * 120);
        EXPECT_EQ(rows[r][6], i >= 30 ? "3" : "4");
        EXPECT_EQ(rows[r][8], i >= 40 ? "3" : "0");
    }
    EXPECT_EQ(rows[2][1], "Acoustic grand piano");
    EXPECT_EQ(rows[7][1], "Gunshot");
}

}  // namespace
