// A playback volume that another part of the program sets: the status bar's
// volume slider sets the MIDI player's without either knowing the other.
#pragma once

#include <cstdint>

class cVolumeControl {
public:
    virtual ~cVolumeControl() = default;
    // Percent, 0 to 100; answers a result of the player's own.
    virtual int32_t SetVolume(int32_t volume) = 0;
};
