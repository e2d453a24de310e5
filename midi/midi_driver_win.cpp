// The MIDI driver of the Windows build: the multimedia library's stream,
// MIDI output and timer calls.
#include <new>

#include "foundation/win32_win.h"
#include "midi/midi_driver.h"

namespace {

static_assert(sizeof(MIDIHDR) <= sizeof(sMidiStreamBuffer::system), "the header's system record is too small");
static_assert(alignof(MIDIHDR) <= 16, "the header's system record is not aligned for MIDIHDR");

// What a stream handle of this driver points at.
struct sWinStream {
    HMIDISTRM handle = nullptr;
    cMidiStreamClient *client = nullptr;
};

sWinStream *WinStream(tMidiStream stream) { return reinterpret_cast<sWinStream *>(stream); }

HMIDIOUT OutHandle(tMidiStream stream) {
    return stream ? reinterpret_cast<HMIDIOUT>(WinStream(stream)->handle) : nullptr;
}

MIDIHDR *SystemHeader(sMidiStreamBuffer *header) { return reinterpret_cast<MIDIHDR *>(header->system); }

// Runs on the driver's thread: it only turns the system's header back into
// ours and passes the message on.
void CALLBACK StreamProc(HMIDIOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
    sWinStream *stream = reinterpret_cast<sWinStream *>(instance);
    if (!stream || !stream->client) return;
    sMidiStreamBuffer *header = nullptr;
    if ((message == MOM_DONE || message == MOM_POSITIONCB) && param1) {
        MIDIHDR *system = reinterpret_cast<MIDIHDR *>(param1);
        header = reinterpret_cast<sMidiStreamBuffer *>(system->dwUser);
        if (header && message == MOM_POSITIONCB) header->offset.store(system->dwOffset);
    }
    stream->client->OnStreamMessage(message, header);
}

void CALLBACK TimerProc(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    if (user) reinterpret_cast<cMidiTimerClient *>(user)->OnTimer(id);
}

class cWinMidiDriver : public cMidiDriver {
public:
    uint32_t GetNumDevs() override { return midiOutGetNumDevs(); }

    uint32_t GetDevCaps(uint32_t deviceId, sMidiOutCaps &caps) override {
        MIDIOUTCAPSW system = {};
        MMRESULT result = midiOutGetDevCapsW(UINT_PTR(deviceId == kMidiMapper ? MIDI_MAPPER : deviceId),
                                             &system, sizeof system);
        if (result != MMSYSERR_NOERROR) return result;
        caps.manufacturer = system.wMid;
        caps.product = system.wPid;
        system.szPname[MAXPNAMELEN - 1] = 0;
        caps.name = U(system.szPname);
        caps.technology = system.wTechnology;
        caps.voices = system.wVoices;
        caps.notes = system.wNotes;
        caps.channelMask = system.wChannelMask;
        caps.support = system.dwSupport;
        return kMidiOk;
    }

    uint32_t StreamOpen(uint32_t deviceId, cMidiStreamClient *client, tMidiStream *out) override {
        *out = nullptr;
        sWinStream *stream = new (std::nothrow) sWinStream;
        if (!stream) return MMSYSERR_NOMEM;
        stream->client = client;
        UINT device = deviceId;
        HMIDISTRM handle = nullptr;
        MMRESULT result = midiStreamOpen(&handle, &device, 1, DWORD_PTR(&StreamProc), DWORD_PTR(stream),
                                         CALLBACK_FUNCTION);
        // A failed open may still leave a value in the handle: it is not one.
        if (result != MMSYSERR_NOERROR || !handle) {
            delete stream;
            return result != MMSYSERR_NOERROR ? result : MMSYSERR_ERROR;
        }
        stream->handle = handle;
        *out = reinterpret_cast<tMidiStream>(stream);
        return kMidiOk;
    }

    uint32_t StreamClose(tMidiStream stream) override {
        if (!stream) return MMSYSERR_INVALHANDLE;
        MMRESULT result = midiStreamClose(WinStream(stream)->handle);
        // No callback comes after the close has returned.
        if (result == MMSYSERR_NOERROR) delete WinStream(stream);
        return result;
    }

    uint32_t SetTimeDivision(tMidiStream stream, uint32_t ticksPerQuarter) override {
        if (!stream) return MMSYSERR_INVALHANDLE;
        MIDIPROPTIMEDIV division = {sizeof division, ticksPerQuarter};
        return midiStreamProperty(WinStream(stream)->handle, reinterpret_cast<LPBYTE>(&division),
                                  MIDIPROP_SET | MIDIPROP_TIMEDIV);
    }

    uint32_t PrepareHeader(tMidiStream stream, sMidiStreamBuffer *header) override {
        if (!stream) return MMSYSERR_INVALHANDLE;
        MIDIHDR *system = new (header->system) MIDIHDR{};
        system->lpData = reinterpret_cast<LPSTR>(header->data);
        system->dwBufferLength = header->bufferLength;
        system->dwBytesRecorded = header->bytesRecorded;
        system->dwUser = DWORD_PTR(header);
        return midiOutPrepareHeader(OutHandle(stream), system, sizeof(MIDIHDR));
    }

    uint32_t UnprepareHeader(tMidiStream stream, sMidiStreamBuffer *header) override {
        if (!stream) return MMSYSERR_INVALHANDLE;
        return midiOutUnprepareHeader(OutHandle(stream), SystemHeader(header), sizeof(MIDIHDR));
    }

    uint32_t StreamOut(tMidiStream stream, sMidiStreamBuffer *header) override {
        if (!stream) return MMSYSERR_INVALHANDLE;
        return midiStreamOut(WinStream(stream)->handle, SystemHeader(header), sizeof(MIDIHDR));
    }

    uint32_t StreamRestart(tMidiStream stream) override {
        return stream ? midiStreamRestart(WinStream(stream)->handle) : MMSYSERR_INVALHANDLE;
    }

    uint32_t StreamStop(tMidiStream stream) override {
        return stream ? midiStreamStop(WinStream(stream)->handle) : MMSYSERR_INVALHANDLE;
    }

    uint32_t OutReset(tMidiStream stream) override {
        return stream ? midiOutReset(OutHandle(stream)) : MMSYSERR_INVALHANDLE;
    }

    uint32_t OutShortMsg(tMidiStream stream, uint32_t message) override {
        return stream ? midiOutShortMsg(OutHandle(stream), message) : MMSYSERR_INVALHANDLE;
    }

    uint32_t OutSetVolume(tMidiStream stream, uint32_t volume) override {
        return stream ? midiOutSetVolume(OutHandle(stream), volume) : MMSYSERR_INVALHANDLE;
    }

    uint32_t OutGetVolume(tMidiStream stream, uint32_t *volume) override {
        if (!stream) return MMSYSERR_INVALHANDLE;
        DWORD value = 0;
        MMRESULT result = midiOutGetVolume(OutHandle(stream), &value);
        if (result == MMSYSERR_NOERROR) *volume = value;
        return result;
    }

    uint32_t SetTimer(uint32_t delayMs, uint32_t resolutionMs, cMidiTimerClient *client) override {
        return timeSetEvent(delayMs, resolutionMs, &TimerProc, DWORD_PTR(client), TIME_ONESHOT | TIME_CALLBACK_FUNCTION);
    }

    uint32_t KillTimer(uint32_t timerId) override { return timeKillEvent(timerId); }

    void PostNotice(HWND window, uintptr_t wParam, intptr_t lParam) override {
        if (window) PostMessageW(window, WM_USER, WPARAM(wParam), LPARAM(lParam));
    }
};

}  // namespace

cMidiDriver &SystemMidiDriver() {
    static cWinMidiDriver driver;
    return driver;
}
