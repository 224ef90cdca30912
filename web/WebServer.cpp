#include "web/WebServer.h"

#include "core/TransmitGuard.h"
#include "rigserver/RigStateView.h"
#include "web/WebCommands.h"
#include "web/WebPassword.h"
#include "web/WebStateView.h"

#include <QFile>
#include <QJsonDocument>
#include <QNetworkRequest>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <QWebSocket>
#include <QWebSocketServer>

#include <vector>

// The page is compiled into this static library; its resources are
// registered by hand, as Qt asks of static libraries.
static void registerPageResources() { Q_INIT_RESOURCE(page); }

namespace qx::web {
namespace {

constexpr int kHttpDeadlineMs = 10000;
const char* const kHttpDeadline = "http-deadline";

QByteArray statusText(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Payload Too Large";
    case 429: return "Too Many Requests";
    default: return "Error";
    }
}

QByteArray json(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

} // namespace

WebServer::WebServer(rig::RigStateView& radio, rig::RigWriter& writer, TransmitGuard& guard, Log log, Now now,
                     QObject* parent)
    : QObject(parent), radio_(radio), writer_(writer), guard_(guard), log_(std::move(log)),
      sockets_(new QWebSocketServer(QStringLiteral("rcp720"), QWebSocketServer::NonSecureMode, this)),
      sessions_(now), limiter_(now),
      heartbeat_(new QTimer(this)), push_(new QTimer(this)), sweep_(new QTimer(this)), now_(now),
      audioGap_(new QTimer(this))
{
    audioGap_->setSingleShot(true);
    connect(audioGap_, &QTimer::timeout, this, &WebServer::audioGapCheck);
    // A page only watching sends nothing: its session still ends when idle.
    sweep_->setInterval(std::chrono::seconds(30));
    connect(sweep_, &QTimer::timeout, this, &WebServer::endIdleSessions);
    registerPageResources();
    heartbeat_->setSingleShot(true);
    heartbeat_->setInterval(kHeartbeat);
    connect(heartbeat_, &QTimer::timeout, this, &WebServer::heartbeatLost);
    // Changes that come together go out together.
    push_->setSingleShot(true);
    push_->setInterval(0);
    connect(push_, &QTimer::timeout, this, &WebServer::pushState);
    connect(sockets_, &QWebSocketServer::newConnection, this, &WebServer::onWebSocket);
}

WebServer::~WebServer() { stop(); }

bool WebServer::start(const WebServerConfig& config)
{
    stop();
    error_.clear();
    config_ = config;
    if (config_.passwordHash.empty()) {
        error_ = QStringLiteral("has no password; set one with \"rcp720 --set-web-password\"");
        return false;
    }
    if (!config_.address.isLoopback() && !config_.tls) {
        error_ = QStringLiteral("needs TLS to listen on %1 (anything but loopback)").arg(config_.address.toString());
        return false;
    }
    sessions_.setIdleTime(config_.idle);
    if (config_.tls) {
        auto* ssl = new QSslServer(this);
        ssl->setSslConfiguration(*config_.tls);
        listener_ = ssl;
    } else {
        listener_ = new QTcpServer(this);
    }
    connect(listener_, &QTcpServer::pendingConnectionAvailable, this, &WebServer::onPendingConnection);
    if (!listener_->listen(config_.address, config_.port)) {
        error_ = QStringLiteral("cannot listen on %1 port %2: %3")
                     .arg(config_.address.toString())
                     .arg(config_.port)
                     .arg(listener_->errorString());
        delete listener_;
        listener_ = nullptr;
        return false;
    }
    return true;
}

void WebServer::stop()
{
    if (pttHolder_ != 0)
        setPtt(pttHolder_, false, QStringLiteral("the web server stopped"));
    for (auto& [id, c] : clients_) {
        if (c.socket) {
            c.socket->disconnect(this);
            c.socket->close(QWebSocketProtocol::CloseCodeGoingAway, QStringLiteral("server stopping"));
            c.socket->deleteLater();
        }
    }
    clients_.clear();
    if (audio_.listenersChanged)
        audio_.listenersChanged();
    sweep_->stop();
    if (control_.holder() > ControlOwner::kPanel)
        control_.release(control_.holder());
    if (listener_) {
        listener_->close();
        listener_->deleteLater();
        listener_ = nullptr;
    }
}

bool WebServer::running() const { return listener_ && listener_->isListening(); }
quint16 WebServer::port() const { return listener_ ? listener_->serverPort() : 0; }

void WebServer::onPendingConnection()
{
    while (listener_ && listener_->hasPendingConnections()) {
        QTcpSocket* socket = listener_->nextPendingConnection();
        auto* deadline = new QTimer(socket);
        deadline->setObjectName(kHttpDeadline);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, socket, &QTcpSocket::abort);
        deadline->start(kHttpDeadlineMs);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
        if (socket->bytesAvailable() > 0)
            onReadable(socket);
    }
}

void WebServer::onReadable(QTcpSocket* socket)
{
    // Peeked, not read: an upgrade hands the bytes to Qt's WebSocket handshake as they came.
    const QByteArray bytes = socket->peek(kMaxHeadBytes + kMaxBodyBytes + 1);
    HttpRequestHead head;
    switch (readRequestHead(bytes, head)) {
    case HeadResult::Incomplete: return;
    case HeadResult::Bad: reply(socket, 400, "text/plain", "Bad request\n"); return;
    case HeadResult::Complete: break;
    }
    if (head.field("upgrade").toLower() == "websocket") {
        upgrade(socket, head);
        return;
    }
    bool ok = true;
    const QByteArray lengthField = head.field("content-length");
    const qsizetype length = lengthField.isEmpty() ? 0 : lengthField.toLongLong(&ok);
    if (!ok || length < 0 || length > kMaxBodyBytes) {
        reply(socket, 413, "text/plain", "Too large\n");
        return;
    }
    if (bytes.size() < head.headLength + length)
        return;
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    socket->read(head.headLength + length);
    answerHttp(socket, head, bytes.mid(head.headLength, length));
}

void WebServer::answerHttp(QTcpSocket* socket, const HttpRequestHead& head, const QByteArray& body)
{
    const QByteArray path = head.path.left(head.path.indexOf('?') < 0 ? head.path.size() : head.path.indexOf('?'));
    if (head.method == "GET") {
        if (path == "/" || path == "/index.html")
            return serveFile(socket, QStringLiteral(":/web/index.html"), "text/html; charset=utf-8");
        if (path == "/app.js")
            return serveFile(socket, QStringLiteral(":/web/app.js"), "text/javascript; charset=utf-8");
        if (path == "/style.css")
            return serveFile(socket, QStringLiteral(":/web/style.css"), "text/css; charset=utf-8");
        if (path == "/audio.js" || path == "/jitter.js" || path == "/rx-worklet.js" || path == "/mic-worklet.js" ||
            path == "/onset.js")
            return serveFile(socket, QStringLiteral(":/web") + QString::fromLatin1(path), "text/javascript; charset=utf-8");
        if (path == "/whoami") {
            const bool in = sessions_.valid(sessionOf(head));
            QJsonObject o{{"in", in}, {"tls", bool(config_.tls)}, {"fingerprint", config_.fingerprint}};
            return reply(socket, in ? 200 : 401, "application/json", json(o));
        }
        return reply(socket, 404, "text/plain", "Not found\n");
    }
    if (head.method == "POST") {
        if (!originAllowed(head))
            return reply(socket, 403, "text/plain", "Wrong origin\n");
        if (path == "/login")
            return answerLogin(socket, head, body);
        if (path == "/logout") {
            const std::string token = sessionOf(head);
            sessions_.close(token);
            std::vector<QPointer<QWebSocket>> out;
            for (auto& [id, c] : clients_) {
                if (c.token == token && c.socket)
                    out.push_back(c.socket);
            }
            for (const auto& socket : out) {
                if (socket)
                    socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("logged out"));
            }
            return reply(socket, 200, "application/json", "{}", cookieFields({}, true));
        }
        return reply(socket, 404, "text/plain", "Not found\n");
    }
    reply(socket, 405, "text/plain", "Method not allowed\n");
}

void WebServer::answerLogin(QTcpSocket* socket, const HttpRequestHead&, const QByteArray& body)
{
    const QString peer = socket->peerAddress().toString();
    if (const auto wait = limiter_.waitFor(peer.toStdString()); wait.count() > 0) {
        log_(QStringLiteral("Web login from %1 refused: too many failed attempts, %2 s to wait.").arg(peer).arg(wait.count()));
        return reply(socket, 429, "application/json",
                     json({{"error", QStringLiteral("Too many attempts; try again in %1 s.").arg(wait.count())}}));
    }
    const QString password = QUrlQuery(QString::fromUtf8(body)).queryItemValue("password", QUrl::FullyDecoded);
    // A '+' in a form body is a space; QUrlQuery leaves it.
    const std::string typed = QString(password).replace('+', ' ').toStdString();
    if (!passwordMatches(config_.passwordHash, typed)) {
        limiter_.failed(peer.toStdString());
        log_(QStringLiteral("Web login from %1 failed: wrong password.").arg(peer));
        return reply(socket, 401, "application/json", json({{"error", QStringLiteral("Wrong password.")}}));
    }
    limiter_.succeeded(peer.toStdString());
    const std::string token = sessions_.open(peer.toStdString());
    log_(QStringLiteral("Web login from %1.").arg(peer));
    reply(socket, 200, "application/json", "{}", cookieFields(token, false));
}

QByteArray WebServer::cookieFields(const std::string& token, bool end) const
{
    QByteArray c = "Set-Cookie: " + QByteArray(kSessionCookie) + "=" + QByteArray::fromStdString(token) +
                   "; Path=/; HttpOnly; SameSite=Strict";
    if (config_.tls)
        c += "; Secure";
    if (end)
        c += "; Max-Age=0";
    return c + "\r\n";
}

void WebServer::serveFile(QTcpSocket* socket, const QString& resource, const QByteArray& type)
{
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly))
        return reply(socket, 404, "text/plain", "Not found\n");
    reply(socket, 200, type, f.readAll());
}

void WebServer::reply(QTcpSocket* socket, int status, const QByteArray& type, const QByteArray& body,
                      const QByteArray& extraFields)
{
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + " " + statusText(status) + "\r\n";
    out += "Content-Type: " + type + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\nReferrer-Policy: no-referrer\r\n";
    out += "Content-Security-Policy: default-src 'self'; connect-src 'self'; frame-ancestors 'none'\r\n";
    if (config_.tls)
        out += "Strict-Transport-Security: max-age=31536000\r\n";
    out += extraFields + "Connection: close\r\n\r\n" + body;
    socket->write(out);
    socket->disconnectFromHost();
}

bool WebServer::originAllowed(const HttpRequestHead& head) const
{
    const QByteArray origin = head.field("origin");
    const QByteArray host = head.field("host");
    if (origin.isEmpty() || host.isEmpty())
        return false;
    return origin == (config_.tls ? "https://" : "http://") + host;
}

std::string WebServer::sessionOf(const HttpRequestHead& head) const
{
    return sessionTokenFromCookie(head.field("cookie").toStdString());
}

void WebServer::upgrade(QTcpSocket* socket, const HttpRequestHead& head)
{
    const QString peer = socket->peerAddress().toString();
    const char* refusal = nullptr;
    if (head.method != "GET" || head.path != "/ws")
        refusal = "no such socket";
    else if (!originAllowed(head))
        refusal = "wrong origin";
    else if (!sessions_.touch(sessionOf(head)))
        refusal = "no session";
    if (refusal) {
        log_(QStringLiteral("Web socket from %1 refused: %2.").arg(peer, QLatin1String(refusal)));
        return reply(socket, 403, "text/plain", QByteArray(refusal) + "\n");
    }
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    delete socket->findChild<QTimer*>(kHttpDeadline);
    disconnect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    sockets_->handleConnection(socket);
}

void WebServer::onWebSocket()
{
    while (QWebSocket* ws = sockets_->nextPendingConnection()) {
        ws->setParent(this);
        ws->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
        ws->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
        const std::string token = sessionTokenFromCookie(ws->request().rawHeader("Cookie").toStdString());
        // The session was checked on the upgrade; it may have ended during the handshake.
        if (!sessions_.valid(token)) {
            ws->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("no session"));
            ws->deleteLater();
            continue;
        }
        const int id = nextId_++;
        Client& c = clients_[id];
        c.socket = ws;
        c.token = token;
        c.name = QStringLiteral("%1 #%2").arg(ws->peerAddress().toString()).arg(id);
        connect(ws, &QWebSocket::textMessageReceived, this, [this, id](const QString& t) { onText(id, t); });
        connect(ws, &QWebSocket::binaryMessageReceived, this,
                [this, id](const QByteArray& bytes) { onBinary(id, bytes); });
        connect(ws, &QWebSocket::disconnected, this, [this, id] { onClosed(id); });
        log_(QStringLiteral("Web page %1 connected.").arg(c.name));
        if (!sweep_->isActive())
            sweep_->start();
        if (values_) {
            pushState();
        } else {
            values_ = readWebState(radio_);
            sent_ = toJson(*values_);
        }
        QJsonObject hello{{"t", "hello"},
                          {"id", id},
                          {"you", c.name},
                          {"fingerprint", config_.fingerprint},
                          {"timeout", static_cast<int>(guard_.timeout().count())}};
        sendTo(c, hello);
        QJsonObject state = sent_;
        state["t"] = "state";
        sendTo(c, state);
        sendTo(c, controlMessage());
    }
}

void WebServer::onText(int id, const QString& text)
{
    auto it = clients_.find(id);
    if (it == clients_.end())
        return;
    Client& c = it->second;
    if (!sessions_.touch(c.token)) {
        c.socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("session ended"));
        return;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return dropClient(id, QStringLiteral("not a message"));
    const QJsonObject m = doc.object();
    const QString t = m.value("t").toString();
    if (t == "hb") {
        if (pttHolder_ == id)
            heartbeat_->start();
        return;
    }
    if (t == "away") {
        // The page was hidden or lost the focus: nobody holds the key down.
        if (pttHolder_ == id) {
            setPtt(id, false, QStringLiteral("the page was hidden or lost the focus"));
            txGate_.lockOut();
        }
        return;
    }
    if (t == "audio")
        return onAudioRequest(id, m);
    if (t == "control") {
        if (m.value("take").toBool()) {
            if (!control_.ask(id))
                sendTo(c, {{"t", "error"}, {"text", QStringLiteral("Someone else has control.")}});
        } else if (control_.release(id) && pttHolder_ == id) {
            setPtt(id, false, QStringLiteral("control was given up"));
        }
        broadcast(controlMessage());
        return;
    }
    if (!control_.holds(id)) {
        sendTo(c, {{"t", "error"}, {"text", QStringLiteral("View only: take control first.")}});
        return;
    }
    if (t == "ptt") {
        const bool on = m.value("on").toBool();
        setPtt(id, on, QStringLiteral("the operator let go"));
        // Microphone frames still on their way must not key it again.
        if (!on)
            txGate_.lockOut();
        return;
    }
    if (t == "mic") {
        // PTT pressed with the microphone on: the transmitter keys when its frames come.
        txGate_.pressed();
        return;
    }
    const QString refusal = runRadioCommand(m, writer_, radio_);
    if (!refusal.isEmpty())
        sendTo(c, {{"t", "error"}, {"text", refusal}});
}

void WebServer::dropClient(int id, const QString& why)
{
    auto it = clients_.find(id);
    if (it == clients_.end() || !it->second.socket)
        return;
    log_(QStringLiteral("Web page %1 closed: %2.").arg(it->second.name, why));
    // close() may say "disconnected" at once, and onClosed then erases the
    // client: hold the socket, not the map entry, across it.
    const QPointer<QWebSocket> socket = it->second.socket;
    socket->close(QWebSocketProtocol::CloseCodeDatatypeNotSupported, why);
    if (socket)
        socket->abort();
}

void WebServer::onClosed(int id)
{
    auto it = clients_.find(id);
    if (it == clients_.end())
        return;
    if (pttHolder_ == id)
        setPtt(id, false, QStringLiteral("the page's connection closed"));
    const bool held = control_.release(id);
    if (it->second.socket)
        it->second.socket->deleteLater();
    log_(QStringLiteral("Web page %1 left.").arg(it->second.name));
    const bool listened = it->second.audio != 0;
    clients_.erase(it);
    if (listened && audio_.listenersChanged)
        audio_.listenersChanged();
    if (clients_.empty())
        sweep_->stop();
    if (held)
        broadcast(controlMessage());
}

void WebServer::setPtt(int id, bool on, const QString& why)
{
    auto it = clients_.find(id);
    const QString name = it != clients_.end() ? it->second.name : QStringLiteral("web");
    if (on) {
        guard_.key("web page " + name.toStdString());
        pttHolder_ = id;
        heartbeat_->start();
        return;
    }
    if (pttHolder_ != id)
        return;
    pttHolder_ = 0;
    heartbeat_->stop();
    endAudioBurst();
    guard_.unkey("web page " + name.toStdString());
    log_(QStringLiteral("Web PTT of %1 released: %2.").arg(name, why));
}

void WebServer::heartbeatLost()
{
    if (pttHolder_ == 0)
        return;
    const int id = pttHolder_;
    setPtt(id, false, QStringLiteral("no heartbeat from the page for 1 s"));
    txGate_.lockOut();
    notice(QStringLiteral("PTT released: the controlling page went quiet for 1 s."));
}

void WebServer::notice(const QString& text) { broadcast({{"t", "notice"}, {"text", text}}); }

void WebServer::panelControl(bool take)
{
    if (take) {
        if (pttHolder_ != 0)
            setPtt(pttHolder_, false, QStringLiteral("the operator at the radio took control"));
        control_.panelTakes();
    } else {
        control_.panelFrees();
    }
    broadcast(controlMessage());
}

QJsonObject WebServer::controlMessage() const
{
    const int holder = control_.holder();
    QString name;
    if (holder == ControlOwner::kPanel)
        name = QStringLiteral("the operator at the radio");
    else if (auto it = clients_.find(holder); it != clients_.end())
        name = it->second.name;
    return {{"t", "control"}, {"holder", holder}, {"name", name}};
}

void WebServer::endIdleSessions()
{
    sessions_.expire();
    std::vector<QPointer<QWebSocket>> ended;
    for (auto& [id, c] : clients_) {
        if (c.socket && !sessions_.valid(c.token))
            ended.push_back(c.socket);
    }
    for (const auto& socket : ended) {
        if (socket)
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("session ended"));
    }
}

void WebServer::stateMayHaveChanged()
{
    if (!clients_.empty() && !push_->isActive())
        push_->start();
}

void WebServer::pushState()
{
    // The radio left transmit by other means (the panel, the time-out): the
    // page's hold has nothing left to hold.
    if (pttHolder_ != 0 && !guard_.keyed()) {
        pttHolder_ = 0;
        heartbeat_->stop();
        // Frames that keep coming must not key it again at once.
        endAudioBurst();
        txGate_.lockOut();
    }
    const WebStateValues values = readWebState(radio_);
    if (values_ && *values_ == values)
        return;
    values_ = values;
    const QJsonObject now = toJson(values);
    QJsonObject changed = changedEntries(sent_, now);
    sent_ = now;
    if (changed.isEmpty())
        return;
    changed["t"] = "state";
    broadcast(changed);
}

void WebServer::sendTo(Client& c, const QJsonObject& o)
{
    if (c.socket && c.socket->state() == QAbstractSocket::ConnectedState)
        c.socket->sendTextMessage(QString::fromUtf8(json(o)));
}

void WebServer::broadcast(const QJsonObject& o)
{
    const QString text = QString::fromUtf8(json(o));
    std::vector<QPointer<QWebSocket>> stalled;
    for (auto& [id, c] : clients_) {
        if (!c.socket || c.socket->state() != QAbstractSocket::ConnectedState)
            continue;
        // A page that stopped reading is dropped rather than queued for without end.
        if (c.socket->bytesToWrite() > kMaxQueuedBytes) {
            log_(QStringLiteral("Web page %1 dropped: it stopped reading.").arg(c.name));
            stalled.push_back(c.socket);
            continue;
        }
        c.socket->sendTextMessage(text);
    }
    // Closing may call back into the client list: not while walking it.
    for (const auto& socket : stalled) {
        if (socket)
            socket->abort();
    }
}

} // namespace qx::web
