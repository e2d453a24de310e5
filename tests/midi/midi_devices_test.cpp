// The text description of the MIDI output devices.
#include <gtest/gtest.h>

#include "midi/midi_devices.h"
#include "tests/midi/fake_midi_driver.h"

namespace {

class MidiDevices : public testing::Test {
protected:
    test::cFakeDriverScope fake;
    test::cFakeMidiDriver &driver = fake.driver;
};

TEST_F(MidiDevices, TextOfADevice) {
    sMidiOutCaps caps;
    caps.name = u"Synth A";
    caps.manufacturer = 1;
    caps.product = 102;
    caps.technology = 7;
    caps.voices = 48;
    caps.notes = 64;
    caps.channelMask = 0xFFFF;
    caps.support = 1 | 2 | 4 | 8;
    driver.devices = {caps};
    EXPECT_EQ(GetMidiDeviceCount(), 1u);
    EXPECT_EQ(std::u16string(GetMidiDeviceText(0)),
              u"Name Synth A, vendor 1, product 102, tech SWSynth, voices 48, notes 64, channels FFFF, "
              u"support Cache/LRVolume/Stream/Volume");
}

TEST_F(MidiDevices, TechnologyAndSupportNames) {
    struct Case {
        uint16_t technology;
        uint32_t support;
        const char16_t *tech;
        const char16_t *supportNames;
    } cases[] = {
        {1, 0, u"MIDIPort", u""},          {2, 1, u"Synth", u"Volume"},
        {3, 8 | 1, u"SQSynth", u"Stream/Volume"}, {4, 2 | 8, u"FMSynth", u"LRVolume/Stream"},
        {5, 4 | 1, u"Mapper", u"Cache/Volume"},   {6, 0x10, u"Wavetable", u""},
        {0, 0, u"unknown", u""},            {8, 0, u"unknown", u""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.technology);
        sMidiOutCaps caps;
        caps.name = u"D";
        caps.channelMask = 0x0200;
        caps.technology = c.technology;
        caps.support = c.support;
        driver.devices = {caps};
        std::u16string expected = u"Name D, vendor 0, product 0, tech " + std::u16string(c.tech) +
                                  u", voices 0, notes 0, channels 200, support " + c.supportNames;
        EXPECT_EQ(std::u16string(GetMidiDeviceText(0)), expected);
    }
}

TEST_F(MidiDevices, InvalidIdsAndLongNames) {
    driver.devices.resize(2);
    EXPECT_EQ(std::u16string(GetMidiDeviceText(2)), u"invalid");
    EXPECT_EQ(std::u16string(GetMidiDeviceText(0x7FFFFFFF)), u"invalid");
    driver.hasMapper = false;
    EXPECT_EQ(std::u16string(GetMidiDeviceText(kMidiMapper)), u"invalid");
    // The text is cut to what its buffer holds.
    driver.devices[0].name = std::u16string(600, u'n');
    std::u16string text = GetMidiDeviceText(0);
    EXPECT_EQ(text.size(), 499u);
    EXPECT_EQ(text.substr(0, 6), u"Name n");
}

TEST_F(MidiDevices, ReportNamesTheMapperAndTheRoles) {
    EXPECT_EQ(std::u16string(GetMidiDeviceReport()),
              u"MIDI Mapper: Name Fake Mapper, vendor 0, product 0, tech Mapper, voices 32, notes 32, "
              u"channels FFFF, support Stream\nMIDI device 0: MidiOutDevice");
    EXPECT_EQ(GetMidiDeviceRoleCount(), 1u);
    EXPECT_EQ(std::u16string(GetMidiDeviceRoleKey(0)), u"MidiOutDevice");
    EXPECT_EQ(GetMidiDeviceRoleKey(1), nullptr);
    driver.hasMapper = false;
    EXPECT_EQ(std::u16string(GetMidiDeviceReport()), u"MIDI Mapper: invalid\nMIDI device 0: MidiOutDevice");
}

}  // namespace
