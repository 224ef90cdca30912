#include "audio/PulseRecorder.h"

#include <QAbstractEventDispatcher>
#include <QTimer>

#ifdef QX_HAVE_PULSE
#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/glib-mainloop.h>
#include <pulse/stream.h>

#include <vector>
#endif

namespace qx::audio {

#ifdef QX_HAVE_PULSE

struct PulseRecorder::State {
    QByteArray source;
    pa_sample_spec format{};
    std::size_t blockBytes = 0;
    Block block;
    Failed failed;
    QPointer<QObject> listener;
    PulseRecorder* owner = nullptr;  // null once stopped
    pa_glib_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    int busy = 0;                    // inside one of the server's callbacks
    bool recorded = false;           // the stream was ready
    std::vector<std::int16_t> silence;
};

namespace {
using State = PulseRecorder::State;

void destroy(State* s)
{
    if (s->stream) {
        pa_stream_set_read_callback(s->stream, nullptr, nullptr);
        pa_stream_set_state_callback(s->stream, nullptr, nullptr);
        pa_stream_disconnect(s->stream);
        pa_stream_unref(s->stream);
    }
    if (s->context) {
        pa_context_set_state_callback(s->context, nullptr, nullptr);
        pa_context_disconnect(s->context);
        pa_context_unref(s->context);
    }
    if (s->loop)
        pa_glib_mainloop_free(s->loop);
    delete s;
}

// The main loop's own dispatch is still on the stack inside a callback: the
// state goes on the next turn of the event loop.
void release(State* s)
{
    s->owner = nullptr;
    if (s->busy > 0)
        QTimer::singleShot(0, [s] { destroy(s); });
    else
        destroy(s);
}

QString serverError(State* s)
{
    return QString::fromUtf8(pa_strerror(pa_context_errno(s->context)));
}

// The caller may stop or start again from its failure handler; it hears of
// the failure after the callback that found it has returned.
void fail(State* s, const QString& why)
{
    PulseRecorder* owner = s->owner;
    if (!owner)
        return;
    PulseRecorder::Failed failed = s->failed;
    QPointer<QObject> listener = s->listener;
    const bool recorded = s->recorded;
    owner->stop();
    if (listener && failed)
        QTimer::singleShot(0, listener.data(), [failed, why, recorded] { failed(why, recorded); });
}

struct Busy {
    explicit Busy(State* s) : s(s) { ++s->busy; }
    ~Busy() { --s->busy; }
    State* s;
};

void onRead(pa_stream* stream, std::size_t, void* user)
{
    auto* s = static_cast<State*>(user);
    Busy busy(s);
    while (s->owner && pa_stream_readable_size(stream) > 0) {
        const void* data = nullptr;
        std::size_t bytes = 0;
        if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0)
            return;
        const std::size_t count = bytes / sizeof(std::int16_t);
        if (data) {
            s->block(static_cast<const std::int16_t*>(data), count);
        } else {
            // A hole (the server dropped data): its length in silence keeps the timing.
            s->silence.assign(count, 0);
            s->block(s->silence.data(), count);
        }
        pa_stream_drop(stream);
    }
}

void onStreamState(pa_stream* stream, void* user)
{
    auto* s = static_cast<State*>(user);
    Busy busy(s);
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (state == PA_STREAM_READY)
        s->recorded = true;
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED)
        fail(s, QStringLiteral("the source %1 does not record: %2")
                    .arg(QString::fromUtf8(s->source), serverError(s)));
}

void onContextState(pa_context* context, void* user)
{
    auto* s = static_cast<State*>(user);
    Busy busy(s);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY: {
        s->stream = pa_stream_new(context, "receive audio", &s->format, nullptr);
        if (!s->stream) {
            fail(s, QStringLiteral("no record stream: %1").arg(serverError(s)));
            return;
        }
        pa_stream_set_state_callback(s->stream, onStreamState, s);
        pa_stream_set_read_callback(s->stream, onRead, s);
        pa_buffer_attr attr;
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = attr.prebuf = attr.minreq = static_cast<std::uint32_t>(-1);
        attr.fragsize = static_cast<std::uint32_t>(s->blockBytes);
        if (pa_stream_connect_record(s->stream, s->source.isEmpty() ? nullptr : s->source.constData(), &attr,
                                     // Unplugged, the radio's codec fails the stream rather
                                     // than the server moving it to the desk microphone.
                                     static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_DONT_MOVE)) < 0)
            fail(s, QStringLiteral("the source %1 does not open: %2")
                        .arg(QString::fromUtf8(s->source), serverError(s)));
        break;
    }
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        fail(s, QStringLiteral("the sound server went away: %1").arg(serverError(s)));
        break;
    default:
        break;
    }
}
} // namespace

bool PulseRecorder::usable()
{
    const QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    return loop && loop->inherits("QEventDispatcherGlib");
}

bool PulseRecorder::start(const QByteArray& source, int rate, int blockSamples, Block block, Failed failed,
                          QObject* context)
{
    stop();
    if (!usable())
        return false;
    auto* s = new State;
    s->source = source;
    s->format.format = PA_SAMPLE_S16LE;
    s->format.rate = static_cast<std::uint32_t>(rate);
    s->format.channels = 1;
    s->blockBytes = static_cast<std::size_t>(blockSamples) * sizeof(std::int16_t);
    s->block = std::move(block);
    s->failed = std::move(failed);
    s->listener = context;
    s->owner = this;
    s->loop = pa_glib_mainloop_new(nullptr);
    s->context = s->loop ? pa_context_new(pa_glib_mainloop_get_api(s->loop), "rcp720") : nullptr;
    if (!s->context) {
        destroy(s);
        return false;
    }
    pa_context_set_state_callback(s->context, onContextState, s);
    if (pa_context_connect(s->context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        destroy(s);
        return false;
    }
    state_ = s;
    return true;
}

void PulseRecorder::stop()
{
    if (!state_)
        return;
    State* s = state_;
    state_ = nullptr;
    release(s);
}

#else

struct PulseRecorder::State {};

bool PulseRecorder::usable() { return false; }

bool PulseRecorder::start(const QByteArray&, int, int, Block, Failed, QObject*) { return false; }

void PulseRecorder::stop() {}

#endif

PulseRecorder::~PulseRecorder() { stop(); }

} // namespace qx::audio
