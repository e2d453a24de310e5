// The platform object's factories of the MIDI player and the metronome.
// Both builds make the same objects; what they play on is the build's MIDI
// driver (midi_driver_win.cpp, midi_driver_posix.cpp).
#include <new>

#include "midi/metronome.h"
#include "midi/midi_track.h"
#include "platform/op_sys.h"

cMidiTrack *cOpSysVirtual::NewMidiTrack(uint16_t ticksPerQuarter, uint32_t bufferSize) {
    return new (std::nothrow) cMidiTrack(ticksPerQuarter, bufferSize);
}

cMetronome *cOpSysVirtual::NewMetronome(const uint16_t *tempo, cMidiTrack *track) {
    return new (std::nothrow) cMetronome(tempo, track);
}
