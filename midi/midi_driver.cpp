#include "midi/midi_driver.h"

namespace {

cMidiDriver *gMidiDriver = nullptr;

}  // namespace

cMidiDriver *GetMidiDriver() { return gMidiDriver ? gMidiDriver : &SystemMidiDriver(); }

cMidiDriver *SetMidiDriver(cMidiDriver *driver) {
    cMidiDriver *previous = GetMidiDriver();
    gMidiDriver = driver;
    return previous;
}
