// The MIDI driver of the native build: a system without MIDI output.  No
// device, no stream, no timer; every call answers an error.
#include "midi/midi_driver.h"

namespace {

class cNoMidiDriver : public cMidiDriver {
public:
    uint32_t GetNumDevs() override { return 0; }
    uint32_t GetDevCaps(uint32_t, sMidiOutCaps &) override { return kMidiBadDeviceId; }
    uint32_t StreamOpen(uint32_t, cMidiStreamClient *, tMidiStream *stream) override {
        *stream = nullptr;
        return kMidiBadDeviceId;
    }
    uint32_t StreamClose(tMidiStream) override { return kMidiInvalidHandle; }
    uint32_t SetTimeDivision(tMidiStream, uint32_t) override { return kMidiInvalidHandle; }
    uint32_t PrepareHeader(tMidiStream, sMidiStreamBuffer *) override { return kMidiInvalidHandle; }
    uint32_t UnprepareHeader(tMidiStream, sMidiStreamBuffer *) override { return kMidiInvalidHandle; }
    uint32_t StreamOut(tMidiStream, sMidiStreamBuffer *) override { return kMidiInvalidHandle; }
    uint32_t StreamRestart(tMidiStream) override { return kMidiInvalidHandle; }
    uint32_t StreamStop(tMidiStream) override { return kMidiInvalidHandle; }
    uint32_t OutReset(tMidiStream) override { return kMidiInvalidHandle; }
    uint32_t OutShortMsg(tMidiStream, uint32_t) override { return kMidiInvalidHandle; }
    uint32_t OutSetVolume(tMidiStream, uint32_t) override { return kMidiInvalidHandle; }
    uint32_t OutGetVolume(tMidiStream, uint32_t *) override { return kMidiInvalidHandle; }
    uint32_t SetTimer(uint32_t, uint32_t, cMidiTimerClient *) override { return 0; }
    uint32_t KillTimer(uint32_t) override { return kMidiTimerNoCanDo; }
    void PostNotice(tWindowHandle, uintptr_t, intptr_t) override {}
};

}  // namespace

cMidiDriver &SystemMidiDriver() {
    static cNoMidiDriver driver;
    return driver;
}
