#include "midi/midi_error.h"

PELMORA_ERROR_TABLE(kMidiFileErrors, u"MidiFile", u"Bad data", u"Bad file", u"NULL pointer", u"Stream error");

void RaiseMidiFileError(uint32_t index) { RaiseError(&kMidiFileErrors, index); }
