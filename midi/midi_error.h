// The "MidiFile" error table of the MIDI file classes.  Its errors are
// logged and counted, never shown to the user.
#pragma once

#include <cstdint>

#include "foundation/error_msg.h"

extern const sErrorTable kMidiFileErrors;

enum : uint32_t {
    kMidiBadData = 0,
    kMidiBadFile = 1,
    kMidiNullPointer = 2,
    kMidiStreamError = 3,
};

void RaiseMidiFileError(uint32_t index);
