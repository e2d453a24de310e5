// Test helpers around the device-less MIDI driver (midi/recording_midi_driver.h).
#pragma once

#include <cstdint>
#include <vector>

#include "midi/recording_midi_driver.h"

namespace test {

using cFakeMidiDriver = cRecordingMidiDriver;

// One stream record as the tests read it back.
struct sStreamRecord {
    uint32_t position = 0;  // byte offset
    uint32_t time = 0;      // absolute ticks
    uint32_t word = 0;      // the event word
    std::vector<uint8_t> data;
};

// The records of a player's buffer; stops at the first byte that is not
// a whole record (*whole, when given, tells whether all were).
inline std::vector<sStreamRecord> DecodeRecords(const uint8_t *p, uint32_t n, bool *whole = nullptr) {
    std::vector<sStreamRecord> records;
    uint32_t pos = 0;
    uint32_t time = 0;
    while (pos < n) {
        uint32_t size = cRecordingMidiDriver::RecordSize(p + pos, n - pos);
        if (size == 0) break;
        sStreamRecord r;
        r.position = pos;
        time += cRecordingMidiDriver::Le32(p + pos);
        r.time = time;
        r.word = cRecordingMidiDriver::Le32(p + pos + 8);
        r.data.assign(p + pos + 12, p + pos + size);
        records.push_back(std::move(r));
        pos += size;
    }
    if (whole) *whole = pos == n;
    return records;
}

// Puts a fake driver in place for the objects made while it lives.
class cFakeDriverScope {
public:
    cFakeDriverScope() { previous = SetMidiDriver(&driver); }
    ~cFakeDriverScope() { SetMidiDriver(previous == &SystemMidiDriver() ? nullptr : previous); }
    cFakeMidiDriver driver;

private:
    cMidiDriver *previous = nullptr;
};

}  // namespace test
