// A music track that keeps what the export walk put into it, in order, as
// readable lines, so that a native test checks the walk without a file:
//   note <pitch> <start> <duration>      tempo <bpm>
//   time <num>/<den> <clocks> <32nds>    key <sharps or flats> <minor>
//   program <patch> <time>               mark <tag> <time>
//   name <text>    text <text>    channel <n>    end
#pragma once

#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "midi/music_track.h"

namespace test {

class cRecordingMusicTrack : public cMusicTrack {
public:
    explicit cRecordingMusicTrack(uint16_t ticksPerQuarter = 480) : cMusicTrack(ticksPerQuarter, 1024, nullptr) {}

    std::vector<std::string> events;

    int32_t PutNote(int32_t pitch, uint32_t start, uint32_t duration) override {
        Add("note " + std::to_string(pitch) + " " + std::to_string(start) + " " + std::to_string(duration));
        return 0;
    }
    void PutTempo(int32_t beatsPerMinute) override { Add("tempo " + std::to_string(beatsPerMinute)); }
    void PutTimeSignature(int32_t numerator, int32_t denominator, int32_t clocksPerClick,
                          int32_t n32ndsPerQuarter) override {
        cMusicTrack::PutTimeSignature(numerator, denominator, clocksPerClick, n32ndsPerQuarter);
        Add("time " + std::to_string(numerator) + "/" + std::to_string(denominator) + " " +
            std::to_string(clocksPerClick) + " " + std::to_string(n32ndsPerQuarter));
    }
    int32_t PutKeySignature(int32_t sharpsOrFlats, int32_t minor) override {
        int32_t stored = cMusicTrack::PutKeySignature(sharpsOrFlats, minor);
        Add("key " + std::to_string(sharpsOrFlats) + " " + std::to_string(minor));
        return stored;
    }
    uint8_t PutProgramChange(uint8_t newPatch, uint32_t time) override {
        Add("program " + std::to_string(newPatch) + " " + std::to_string(time));
        return cMusicTrack::PutProgramChange(newPatch, time);
    }
    void PutPositionMark(uint32_t tag, uint32_t time) override {
        Add("mark " + std::to_string(tag) + " " + std::to_string(time));
    }
    int32_t PutTrackName(const char16_t *name) override {
        Add("name " + ToUtf8(name ? name : u""));
        return 0;
    }
    int32_t PutText(const char16_t *text) override {
        Add("text " + ToUtf8(text ? text : u""));
        return 0;
    }
    uint8_t SetChannel(uint8_t newChannel) override {
        Add("channel " + std::to_string(newChannel));
        return cMusicTrack::SetChannel(newChannel);
    }
    int32_t PutEndOfTrack() override {
        Add("end");
        return 0;
    }

private:
    void Add(std::string line) { events.push_back(std::move(line)); }
};

}  // namespace test
