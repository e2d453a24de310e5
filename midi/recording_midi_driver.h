// A MIDI driver without a device.  It keeps what it is asked to do
// (prepared and queued buffers, short messages, timers, posted notices) and
// plays queued buffers back on a thread of its own, at the speed their delta
// times and tempo records give (scaled by musicScale), delivering position
// callbacks and the return of every buffer as a system driver does.  It
// also checks what the caller does: records that do not fit their buffer,
// buffers changed while queued, and stream calls made from its own thread.
//
// The unit tests of the player use it, and the program uses it in place of
// the system's driver when PELMORA_TEST_MIDI asks (app/test_settings_win.cpp):
// then its notices reach the window through the system's driver
// (noticeSink) and each played channel message is appended to recordPath
// as a line "<ms> <status> <data1> <data2>" (hexadecimal bytes, the time in
// milliseconds of music since the pass began: since the last stop or
// reset), so that Play runs to its end where no MIDI output exists.
//
// Timers are either fired by the test (FireTimer) or, with threaded timers,
// by a thread of the driver after their scaled-down delay.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <cstdio>

#include "foundation/file_io.h"
#include "midi/midi_driver.h"

class cRecordingMidiDriver : public cMidiDriver {
public:
    using Clock = std::chrono::steady_clock;

    struct sNotice {
        tWindowHandle window;
        uintptr_t wParam;
        intptr_t lParam;
    };
    struct sTimer {
        uint32_t id = 0;
        uint32_t delay = 0;
        uint32_t resolution = 0;
        cMidiTimerClient *client = nullptr;
        Clock::time_point due;
    };

    // ---- Set-up (before the objects under test are made) ----
    std::vector<sMidiOutCaps> devices;
    bool hasMapper = true;
    sMidiOutCaps mapperCaps;
    bool openFails = false;
    // A buffer whose header user is this chunk fails to prepare (-1: none).
    int32_t failPrepareOf = -1;
    // Queueing fails from this call on (counted from 0 per driver; -1: never).
    int32_t failOutFrom = -1;
    // Real seconds per second of music.
    double musicScale = 0.001;
    // StreamStop and OutReset wait until the buffers are back.
    bool synchronousStop = false;
    // Timers fire on the driver's own thread after delay x timerScale.
    bool threadedTimers = false;
    double timerScale = 0.001;
    bool timersFail = false;
    // The program's use: where notices go and where the played messages
    // are recorded (empty: kept in memory only).
    cMidiDriver *noticeSink = nullptr;
    std::u16string recordPath;

    cRecordingMidiDriver() {
        mapperCaps.name = u"Fake Mapper";
        mapperCaps.technology = 5;
        mapperCaps.voices = 32;
        mapperCaps.notes = 32;
        mapperCaps.channelMask = 0xFFFF;
        mapperCaps.support = 8;
    }

    ~cRecordingMidiDriver() override {
        {
            std::lock_guard<std::mutex> lk(m);
            timerQuit = true;
        }
        timerCv.notify_all();
        if (timerThread.joinable()) timerThread.join();
        for (auto &s : streams) Shutdown(*s);
    }

    // ---- What happened ----
    std::vector<std::string> Calls() {
        std::lock_guard<std::mutex> lk(m);
        return calls;
    }
    void ClearCalls() {
        std::lock_guard<std::mutex> lk(m);
        calls.clear();
    }
    std::vector<sNotice> Notices() {
        std::lock_guard<std::mutex> lk(m);
        return notices;
    }
    void ClearNotices() {
        std::lock_guard<std::mutex> lk(m);
        notices.clear();
    }
    // Waits (generously) until the test holds for the notices.
    bool WaitForNotices(const std::function<bool(const std::vector<sNotice> &)> &done,
                        std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        std::unique_lock<std::mutex> lk(m);
        return noticeCv.wait_for(lk, limit, [&] { return done(notices); });
    }
    std::vector<uint32_t> ShortMessages() {
        std::lock_guard<std::mutex> lk(m);
        return shortMessages;
    }
    // Channel messages the stream played, as event words.
    std::vector<uint32_t> Played() {
        std::lock_guard<std::mutex> lk(m);
        return played;
    }
    std::vector<sTimer> TimersSet() {
        std::lock_guard<std::mutex> lk(m);
        return timersSet;
    }
    std::vector<uint32_t> TimersKilled() {
        std::lock_guard<std::mutex> lk(m);
        return timersKilled;
    }
    size_t PendingTimers() {
        std::lock_guard<std::mutex> lk(m);
        return pendingTimers.size();
    }
    // The most timers one client had pending at once, over all clients.
    size_t MaxPendingOfAClient() {
        std::lock_guard<std::mutex> lk(m);
        size_t most = 0;
        for (auto &p : maxPending) most = std::max(most, p.second);
        return most;
    }
    uint32_t TimerFirings() {
        std::lock_guard<std::mutex> lk(m);
        return timerFirings;
    }
    size_t PreparedCount() {
        std::lock_guard<std::mutex> lk(m);
        size_t n = 0;
        for (auto &s : streams) n += s->prepared.size();
        return n;
    }
    size_t QueuedCount() {
        std::lock_guard<std::mutex> lk(m);
        size_t n = 0;
        for (auto &s : streams) n += s->queue.size() + s->returning.size();
        return n;
    }
    size_t OpenStreams() {
        std::lock_guard<std::mutex> lk(m);
        return streams.size();
    }
    uint32_t TimeDivision() {
        std::lock_guard<std::mutex> lk(m);
        return streams.empty() ? 0 : streams.back()->timeDivision;
    }
    uint32_t Volume() {
        std::lock_guard<std::mutex> lk(m);
        return volume;
    }
    void SetVolumeWord(uint32_t v) {
        std::lock_guard<std::mutex> lk(m);
        volume = v;
    }
    // Faults found in what the caller did.
    uint32_t MalformedBuffers() { return Read(malformed); }
    uint32_t ChangedWhileQueued() { return Read(changedWhileQueued); }
    uint32_t CallsFromDriverThread() { return Read(callsFromDriverThread); }
    uint32_t QueuedUnprepared() { return Read(queuedUnprepared); }

    // Fires a pending timer on the calling thread; false when it is not
    // pending (killed or fired).
    bool FireTimer(uint32_t id) {
        cMidiTimerClient *client = nullptr;
        {
            std::lock_guard<std::mutex> lk(m);
            auto it = pendingTimers.find(id);
            if (it == pendingTimers.end()) return false;
            client = it->second.client;
            pendingTimers.erase(it);
            ++timerFirings;
        }
        client->OnTimer(id);
        return true;
    }

    // Runs the callback of a timer that is no longer pending, as a timer
    // that fired while it was being killed does.
    void FireStale(uint32_t id) {
        cMidiTimerClient *client = nullptr;
        {
            std::lock_guard<std::mutex> lk(m);
            for (auto &t : timersSet)
                if (t.id == id) client = t.client;
        }
        if (client) client->OnTimer(id);
    }

    // ---- The driver ----
    uint32_t GetNumDevs() override { return uint32_t(devices.size()); }

    uint32_t GetDevCaps(uint32_t id, sMidiOutCaps &caps) override {
        if (id == kMidiMapper) {
            if (!hasMapper) return kMidiBadDeviceId;
            caps = mapperCaps;
            return kMidiOk;
        }
        if (id >= devices.size()) return kMidiBadDeviceId;
        caps = devices[id];
        return kMidiOk;
    }

    uint32_t StreamOpen(uint32_t id, cMidiStreamClient *client, tMidiStream *out) override {
        *out = nullptr;
        if (openFails || (id == kMidiMapper ? !hasMapper : id >= devices.size())) return kMidiBadDeviceId;
        auto s = std::make_unique<sStream>();
        s->client = client;
        s->deviceId = id;
        sStream *raw = s.get();
        {
            std::lock_guard<std::mutex> lk(m);
            streams.push_back(std::move(s));
            calls.push_back("open");
        }
        client->OnStreamMessage(kMomOpen, nullptr);
        raw->thread = std::thread([this, raw] { Run(*raw); });
        *out = reinterpret_cast<tMidiStream>(raw);
        return kMidiOk;
    }

    uint32_t StreamClose(tMidiStream handle) override {
        sStream *s = Find(handle);
        if (!s) return kMidiInvalidHandle;
        {
            std::lock_guard<std::mutex> lk(m);
            NoteCall(*s, "close");
            if (!s->queue.empty() || !s->returning.empty()) return kMidiStillPlaying;
        }
        Shutdown(*s);
        s->client->OnStreamMessage(kMomClose, nullptr);
        std::lock_guard<std::mutex> lk(m);
        streams.erase(std::find_if(streams.begin(), streams.end(), [s](auto &p) { return p.get() == s; }));
        return kMidiOk;
    }

    uint32_t SetTimeDivision(tMidiStream handle, uint32_t tpq) override {
        sStream *s = Find(handle);
        if (!s) return kMidiInvalidHandle;
        std::lock_guard<std::mutex> lk(m);
        s->timeDivision = tpq;
        return kMidiOk;
    }

    uint32_t PrepareHeader(tMidiStream handle, sMidiStreamBuffer *h) override {
        sStream *s = Find(handle);
        if (!s) return kMidiInvalidHandle;
        std::lock_guard<std::mutex> lk(m);
        NoteCall(*s, "prepare " + std::to_string(h->user));
        if (int32_t(h->user) == failPrepareOf) return 11;  // invalid parameter
        if (!h->data || h->bufferLength == 0 || h->bytesRecorded > h->bufferLength) return 11;
        s->prepared.insert(h);
        return kMidiOk;
    }

    uint32_t UnprepareHeader(tMidiStream handle, sMidiStreamBuffer *h) override {
        sStream *s = Find(handle);
        if (!s) return kMidiInvalidHandle;
        std::lock_guard<std::mutex> lk(m);
        if (std::find(s->queue.begin(), s->queue.end(), h) != s->queue.end() ||
            std::find(s->returning.begin(), s->returning.end(), h) != s->returning.end())
            return kMidiStillPlaying;
        NoteCall(*s, "unprepare " + std::to_string(h->user));
        s->prepared.erase(h);
        return kMidiOk;
    }

    uint32_t StreamOut(tMidiStream handle, sMidiStreamBuffer *h) override {
        sStream *s = Find(handle);
        if (!s) return kMidiInvalidHandle;
        std::lock_guard<std::mutex> lk(m);
        NoteCall(*s, "out " + std::to_string(h->user));
        if (failOutFrom >= 0 && outCalls++ >= uint32_t(failOutFrom)) return 11;
        if (!s->prepared.count(h)) {
            ++queuedUnprepared;
            return 64;  // unprepared
        }
        if (!WellFormed(h->data, h->bytesRecorded)) ++malformed;
        s->copies[h].assign(h->data, h->data + h->bytesRecorded);
        s->queue.push_back(h);
        s->cv.notify_all();
        return kMidiOk;
    }

    uint32_t StreamRestart(tMidiStream handle) override {
        sStream *s = Find(handle);
        if (!s) return kMidiInvalidHandle;
        std::lock_guard<std::mutex> lk(m);
        NoteCall(*s, "restart");
        s->running = true;
        s->cv.notify_all();
        return kMidiOk;
    }

    uint32_t StreamStop(tMidiStream handle) override { return Halt(handle, "stop"); }
    uint32_t OutReset(tMidiStream handle) override { return Halt(handle, "reset"); }

    uint32_t OutShortMsg(tMidiStream handle, uint32_t message) override {
        if (!Find(handle)) return kMidiInvalidHandle;
        std::lock_guard<std::mutex> lk(m);
        shortMessages.push_back(message);
        return kMidiOk;
    }

    uint32_t OutSetVolume(tMidiStream handle, uint32_t v) override {
        if (!Find(handle)) return kMidiInvalidHandle;
        std::lock_guard<std::mutex> lk(m);
        volume = v;
        return kMidiOk;
    }

    uint32_t OutGetVolume(tMidiStream handle, uint32_t *v) override {
        if (!Find(handle)) return kMidiInvalidHandle;
        std::lock_guard<std::mutex> lk(m);
        *v = volume;
        return kMidiOk;
    }

    uint32_t SetTimer(uint32_t delay, uint32_t resolution, cMidiTimerClient *client) override {
        std::lock_guard<std::mutex> lk(m);
        if (timersFail) return 0;
        sTimer t;
        t.id = nextTimerId++;
        t.delay = delay;
        t.resolution = resolution;
        t.client = client;
        t.due = Clock::now() + std::chrono::microseconds(int64_t(delay * 1000.0 * timerScale));
        pendingTimers[t.id] = t;
        timersSet.push_back(t);
        size_t mine = 0;
        for (auto &p : pendingTimers) mine += p.second.client == client;
        maxPending[client] = std::max(maxPending[client], mine);
        if (threadedTimers && !timerThread.joinable()) timerThread = std::thread([this] { RunTimers(); });
        timerCv.notify_all();
        return t.id;
    }

    uint32_t KillTimer(uint32_t id) override {
        std::lock_guard<std::mutex> lk(m);
        timersKilled.push_back(id);
        return pendingTimers.erase(id) ? kMidiOk : kMidiTimerNoCanDo;
    }

    void PostNotice(tWindowHandle window, uintptr_t wParam, intptr_t lParam) override {
        if (noticeSink) noticeSink->PostNotice(window, wParam, lParam);
        {
            std::lock_guard<std::mutex> lk(m);
            notices.push_back({window, wParam, lParam});
        }
        noticeCv.notify_all();
    }

    // Whether bytes are whole stream records.
    static bool WellFormed(const uint8_t *p, uint32_t n) {
        uint32_t pos = 0;
        while (pos < n) {
            uint32_t size = RecordSize(p + pos, n - pos);
            if (size == 0) return false;
            pos += size;
        }
        return true;
    }

    // Size of the record at p, 0 when it is not a whole record.
    static uint32_t RecordSize(const uint8_t *p, uint32_t available) {
        if (available < 12 || Le32(p + 4) != 0) return 0;
        uint32_t type = p[11] & ~0x40u;
        uint32_t size = 12;
        if (type == 0x00) {
            if (!(p[8] & 0x80) || p[8] >= 0xF0 || p[10] & 0x80 || p[9] & 0x80) return 0;
        } else if (type == 0x82 || type == 0x80) {
            if (p[9] || p[10]) return 0;
            size += (p[8] + 3u) & ~3u;
        } else if (type != 0x01 && type != 0x02) {
            return 0;
        }
        return size <= available ? size : 0;
    }

    static uint32_t Le32(const uint8_t *p) {
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }

private:
    struct sStream {
        cMidiStreamClient *client = nullptr;
        uint32_t deviceId = 0;
        uint32_t timeDivision = 96;
        uint32_t tempo = 500000;
        Clock::time_point due;  // when the next record plays
        double musicMicros = 0;  // music time of the pass, from its delta times
        std::deque<sMidiStreamBuffer *> queue;
        std::deque<sMidiStreamBuffer *> returning;  // stopped, not yet given back
        std::set<sMidiStreamBuffer *> prepared;
        std::map<sMidiStreamBuffer *, std::vector<uint8_t>> copies;
        bool running = false;
        uint32_t haltRequests = 0;
        uint32_t haltsDone = 0;
        bool closing = false;
        std::thread thread;
        std::thread::id threadId;
        std::condition_variable cv;
    };

    uint32_t Read(uint32_t &field) {
        std::lock_guard<std::mutex> lk(m);
        return field;
    }

    sStream *Find(tMidiStream handle) {
        std::lock_guard<std::mutex> lk(m);
        for (auto &s : streams)
            if (reinterpret_cast<tMidiStream>(s.get()) == handle) return s.get();
        return nullptr;
    }

    // Under the lock.
    void NoteCall(sStream &s, const std::string &what) {
        calls.push_back(what);
        if (std::this_thread::get_id() == s.threadId) ++callsFromDriverThread;
    }

    uint32_t Halt(tMidiStream handle, const char *what) {
        sStream *s = Find(handle);
        if (!s) return kMidiInvalidHandle;
        std::unique_lock<std::mutex> lk(m);
        NoteCall(*s, what);
        // The stream stops at once; its buffers come back from the thread.
        s->running = false;
        s->musicMicros = 0;  // the next pass starts its music at 0
        s->returning.insert(s->returning.end(), s->queue.begin(), s->queue.end());
        s->queue.clear();
        uint32_t ticket = ++s->haltRequests;
        s->cv.notify_all();
        if (synchronousStop && std::this_thread::get_id() != s->threadId)
            s->cv.wait(lk, [&] { return s->haltsDone >= ticket; });
        return kMidiOk;
    }

    void Shutdown(sStream &s) {
        {
            std::lock_guard<std::mutex> lk(m);
            s.closing = true;
        }
        s.cv.notify_all();
        if (s.thread.joinable()) s.thread.join();
    }

    // Gives every queued buffer back, in order.  Under the lock, which it
    // lets go around each callback.
    void ReturnAll(sStream &s, std::unique_lock<std::mutex> &lk) {
        while (!s.returning.empty()) {
            sMidiStreamBuffer *h = s.returning.front();
            s.returning.pop_front();
            CheckUnchanged(s, h);
            lk.unlock();
            s.client->OnStreamMessage(kMomDone, h);
            lk.lock();
        }
    }

    void CheckUnchanged(sStream &s, sMidiStreamBuffer *h) {
        auto it = s.copies.find(h);
        if (it == s.copies.end()) return;
        if (it->second.size() != h->bytesRecorded || !std::equal(it->second.begin(), it->second.end(), h->data))
            ++changedWhileQueued;
        s.copies.erase(it);
    }

    // The playback thread of one stream.
    void Run(sStream &s) {
        std::unique_lock<std::mutex> lk(m);
        s.threadId = std::this_thread::get_id();
        for (;;) {
            s.cv.wait(lk, [&] {
                return s.closing || s.haltsDone < s.haltRequests || (s.running && !s.queue.empty());
            });
            if (s.haltsDone < s.haltRequests) {
                uint32_t upTo = s.haltRequests;
                ReturnAll(s, lk);
                s.haltsDone = upTo;
                s.cv.notify_all();
                continue;
            }
            if (s.closing) return;
            sMidiStreamBuffer *h = s.queue.front();
            // Music time runs on from the previous buffer unless the
            // stream was idle in between.
            if (s.due < Clock::now()) s.due = Clock::now();
            uint32_t pos = 0;
            bool halted = false;
            while (pos < h->bytesRecorded) {
                uint32_t size = RecordSize(h->data + pos, h->bytesRecorded - pos);
                if (size == 0) break;
                uint32_t delta = Le32(h->data + pos);
                double micros = double(delta) * s.tempo / (s.timeDivision ? s.timeDivision : 1) * musicScale;
                s.due += std::chrono::microseconds(int64_t(micros));
                s.musicMicros += micros / musicScale;
                if (s.cv.wait_until(lk, s.due, [&] { return s.closing || s.haltsDone < s.haltRequests; })) {
                    halted = true;
                    break;
                }
                uint32_t word = Le32(h->data + pos + 8);
                uint32_t type = word >> 24 & ~0x40u;
                if (type == 0x00) Record(s, word);
                if (type == 0x01) s.tempo = word & 0xFFFFFF;
                if (word >> 24 & 0x40) {
                    h->offset.store(pos);
                    lk.unlock();
                    s.client->OnStreamMessage(kMomPositionCb, h);
                    lk.lock();
                    if (s.closing || s.haltsDone < s.haltRequests) {
                        halted = true;
                        break;
                    }
                }
                pos += size;
            }
            if (halted) continue;  // the halt gives the buffer back
            s.queue.pop_front();
            CheckUnchanged(s, h);
            lk.unlock();
            s.client->OnStreamMessage(kMomDone, h);
            lk.lock();
        }
    }

    // Under the lock.
    void Record(sStream &s, uint32_t word) {
        played.push_back(word);
        if (recordPath.empty()) return;
        double ms = s.musicMicros / 1000.0;
        char line[64];
        std::snprintf(line, sizeof line, "%lld %02X %02X %02X\n", static_cast<long long>(ms + 0.5), word & 0xFF,
                      word >> 8 & 0xFF, word >> 16 & 0xFF);
        if (FILE *f = OpenFileWide(recordPath.c_str(), "ab")) {
            std::fputs(line, f);
            std::fclose(f);
        }
    }

    void RunTimers() {
        std::unique_lock<std::mutex> lk(m);
        while (!timerQuit) {
            if (pendingTimers.empty()) {
                timerCv.wait(lk);
                continue;
            }
            auto next = std::min_element(pendingTimers.begin(), pendingTimers.end(),
                                         [](auto &a, auto &b) { return a.second.due < b.second.due; });
            Clock::time_point due = next->second.due;  // the timer may be killed meanwhile
            if (Clock::now() < due) {
                timerCv.wait_until(lk, due);
                continue;
            }
            sTimer t = next->second;
            pendingTimers.erase(next);
            ++timerFirings;
            lk.unlock();
            t.client->OnTimer(t.id);
            lk.lock();
        }
    }

    std::mutex m;
    std::vector<std::unique_ptr<sStream>> streams;
    std::vector<std::string> calls;
    std::vector<sNotice> notices;
    std::condition_variable noticeCv;
    std::vector<uint32_t> shortMessages;
    std::vector<uint32_t> played;
    uint32_t volume = 0xFFFFFFFF;
    uint32_t outCalls = 0;
    uint32_t malformed = 0;
    uint32_t changedWhileQueued = 0;
    uint32_t callsFromDriverThread = 0;
    uint32_t queuedUnprepared = 0;

    std::map<uint32_t, sTimer> pendingTimers;
    std::vector<sTimer> timersSet;
    std::vector<uint32_t> timersKilled;
    std::map<cMidiTimerClient *, size_t> maxPending;
    uint32_t nextTimerId = 1;
    uint32_t timerFirings = 0;
    bool timerQuit = false;
    std::thread timerThread;
    std::condition_variable timerCv;
};
