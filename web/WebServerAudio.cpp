// The web server's audio: receive frames out to the pages that listen, the
// controller's microphone frames in, keying the transmitter while they come.
#include "web/WebServer.h"

#include "core/TransmitGuard.h"

#include <QJsonDocument>
#include <QTimer>
#include <QWebSocket>

#include <vector>

namespace qx::web {
namespace {
// About a second of Opus: a page further behind than this misses frames.
constexpr qint64 kMaxAudioQueuedBytes = 16 * 1024;
} // namespace

void WebServer::setAudio(AudioHooks hooks) { audio_ = std::move(hooks); }

void WebServer::setAudioStatus(const QJsonObject& status)
{
    audioStatus_ = status;
    QJsonObject m = status;
    m["t"] = "audio";
    for (auto& [id, c] : clients_) {
        if (c.audio != 0)
            sendTo(c, m);
    }
}

int WebServer::audioListeners(bool pcm) const
{
    int n = 0;
    for (const auto& [id, c] : clients_)
        n += c.audio == (pcm ? 2 : 1);
    return n;
}

void WebServer::onAudioRequest(int id, const QJsonObject& m)
{
    Client& c = clients_.at(id);
    const int before = c.audio;
    c.audio = !m.value("rx").toBool() ? 0 : m.value("pcm").toBool() ? 2 : 1;
    // First: the host may only now look for its devices, and the page should hear what it found.
    if (before != c.audio && audio_.listenersChanged)
        audio_.listenersChanged();
    auto it = clients_.find(id);
    if (it == clients_.end())
        return;
    QJsonObject status = audioStatus_;
    status["t"] = "audio";
    sendTo(it->second, status);
}

void WebServer::sendAudio(const QByteArray& opusFrame, const QByteArray& pcmFrame)
{
    for (auto& [id, c] : clients_) {
        if (c.audio == 0 || !c.socket || c.socket->state() != QAbstractSocket::ConnectedState)
            continue;
        const QByteArray& frame = c.audio == 2 ? pcmFrame : opusFrame;
        if (frame.isEmpty() || c.socket->bytesToWrite() > kMaxAudioQueuedBytes)
            continue;
        c.socket->sendBinaryMessage(frame);
    }
}

void WebServer::onBinary(int id, const QByteArray& bytes)
{
    if (clients_.find(id) == clients_.end())
        return;
    if (!audio_.check || !audio_.play)
        return dropClient(id, QStringLiteral("binary message"));
    // A viewer's microphone reaches nothing.
    if (!control_.holds(id))
        return;
    // Not a frame, oversized, late or repeated: nothing is played, nothing keyed.
    if (!audio_.check(id, bytes))
        return;
    switch (txGate_.frame(now_())) {
    case AudioTxGate::Frame::Refused: return;
    case AudioTxGate::Frame::KeyDown:
        if (pttHolder_ != id)
            setPtt(id, true, {});
        break;
    case AudioTxGate::Frame::Keyed: break;
    }
    if (pttHolder_ != id)
        return;
    audioGap_->start(AudioTxGate::kGap);
    audio_.play(id, bytes);
}

void WebServer::audioGapCheck()
{
    if (pttHolder_ == 0 || !txGate_.keyed())
        return;
    const auto now = now_();
    if (!txGate_.gapOver(now)) {
        // A clock of its own (tests) may run behind the timer: look again when it is due.
        audioGap_->start(std::chrono::duration_cast<std::chrono::milliseconds>(
                             AudioTxGate::kGap - (now - txGate_.lastFrame())) +
                         std::chrono::milliseconds(1));
        return;
    }
    setPtt(pttHolder_, false, QStringLiteral("no microphone audio for 500 ms"));
}

void WebServer::endAudioBurst()
{
    audioGap_->stop();
    const bool was = txGate_.keyed();
    txGate_.released();
    if (was && audio_.burstEnded)
        audio_.burstEnded();
}

} // namespace qx::web
