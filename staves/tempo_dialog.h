// The score's tempo and play-repeats switch, and the "Set Tempo" dialog that
// sets them while a metronome beats at the tempo under the slider.
#pragma once

#include <cstdint>

class cMessageDvcBase;

// The two fields of the score the dialog edits; the score object hands in
// its own and takes them back.
struct sScoreTempo {
    uint16_t tempo = 120;     // beats per minute, as played and exported
    uint8_t playRepeats = 1;  // playback follows repeat bar lines
};

// With a tempo other than 0 the score simply takes it; with 0 the dialog
// runs.  Answers the tempo from before the call.
uint16_t TempoDialog(sScoreTempo &score, uint16_t tempo);

// The open dialog's event handler: keeps the metronome's copy of the tempo
// up with the slider.
int32_t TempoDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog, uint32_t data);
