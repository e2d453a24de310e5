// The metronome: turns the player into a one-note percussion track and
// replays it on every beat from a one-shot timer that arms the next beat.
// The tempo is read through a pointer at every beat, so a dialog that edits
// the value changes the speed at once.  Made through
// cOpSysBase::NewMetronome.
#pragma once

#include <atomic>
#include <cstdint>

#include "midi/midi_driver.h"

class cMidiTrack;

class cMetronomeBase {
public:
    // The tempo (beats per minute) and the track may be null.
    cMetronomeBase(const uint16_t *tempo, cMidiTrack *track);
    virtual ~cMetronomeBase();
    cMetronomeBase(const cMetronomeBase &) = delete;
    cMetronomeBase &operator=(const cMetronomeBase &) = delete;

    // Both answer the previous run flag.
    virtual int32_t Stop();
    virtual int32_t Start();

    bool IsRunning() const { return running.load() != 0; }

protected:
    const uint16_t *tempo;
    std::atomic<int32_t> running{0};
    cMidiTrack *track;
};

class cMetronome : public cMetronomeBase, private cMidiTimerClient {
public:
    cMetronome(const uint16_t *tempo, cMidiTrack *track);
    // Stops it and waits for its timer, as Stop does.
    ~cMetronome() override;

    // Clears the run flag and waits until the pending beat has found it
    // clear (at most one beat).
    int32_t Stop() override;
    // Builds the click track and beats.  A metronome already ticking goes
    // on as it is: there is only ever one chain of timers.
    int32_t Start() override;
    // One beat: with the flag set and a track, sounds the click (not at
    // tempo 0) and arms the next beat after 60000 / bpm ms (200 at 0).
    void Beat();

    // The pending timer, 0 when none.
    uint32_t GetTimerId() const { return timerId.load(); }
    // Delay until the next beat at the current tempo.
    uint32_t BeatDelay() const;

private:
    void OnTimer(uint32_t id) override;
    uint32_t ReadTempo() const;
    // Waits until no timer of this metronome is pending.
    void WaitForTimer();

    cMidiDriver *driver;
    std::atomic<uint32_t> timerId{0};
};
