// The "Set Tempo" dialog (ScoreObject::TempoDialog): the score's tempo and
// play-repeats switch, set while a metronome beats at the tempo under the
// slider.
#pragma once

#include <cstdint>

class cMessageDvcBase;

// The open dialog's event handler: keeps the metronome's copy of the tempo
// up with the slider.
int32_t TempoDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog, uint32_t data);
