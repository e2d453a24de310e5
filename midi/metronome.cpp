#include "midi/metronome.h"

#include <chrono>
#include <thread>

#include "midi/midi_track.h"

namespace {

constexpr uint32_t kSilentBeatMs = 200;  // the pace of a metronome at tempo 0
constexpr uint32_t kTimerResolutionMs = 2;
constexpr uint16_t kClickTicksPerQuarter = 128;

}  // namespace

cMetronomeBase::cMetronomeBase(const uint16_t *tempoSource, cMidiTrack *clickTrack)
    : tempo(tempoSource), track(clickTrack) {}

cMetronomeBase::~cMetronomeBase() = default;

int32_t cMetronomeBase::Stop() { return running.exchange(0); }

int32_t cMetronomeBase::Start() { return running.exchange(1); }

cMetronome::cMetronome(const uint16_t *tempoSource, cMidiTrack *clickTrack)
    : cMetronomeBase(tempoSource, clickTrack), driver(GetMidiDriver()) {}

cMetronome::~cMetronome() { Stop(); }

uint32_t cMetronome::ReadTempo() const {
    // The value belongs to a dialog on the GUI thread; beats read it from
    // the timer thread.
    return tempo ? std::atomic_ref<uint16_t>(*const_cast<uint16_t *>(tempo)).load(std::memory_order_relaxed) : 0;
}

uint32_t cMetronome::BeatDelay() const {
    uint32_t bpm = ReadTempo();
    return bpm ? 60000 / bpm : kSilentBeatMs;
}

int32_t cMetronome::Start() {
    if (IsRunning()) return 1;
    // A beat of an earlier run that is still pending would carry on beside
    // the new chain.
    WaitForTimer();
    int32_t previous = cMetronomeBase::Start();
    if (!track) return previous;
    track->ResetState();
    track->Reset();
    track->SetNotifyWindow(nullptr);  // no cursor and no end notices while ticking
    // The click is written at 128 ticks per quarter (the stream keeps the
    // division it was opened with); the resolution of everything else, the
    // preview note's length among it, comes back afterwards.
    uint32_t savedTicksPerQuarter = gTicksPerQuarter;
    gTicksPerQuarter = kClickTicksPerQuarter;
    track->PutTempo(120);
    track->PutProgramChange(0, 0);
    track->SetChannel(9);
    track->PutNote(0, 0, 16);  // key 60 on the percussion channel
    track->PutEndOfTrack();
    gTicksPerQuarter = savedTicksPerQuarter;
    Beat();
    return previous;
}

void cMetronome::Beat() {
    if (!IsRunning() || !track) {
        timerId.store(0);  // last: the object may go as soon as Stop sees it
        return;
    }
    uint32_t bpm = ReadTempo();
    uint32_t delay = kSilentBeatMs;
    if (bpm > 0) {
        // Without a stream there is nothing to sound (and nothing to log
        // from the timer thread at every beat).
        if (track->HasStream()) {
            track->Stop();
            track->Play();
        }
        delay = 60000 / bpm;
    }
    timerId.store(driver->SetTimer(delay, kTimerResolutionMs, this));
}

void cMetronome::OnTimer(uint32_t) { Beat(); }

int32_t cMetronome::Stop() {
    int32_t previous = cMetronomeBase::Stop();
    WaitForTimer();
    return previous;
}

void cMetronome::WaitForTimer() {
    // The pending beat finds the flag clear and clears the id: that takes at
    // most one beat.  Should it not come (a timer lost by the system), the
    // timer is killed, and the wait never goes on for ever.
    using Clock = std::chrono::steady_clock;
    auto limit = Clock::now() + std::chrono::milliseconds(BeatDelay() + 1000);
    bool killTried = false;
    while (uint32_t id = timerId.load()) {
        if (Clock::now() >= limit) {
            if (killTried) break;
            killTried = true;
            uint32_t pending = id;
            if (driver->KillTimer(id) == kMidiOk) timerId.compare_exchange_strong(pending, 0);
            limit = Clock::now() + std::chrono::milliseconds(1000);
            continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
