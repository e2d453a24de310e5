#include "document/music_state.h"

#include <utility>

// A namespace-scope object with a constructor: built before main runs.
sMusicState gMusicState;

namespace {

template <class T>
T Replace(T &field, T value) {
    return std::exchange(field, value);
}

}  // namespace

bool IsUsableTimeWord(uint16_t word) {
    const int32_t numerator = (word >> 8) & 0xFF;
    const int32_t log2Denominator = word & 0xFF;
    return numerator != 0 && log2Denominator <= kMaxTimeWordLog2;
}

int32_t MeasureLengthOf(uint16_t word) {
    if (!IsUsableTimeWord(word)) return 0;
    return (kTicksPerWhole >> (word & 0xFF)) * ((word >> 8) & 0xFF);
}

int32_t sMusicState::SetLastX(int32_t value) { return Replace(lastX, value); }
int32_t sMusicState::SetCurrentTime(int32_t value) { return Replace(currentTime, value); }
int32_t sMusicState::SetMeasureStart(int32_t value) { return Replace(measureStart, value); }
int32_t sMusicState::SetMeasureLength(int32_t value) { return Replace(measureLength, value); }
int32_t sMusicState::SetMarkTime(int32_t value) { return Replace(markTime, value); }
int16_t sMusicState::SetClef(int16_t value) { return Replace(clef, value); }
int16_t sMusicState::SetKey(int16_t value) { return Replace(key, value); }
uint16_t sMusicState::SetTimeWord(uint16_t value) { return Replace(timeWord, value); }

uint16_t sMusicState::SetTimeSignature(int32_t numerator, int32_t log2Denominator) {
    return SetTimeWord(uint16_t((numerator & 0xFF) << 8 | (log2Denominator & 0xFF)));
}

int32_t sMusicState::ShiftTimes(int32_t offset) {
    currentTime += offset;
    measureStart += offset;
    markTime += offset;
    return 0;
}

int16_t SetRunningClef(int16_t clef) { return gMusicState.SetClef(clef); }
int16_t SetRunningKey(int16_t key) { return gMusicState.SetKey(key); }

uint16_t SetRunningTimeSignature(int32_t numerator, int32_t log2Denominator) {
    return gMusicState.SetTimeSignature(numerator, log2Denominator);
}

uint16_t SetRunningTimeWord(uint16_t word) {
    if (!IsUsableTimeWord(word)) return gMusicState.timeWord;
    gMusicState.SetMeasureLength(MeasureLengthOf(word));
    return gMusicState.SetTimeWord(word);
}
