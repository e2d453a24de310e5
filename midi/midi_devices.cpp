#include "midi/midi_devices.h"

#include <algorithm>
#include <string>

#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "midi/midi_driver.h"

namespace {

constexpr uint32_t kDeviceTextSize = 500;
char16_t gDeviceText[kDeviceTextSize];

const char16_t *TechnologyName(uint32_t technology) {
    static const char16_t *const kNames[] = {u"MIDIPort", u"Synth",  u"SQSynth", u"FMSynth",
                                             u"Mapper",   u"Wavetable", u"SWSynth"};
    return technology >= 1 && technology <= 7 ? kNames[technology - 1] : u"unknown";
}

std::u16string SupportNames(uint32_t support) {
    static const struct {
        uint32_t bit;
        const char16_t *name;
    } kSupport[] = {{4, u"Cache"}, {2, u"LRVolume"}, {8, u"Stream"}, {1, u"Volume"}};
    std::u16string names;
    for (const auto &s : kSupport) {
        if (!(support & s.bit)) continue;
        if (!names.empty()) names += u"/";
        names += s.name;
    }
    return names;
}

// Upper-case hexadecimal, as the device text has always shown the mask.
std::u16string UpperHex(uint32_t n) {
    std::u16string s = FormatHex(n);
    for (char16_t &c : s) c = ToAsciiUpper(c);
    return s;
}

void SetDeviceText(const std::u16string &text) {
    size_t n = std::min<size_t>(text.size(), kDeviceTextSize - 1);
    std::copy_n(text.begin(), n, gDeviceText);
    gDeviceText[n] = 0;
}

}  // namespace

uint32_t GetMidiDeviceCount() { return GetMidiDriver()->GetNumDevs(); }

const char16_t *GetMidiDeviceText(uint32_t deviceId) {
    SetDeviceText(u"invalid");
    cMidiDriver *driver = GetMidiDriver();
    sMidiOutCaps caps;
    if ((deviceId == kMidiMapper || deviceId < driver->GetNumDevs()) &&
        driver->GetDevCaps(deviceId, caps) == kMidiOk) {
        SetDeviceText(u"Name " + caps.name + u", vendor " + FormatInt(caps.manufacturer) + u", product " +
                      FormatInt(caps.product) + u", tech " + TechnologyName(caps.technology) + u", voices " +
                      FormatInt(caps.voices) + u", notes " + FormatInt(caps.notes) + u", channels " +
                      UpperHex(caps.channelMask) + u", support " + SupportNames(caps.support));
    }
    return gDeviceText;
}

const char16_t *GetMidiDeviceReport() {
    std::u16string report = u"MIDI Mapper: ";
    report += GetMidiDeviceText(kMidiMapper);
    for (uint32_t role = 0; role < GetMidiDeviceRoleCount(); ++role)
        report += u"\nMIDI device " + FormatUnsigned(role) + u": " + GetMidiDeviceRoleKey(role);
    return TempStringOf(report);
}

uint32_t GetMidiDeviceRoleCount() { return 1; }

const char16_t *GetMidiDeviceRoleKey(uint32_t role) { return role == 0 ? u"MidiOutDevice" : nullptr; }
