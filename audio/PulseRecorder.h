// A record stream on the PulseAudio server (or PipeWire's Pulse service)
// driven by the Qt event loop's own GLib main loop: the thread wakes when the
// server hands over a block, once per block. Qt Multimedia's source polls on a
// timer instead, which adds up to a block of delay, makes the blocks arrive
// unevenly (the listener's jitter buffer then holds more), and wakes two
// threads twice as often.
//
// Where it cannot run (built without libpulse, an event loop that is not
// GLib's, no Pulse server) usable() or fail() says so, and the caller records
// through Qt Multimedia instead.
#pragma once
#include <QByteArray>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>

namespace qx::audio {

class PulseRecorder {
public:
    using Block = std::function<void(const std::int16_t* samples, std::size_t count)>;
    // `recorded`: the stream had started (the device went away, not a device it could not open).
    using Failed = std::function<void(const QString& why, bool recorded)>;

    PulseRecorder() = default;
    ~PulseRecorder();
    PulseRecorder(const PulseRecorder&) = delete;
    PulseRecorder& operator=(const PulseRecorder&) = delete;

    // Built with libpulse, and the calling thread's event loop is GLib's.
    static bool usable();
    // Records mono 16-bit from the source of that name at that rate in blocks
    // of about blockSamples. Connecting goes on in the event loop; a failure
    // then stops the recorder and comes through `failed` on a later turn of
    // the loop, unless `context` is gone by then.
    bool start(const QByteArray& source, int rate, int blockSamples, Block block, Failed failed,
               QObject* context);
    void stop();
    bool running() const { return state_ != nullptr; }

    struct State;  // the server's objects; its callbacks reach it by pointer

private:
    State* state_ = nullptr;
};

} // namespace qx::audio
