// The remote station's server: one page (from the program's resources), a
// login that opens a session, and one WebSocket per browser over which the
// radio's state is pushed when it changes and the controller's operations
// arrive. Plain HTTP on loopback only; anywhere else it runs TLS.
//
// Runs on the thread that owns it (the UI thread's event loop); reads the
// state stores and posts requests as the panel does.
#pragma once
#include "web/AudioTxGate.h"
#include "web/ControlOwner.h"
#include "web/HttpRequestHead.h"
#include "web/LoginLimiter.h"
#include "web/WebSessions.h"
#include "web/WebStateView.h"

#include <QHostAddress>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>

#include <functional>
#include <map>
#include <optional>
#include <string>

class QTcpServer;
class QTcpSocket;
class QTimer;
class QWebSocket;
class QWebSocketServer;

namespace qx {
class TransmitGuard;
namespace rig {
class RigStateView;
class RigWriter;
}
} // namespace qx

namespace qx::web {

struct WebServerConfig {
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 0;  // 0: any free port (tests)
    std::string passwordHash;
    std::optional<QSslConfiguration> tls;
    QString fingerprint;  // the certificate's SHA-256, shown on the page
    std::chrono::seconds idle = WebSessions::kDefaultIdle;
};

class WebServer : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kHeartbeat{1000};
    static constexpr qint64 kMaxMessageBytes = 64 * 1024;
    static constexpr qsizetype kMaxBodyBytes = 4 * 1024;
    static constexpr qint64 kMaxQueuedBytes = 1024 * 1024;

    using Log = std::function<void(const QString&)>;

    WebServer(rig::RigStateView& radio, rig::RigWriter& writer, TransmitGuard& guard, Log log,
              Now now = WebClock::now, QObject* parent = nullptr);
    ~WebServer() override;

    // False with the reason in error() when it cannot listen (or is not allowed to).
    bool start(const WebServerConfig& config);
    void stop();
    bool running() const;
    quint16 port() const;
    const QString& error() const { return error_; }

    // Something reached the window: the state may have changed.
    void stateMayHaveChanged();
    // A message for every page (a transmit time-out, the operator's word).
    void notice(const QString& text);
    // The operator at the radio takes control back (true) or frees it.
    void panelControl(bool take);
    ControlOwner& control() { return control_; }
    int clientCount() const { return static_cast<int>(clients_.size()); }

    // Remote audio, plugged in by the program. Without it a binary message
    // closes the page that sent it.
    struct AudioHooks {
        // The controller's frame: true when it is a frame, in order, worth playing.
        std::function<bool(int client, const QByteArray& frame)> check;
        // Plays a checked frame (the transmitter is keyed for it by then).
        std::function<void(int client, const QByteArray& frame)> play;
        // The microphone's burst ended (gap, release, loss of control).
        std::function<void()> burstEnded;
        // Pages started or stopped listening.
        std::function<void()> listenersChanged;
    };
    void setAudio(AudioHooks hooks);
    // What a page that asks for audio is told ({"available": bool, "text": ...}).
    void setAudioStatus(const QJsonObject& status);
    // One receive frame to every page listening: Opus to most, PCM to the
    // pages that asked for it. A page that lags behind misses frames rather
    // than hearing them later and later.
    void sendAudio(const QByteArray& opusFrame, const QByteArray& pcmFrame);
    int audioListeners(bool pcm) const;

private:
    struct Client {
        QPointer<QWebSocket> socket;
        std::string token;
        QString name;
        bool ptt = false;
        int audio = 0;  // 0: not listening, 1: Opus, 2: 16 kHz PCM
    };

    void onPendingConnection();
    void onReadable(QTcpSocket* socket);
    void answerHttp(QTcpSocket* socket, const HttpRequestHead& head, const QByteArray& body);
    void answerLogin(QTcpSocket* socket, const HttpRequestHead& head, const QByteArray& body);
    void serveFile(QTcpSocket* socket, const QString& resource, const QByteArray& type);
    void reply(QTcpSocket* socket, int status, const QByteArray& type, const QByteArray& body,
               const QByteArray& extraFields = {});
    bool originAllowed(const HttpRequestHead& head) const;
    std::string sessionOf(const HttpRequestHead& head) const;
    void upgrade(QTcpSocket* socket, const HttpRequestHead& head);

    void onWebSocket();
    void onText(int id, const QString& text);
    void onBinary(int id, const QByteArray& bytes);
    void onAudioRequest(int id, const QJsonObject& m);
    void audioGapCheck();
    void endAudioBurst();
    void dropClient(int id, const QString& why);
    void onClosed(int id);
    void setPtt(int id, bool on, const QString& why);
    void heartbeatLost();
    void pushState();
    void endIdleSessions();
    void sendTo(Client& c, const QJsonObject& o);
    void broadcast(const QJsonObject& o);
    QJsonObject controlMessage() const;
    QByteArray cookieFields(const std::string& token, bool end) const;

    rig::RigStateView& radio_;
    rig::RigWriter& writer_;
    TransmitGuard& guard_;
    Log log_;
    WebServerConfig config_;
    QTcpServer* listener_ = nullptr;
    QWebSocketServer* sockets_;
    WebSessions sessions_;
    LoginLimiter limiter_;
    ControlOwner control_;
    std::map<int, Client> clients_;
    int nextId_ = 1;
    int pttHolder_ = 0;
    QTimer* heartbeat_;
    QTimer* push_;
    QTimer* sweep_;  // runs only while pages are connected
    std::optional<WebStateValues> values_;  // what sent_ was made from
    QJsonObject sent_;
    QString error_;
    Now now_;
    AudioHooks audio_;
    QJsonObject audioStatus_{{"available", false}, {"text", "No audio on this station."}};
    AudioTxGate txGate_;
    QTimer* audioGap_;
};

} // namespace qx::web
