#include "midi/pitch.h"

#include "foundation/char_string.h"
#include "foundation/text_util.h"

namespace {

// Semitones above C of the letters C..B.
constexpr int32_t kLetterSemitone[7] = {0, 2, 4, 5, 7, 9, 11};

// The major key whose tonic lies t semitones above C (flat spellings for the
// black keys); entry 12 is B sharp, that is C major again.
constexpr int32_t kSemitoneToFifths[13] = {0, -5, 2, -3, 4, -1, -6, 1, -4, 3, -2, 5, 0};

int32_t FloorDiv(int32_t a, int32_t b) {
    int32_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int16_t sPitch::SetSteps(int32_t steps) {
    value = static_cast<int16_t>(5 * steps);
    return value;
}

int32_t sPitch::RoundToStep() const {
    int32_t v = value;
    if (v == kNoPitch) return kNoPitch;
    int32_t r = v >= -2 ? v + 2 : v - 2;
    return r - r % 5;
}

int32_t sPitch::GetLetter() const {
    if (IsNone()) return kNoPitch;
    int32_t letter = (RoundToStep() / 5) % 7;
    return letter < 0 ? letter + 7 : letter;
}

int32_t sPitch::GetOctave() const {
    if (IsNone()) return kNoPitch;
    return FloorDiv(RoundToStep() / 5, 7);
}

int32_t sPitch::GetAlteration() const {
    if (IsNone()) return kNoPitch;
    return value - RoundToStep();
}

int32_t sPitch::GetSemitone() const {
    if (IsNone()) return kNoPitch;
    return 12 * GetOctave() + kLetterSemitone[GetLetter()] + GetAlteration();
}

int32_t PitchToSemitone(int32_t pitch) {
    if (pitch == kNoPitch) return kNoPitch;
    return sPitch(static_cast<int16_t>(pitch)).GetSemitone();
}

int32_t SemitoneToPitch(int32_t s, int32_t key) {
    if (s == kNoPitch) return kNoPitch;
    int32_t octave = s / 12;
    int32_t m = s % 12;
    // Two grid units per diatonic step: the white keys fall on even units,
    // the black keys on the odd ones between them.
    int32_t g = m;
    if (m > 4) ++g;
    if (g < 0) --g;
    if (g <= -9) --g;
    int32_t h = g >= 0 ? g / 2 : (g - 1) / 2;
    int32_t pitch = 5 * (7 * octave + h);
    if (g % 2 != 0) {
        bool flat = key < 0 || (key == 0 && (g == 11 || g == 3 || g == -3 || g == -11));
        // Sharp: the step's note raised; flat: the next step's note lowered.
        pitch += flat ? 4 : 1;
    }
    return pitch;
}

void sKeyAccidentals::Clear() {
    for (int8_t &e : entries) e = kUnset;
}

void sKeyAccidentals::Copy(const sKeyAccidentals &other) {
    for (int i = 0; i < 7; ++i) entries[i] = other.entries[i];
}

int32_t sKeyAccidentals::Get(int32_t pitch) const {
    if (pitch == kNoPitch) return kUnset;
    return entries[sPitch(static_cast<int16_t>(pitch)).GetLetter()];
}

int32_t sKeyAccidentals::Set(int32_t pitch) {
    if (pitch == kNoPitch) return kUnset;
    sPitch p(static_cast<int16_t>(pitch));
    entries[p.GetLetter()] = static_cast<int8_t>(p.GetAlteration());
    return pitch;
}

int32_t sKeySignature::Set(int32_t v) {
    if (v >= -7 && v <= 7) key = static_cast<int8_t>(v);
    return key;
}

const char16_t *sKeySignature::GetKeyName(bool upper) const {
    if (key < -7 || key > 7) return TempString(u"");
    int32_t index = key;
    if (key > 5) index -= 7;
    if (key < -1) index += 7;
    index += 1;
    char16_t name[3] = {u"FCGDAEB"[index], 0, 0};
    if (!upper) name[0] = ToAsciiLower(name[0]);
    if (key < -1) name[1] = u'b';
    if (key > 5) name[1] = u'#';
    return TempString(name);
}

int32_t sKeySignature::Parse(const char16_t *text) {
    key = kNone;
    if (!text) return 0;
    int32_t i = 0;
    while (IsWhiteSpace(text[i])) ++i;
    char16_t letter = ToAsciiUpper(text[i]);
    if (letter < u'A' || letter > u'G') return i;
    ++i;
    int32_t d = letter - u'C';
    if (d < 0) d += 7;
    int32_t t = 2 * d;
    if (t > 4) t -= 1;
    key = static_cast<int8_t>(kSemitoneToFifths[t]);
    if (text[i] == u'b') {
        key = static_cast<int8_t>(d == 0 ? -7 : kSemitoneToFifths[t - 1]);
        ++i;
    } else if (text[i] == u'#') {
        key = static_cast<int8_t>(d == 0 ? 7 : d == 3 ? 6 : kSemitoneToFifths[t + 1]);
        ++i;
    }
    return i;
}

int32_t sKeySignature::Transpose(int32_t semitones) {
    if (key < -7 || key > 7) return key;
    int32_t i = semitones % 12;
    if (i < 0) i += 12;
    int32_t k = key + kSemitoneToFifths[i];
    if (k < -7) k += 12;
    if (k > 7) k -= 12;
    key = static_cast<int8_t>(k);
    return k;
}
