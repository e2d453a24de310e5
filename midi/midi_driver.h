// The MIDI output services that the player, the preview note and the
// metronome use: the stream of timed records, short messages, volume, the
// one-shot timers and the notices posted to a window.  The Windows build
// implements them with the multimedia library (midi_driver_win.cpp); the
// native build has no MIDI output at all (midi_driver_posix.cpp); tests put
// a driver of their own in place.
//
// Callbacks of a driver run on a thread of its own.  A callback may do no
// more than the multimedia library allows there: read and write plain
// shared fields, post a notice, send a short message, arm or kill a timer.
// Preparing, queueing, stopping and resetting happen on the caller's thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/os_handles.h"

// Device id of the system's MIDI mapper.
constexpr uint32_t kMidiMapper = 0xFFFFFFFF;

// Results of the driver calls: 0 for success, otherwise the system's code.
enum : uint32_t {
    kMidiOk = 0,
    kMidiBadDeviceId = 2,
    kMidiNotEnabled = 3,
    kMidiInvalidHandle = 5,
    kMidiStillPlaying = 65,  // the buffer is still queued on the stream
    kMidiTimerNoCanDo = 97,  // no such timer pending
};

// Messages of the stream callback, and the wParam of the notices.
enum : uint32_t {
    kMomOpen = 967,
    kMomClose = 968,
    kMomDone = 969,
    kMomPositionCb = 970,
};

// The capabilities of one output device.
struct sMidiOutCaps {
    uint16_t manufacturer = 0;
    uint16_t product = 0;
    std::u16string name;
    uint16_t technology = 0;
    uint16_t voices = 0;
    uint16_t notes = 0;
    uint16_t channelMask = 0;
    uint32_t support = 0;
};

// One buffer of stream records handed to the driver.  The driver keeps its
// own record of the buffer in `system` while it is prepared; the header
// must therefore outlive the stream it was prepared on.
struct sMidiStreamBuffer {
    uint8_t *data = nullptr;
    uint32_t bufferLength = 0;
    uint32_t bytesRecorded = 0;
    uintptr_t user = 0;
    // Byte offset of the record whose position callback is being delivered.
    std::atomic<uint32_t> offset{0};
    alignas(16) unsigned char system[160] = {};
};

// The opaque stream handle; each driver points it at a record of its own.
struct sMidiStreamTag;
using tMidiStream = sMidiStreamTag *;

// Receives the stream's messages on the driver's thread.  With kMomDone
// and kMomPositionCb the header is the buffer concerned (its offset names
// the marked record), otherwise null.
class cMidiStreamClient {
public:
    virtual void OnStreamMessage(uint32_t message, sMidiStreamBuffer *header) = 0;

protected:
    ~cMidiStreamClient() = default;
};

// Receives the firing of a one-shot timer on the timer thread.
class cMidiTimerClient {
public:
    virtual void OnTimer(uint32_t timerId) = 0;

protected:
    ~cMidiTimerClient() = default;
};

class cMidiDriver {
public:
    virtual ~cMidiDriver() = default;

    virtual uint32_t GetNumDevs() = 0;
    // kMidiOk and the capabilities, or the error of an unknown device.
    virtual uint32_t GetDevCaps(uint32_t deviceId, sMidiOutCaps &caps) = 0;

    // Opens one stream, paused, on the device; *stream is null on failure.
    virtual uint32_t StreamOpen(uint32_t deviceId, cMidiStreamClient *client, tMidiStream *stream) = 0;
    virtual uint32_t StreamClose(tMidiStream stream) = 0;
    virtual uint32_t SetTimeDivision(tMidiStream stream, uint32_t ticksPerQuarter) = 0;
    virtual uint32_t PrepareHeader(tMidiStream stream, sMidiStreamBuffer *header) = 0;
    // kMidiStillPlaying while the buffer is queued.
    virtual uint32_t UnprepareHeader(tMidiStream stream, sMidiStreamBuffer *header) = 0;
    // Queues a prepared buffer behind those already queued.
    virtual uint32_t StreamOut(tMidiStream stream, sMidiStreamBuffer *header) = 0;
    virtual uint32_t StreamRestart(tMidiStream stream) = 0;
    // Stops the stream; every queued buffer comes back with kMomDone.
    virtual uint32_t StreamStop(tMidiStream stream) = 0;
    // As StreamStop, and every note is turned off.
    virtual uint32_t OutReset(tMidiStream stream) = 0;
    virtual uint32_t OutShortMsg(tMidiStream stream, uint32_t message) = 0;
    // Left volume in the low word, right in the high word.
    virtual uint32_t OutSetVolume(tMidiStream stream, uint32_t volume) = 0;
    virtual uint32_t OutGetVolume(tMidiStream stream, uint32_t *volume) = 0;

    // A one-shot timer: the client's OnTimer runs once after the delay.
    // Answers its id, 0 when no timer could be made.
    virtual uint32_t SetTimer(uint32_t delayMs, uint32_t resolutionMs, cMidiTimerClient *client) = 0;
    // kMidiOk when the timer was still pending and will not fire.
    virtual uint32_t KillTimer(uint32_t timerId) = 0;

    // Posts WM_USER with the two parameters to the window; never waits.
    virtual void PostNotice(tWindowHandle window, uintptr_t wParam, intptr_t lParam) = 0;
};

// The driver that new players and metronomes use: the system's, unless a
// test put another in place.  SetMidiDriver answers the previous one; null
// restores the system's.
cMidiDriver *GetMidiDriver();
cMidiDriver *SetMidiDriver(cMidiDriver *driver);
// The system's own driver (one per build).
cMidiDriver &SystemMidiDriver();
