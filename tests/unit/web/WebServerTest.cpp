// The server as browsers and hostile clients meet it, over real sockets on
// loopback. Waits run Qt's event loop until the awaited thing happened, with
// generous time-outs.
#include "core/TransmitGuard.h"
#include "tests/unit/rigserver/RigFixture.h"
#include "web/WebPassword.h"
#include "web/WebServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QWebSocket>

#include <functional>
#include <memory>

namespace qx::web {
namespace {

const std::string kPassword = "station password";

// Hashing is slow on purpose: once for all the tests.
const std::string& passwordHash()
{
    static const std::string hash = *hashPassword(kPassword);
    return hash;
}

bool waitUntil(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A page's WebSocket with what it received.
struct Page {
    std::unique_ptr<QWebSocket> ws;
    std::vector<QJsonObject> got;
    bool closed = false;

    bool has(const QString& type, const QString& key = {}) const
    {
        for (const QJsonObject& o : got)
            if (o.value("t").toString() == type && (key.isEmpty() || o.contains(key)))
                return true;
        return false;
    }
    void send(const QJsonObject& o) { ws->sendTextMessage(QString::fromUtf8(QJsonDocument(o).toJson())); }
};

class WebServerTest : public rig::test::RigTest {
protected:
    WebServerTest()
    {
        WebServerConfig config;
        config.passwordHash = passwordHash();
        EXPECT_TRUE(server.start(config)) << server.error().toStdString();
        origin = QStringLiteral("http://127.0.0.1:%1").arg(server.port());
    }

    // The raw answer to one request.
    QByteArray exchange(const QByteArray& request)
    {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, server.port());
        EXPECT_TRUE(waitUntil([&] { return s.state() == QAbstractSocket::ConnectedState; }));
        s.write(request);
        QByteArray answer;
        waitUntil([&] {
            answer += s.readAll();
            return s.state() == QAbstractSocket::UnconnectedState || answer.contains("\r\n\r\n");
        });
        return answer;
    }

    QByteArray login(const std::string& password, const QString& from)
    {
        const QByteArray body = "password=" + QByteArray::fromStdString(password).toPercentEncoding();
        return exchange("POST /login HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(server.port()) +
                        "\r\nOrigin: " + from.toUtf8() + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                        "\r\n\r\n" + body);
    }

    QByteArray cookie()
    {
        const QByteArray answer = login(kPassword, origin);
        const qsizetype at = answer.indexOf("rcp720-session=");
        EXPECT_GE(at, 0) << answer.toStdString();
        return answer.mid(at, answer.indexOf(';', at) - at);
    }

    QByteArray upgrade(const QByteArray& cookieField, const QString& from)
    {
        return exchange("GET /ws HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(server.port()) +
                        "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nOrigin: " +
                        from.toUtf8() + "\r\n" + (cookieField.isEmpty() ? QByteArray() : "Cookie: " + cookieField + "\r\n") +
                        "\r\n");
    }

    std::unique_ptr<Page> open(const QByteArray& cookieField)
    {
        auto page = std::make_unique<Page>();
        page->ws = std::make_unique<QWebSocket>(origin);
        Page* p = page.get();
        QObject::connect(p->ws.get(), &QWebSocket::textMessageReceived, [p](const QString& text) {
            p->got.push_back(QJsonDocument::fromJson(text.toUtf8()).object());
        });
        QObject::connect(p->ws.get(), &QWebSocket::disconnected, [p] { p->closed = true; });
        QNetworkRequest request(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(server.port())));
        request.setRawHeader("Cookie", cookieField);
        p->ws->open(request);
        EXPECT_TRUE(waitUntil([p] { return p->has("control") || p->closed; }));
        return page;
    }

    std::vector<bool> keyed;
    TransmitGuard guard{[this](bool on) { keyed.push_back(on); }};
    std::vector<QString> logLines;
    WebClock::time_point webNow = WebClock::now();
    WebServer server{view, writer, guard, [this](const QString& l) { logLines.push_back(l); }, [this] { return webNow; }};
    QString origin;
};

TEST_F(WebServerTest, LoginNeedsTheRightPasswordFromTheSameOriginAndIsRateLimited)
{
    EXPECT_TRUE(login(kPassword, "http://evil.example").startsWith("HTTP/1.1 403"));
    EXPECT_TRUE(login("wrong password", origin).startsWith("HTTP/1.1 401"));
    const QByteArray good = login(kPassword, origin);
    ASSERT_TRUE(good.startsWith("HTTP/1.1 200"));
    EXPECT_TRUE(good.contains("HttpOnly"));
    EXPECT_TRUE(good.contains("SameSite=Strict"));
    for (int i = 0; i < LoginLimiter::kFreeAttempts; ++i)
        login("wrong password", origin);
    // Held back now, even with the right password.
    EXPECT_TRUE(login(kPassword, origin).startsWith("HTTP/1.1 429"));
    EXPECT_FALSE(logLines.empty());
}

TEST_F(WebServerTest, AWebSocketWithoutASessionWithAForgedOrEndedOneOrFromAnotherOriginIsRefused)
{
    const QByteArray session = cookie();
    EXPECT_TRUE(upgrade({}, origin).startsWith("HTTP/1.1 403"));
    EXPECT_TRUE(upgrade("rcp720-session=" + QByteArray(64, 'a'), origin).startsWith("HTTP/1.1 403"));
    EXPECT_TRUE(upgrade(session, "http://evil.example").startsWith("HTTP/1.1 403"));
    EXPECT_TRUE(upgrade(session, origin).startsWith("HTTP/1.1 101"));
    // Unused for longer than the idle time, the session has ended.
    webNow += WebSessions::kDefaultIdle + std::chrono::seconds(1);
    EXPECT_TRUE(upgrade(session, origin).startsWith("HTTP/1.1 403"));
    // After logout the same cookie opens nothing.
    const QByteArray fresh = cookie();
    EXPECT_TRUE(upgrade(fresh, origin).startsWith("HTTP/1.1 101"));
    exchange("POST /logout HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(server.port()) + "\r\nOrigin: " +
             origin.toUtf8() + "\r\nCookie: " + fresh + "\r\n\r\n");
    EXPECT_TRUE(upgrade(fresh, origin).startsWith("HTTP/1.1 403"));
}

TEST_F(WebServerTest, HugeFramesAndJunkCloseOnlyThatPage)
{
    const QByteArray session = cookie();
    auto calm = open(session);
    auto huge = open(session);
    auto junk = open(session);
    ASSERT_FALSE(calm->closed || huge->closed || junk->closed);
    huge->ws->sendTextMessage(QString(1024 * 1024, 'x'));
    junk->ws->sendTextMessage(QStringLiteral("{\"t\": \"band\", \"b\": "));
    EXPECT_TRUE(waitUntil([&] { return huge->closed && junk->closed; }));
    radio.set(R::FA, 14123000);
    server.stateMayHaveChanged();
    EXPECT_TRUE(waitUntil([&] { return calm->has("state", "freq") && calm->got.back().value("freq") == 14123000; }));
    EXPECT_FALSE(calm->closed);
    EXPECT_EQ(server.clientCount(), 1);
}

TEST_F(WebServerTest, FiftyViewersAllSeeAChange)
{
    const QByteArray session = cookie();
    std::vector<std::unique_ptr<Page>> pages;
    for (int i = 0; i < 50; ++i)
        pages.push_back(open(session));
    EXPECT_EQ(server.clientCount(), 50);
    radio.set(R::FA, 7012000);
    server.stateMayHaveChanged();
    EXPECT_TRUE(waitUntil([&] {
        for (const auto& p : pages) {
            if (p->got.empty() || p->got.back().value("freq") != 7012000)
                return false;
        }
        return true;
    }));
}

TEST_F(WebServerTest, OnlyTheControllerOperatesAndItsPttNeedsHeartbeats)
{
    const QByteArray session = cookie();
    auto first = open(session);
    auto second = open(session);
    first->send({{"t", "control"}, {"take", true}});
    second->send({{"t", "control"}, {"take", true}});
    ASSERT_TRUE(waitUntil([&] { return second->has("error"); }));
    second->send({{"t", "band"}, {"b", 4}});
    second->send({{"t", "ptt"}, {"on", true}});
    first->send({{"t", "band"}, {"b", 5}});
    const auto errors = [](const Page& p) {
        return std::count_if(p.got.begin(), p.got.end(), [](const QJsonObject& o) { return o.value("t") == "error"; });
    };
    ASSERT_TRUE(waitUntil([&] { return errors(*second) == 3; }));
    ASSERT_TRUE(writer.waitFor(UM_REQ_BS_06));
    EXPECT_EQ(writer.take(), (std::vector<rig::test::Sent>{{UM_REQ_BS_06, 0, 0}}));
    EXPECT_TRUE(keyed.empty());

    // Held while heartbeats come; released when they stop.
    first->send({{"t", "ptt"}, {"on", true}});
    ASSERT_TRUE(waitUntil([&] { return keyed == std::vector<bool>{true}; }));
    EXPECT_TRUE(waitUntil([&] { return keyed.size() == 2; }, 10000));
    EXPECT_EQ(keyed.back(), false);
    // The notice travels over the socket after the key went up here.
    EXPECT_TRUE(waitUntil([&] { return first->has("notice"); }));

    // Released when the page goes away.
    first->send({{"t", "ptt"}, {"on", true}});
    ASSERT_TRUE(waitUntil([&] { return keyed.size() == 3; }));
    first->ws->abort();
    EXPECT_TRUE(waitUntil([&] { return keyed.size() == 4; }));
    EXPECT_EQ(keyed.back(), false);
    // Control is free again; the second page sees it.
    EXPECT_TRUE(waitUntil([&] { return second->got.back().value("t") == "control" && second->got.back().value("holder") == -1; }));

    // The operator at the radio takes control: the web is viewer only.
    second->send({{"t", "control"}, {"take", true}});
    ASSERT_TRUE(waitUntil([&] { return server.control().holder() > 0; }));
    server.panelControl(true);
    second->send({{"t", "band"}, {"b", 2}});
    EXPECT_TRUE(waitUntil([&] { return second->got.back().value("t") == "error"; }));
}

TEST_F(WebServerTest, NoPasswordOrNoTlsAwayFromLoopbackMeansNoServer)
{
    WebServer other{view, writer, guard, [](const QString&) {}};
    WebServerConfig config;
    EXPECT_FALSE(other.start(config));
    EXPECT_TRUE(other.error().contains("--set-web-password"));
    config.passwordHash = passwordHash();
    config.address = QHostAddress::AnyIPv4;
    EXPECT_FALSE(other.start(config));
    EXPECT_TRUE(other.error().contains("TLS"));
    EXPECT_FALSE(other.running());
}

} // namespace
} // namespace qx::web

namespace qx::web {
namespace {

// The audio hooks as the program's host plugs them in, recording what was played.
struct FakeAudio {
    std::vector<QByteArray> played;
    int bursts = 0;
    int listenerChanges = 0;
    WebServer::AudioHooks hooks()
    {
        return {[](int, const QByteArray& b) { return !b.startsWith("bad"); },
                [this](int, const QByteArray& b) { played.push_back(b); }, [this] { ++bursts; },
                [this] { ++listenerChanges; }};
    }
};

TEST_F(WebServerTest, MicrophoneFramesKeyOnlyFromTheControllerAndOnlyWhileTheyCome)
{
    FakeAudio audio;
    server.setAudio(audio.hooks());
    const QByteArray session = cookie();
    auto controller = open(session);
    auto viewer = open(session);
    controller->send({{"t", "control"}, {"take", true}});
    ASSERT_TRUE(waitUntil([&] { return server.control().holder() > 0; }));

    // A viewer's microphone and a frame the host refuses reach nothing.
    viewer->ws->sendBinaryMessage("frame from a viewer");
    controller->ws->sendBinaryMessage("bad frame");
    controller->ws->sendBinaryMessage("frame 1");
    ASSERT_TRUE(waitUntil([&] { return !audio.played.empty(); }));
    EXPECT_EQ(audio.played, std::vector<QByteArray>{"frame 1"});
    EXPECT_EQ(keyed, std::vector<bool>{true});
    EXPECT_FALSE(viewer->closed);

    // Frames keep it keyed; a gap of 500 ms unkeys it.
    controller->ws->sendBinaryMessage("frame 2");
    ASSERT_TRUE(waitUntil([&] { return audio.played.size() == 2; }));
    EXPECT_EQ(keyed, std::vector<bool>{true});
    webNow += std::chrono::milliseconds(600);
    ASSERT_TRUE(waitUntil([&] { return keyed.size() == 2; }));
    EXPECT_FALSE(keyed.back());
    EXPECT_EQ(audio.bursts, 1);

    // The next burst keys again; letting go of PTT ends it at once, and
    // frames still on their way do not key it again until a new press.
    controller->ws->sendBinaryMessage("frame 3");
    ASSERT_TRUE(waitUntil([&] { return keyed.size() == 3; }));
    controller->send({{"t", "ptt"}, {"on", false}});
    controller->ws->sendBinaryMessage("frame 4");
    ASSERT_TRUE(waitUntil([&] { return keyed.size() == 4; }));
    controller->send({{"t", "hb"}});  // everything sent before it has been read once it is answered
    controller->send({{"t", "audio"}, {"rx", false}});
    ASSERT_TRUE(waitUntil([&] { return controller->has("audio"); }));
    EXPECT_EQ(keyed, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(audio.played.back(), "frame 3");
    controller->send({{"t", "mic"}, {"on", true}});
    controller->ws->sendBinaryMessage("frame 5");
    ASSERT_TRUE(waitUntil([&] { return keyed.size() == 5; }));
    EXPECT_EQ(audio.played.back(), "frame 5");
    viewer->send({{"t", "audio"}, {"rx", false}});
    ASSERT_TRUE(waitUntil([&] { return viewer->has("audio"); }));
    EXPECT_EQ(std::count(audio.played.begin(), audio.played.end(), "frame from a viewer"), 0);
}

TEST_F(WebServerTest, ReceiveAudioGoesOnlyToPagesThatAskedInTheFormTheyAskedFor)
{
    FakeAudio audio;
    server.setAudio(audio.hooks());
    server.setAudioStatus({{"available", true}, {"text", ""}});
    const QByteArray session = cookie();
    auto opus = open(session);
    auto pcm = open(session);
    auto deaf = open(session);
    std::vector<QByteArray> gotOpus, gotPcm, gotDeaf;
    QObject::connect(opus->ws.get(), &QWebSocket::binaryMessageReceived, [&](const QByteArray& b) { gotOpus.push_back(b); });
    QObject::connect(pcm->ws.get(), &QWebSocket::binaryMessageReceived, [&](const QByteArray& b) { gotPcm.push_back(b); });
    QObject::connect(deaf->ws.get(), &QWebSocket::binaryMessageReceived, [&](const QByteArray& b) { gotDeaf.push_back(b); });
    opus->send({{"t", "audio"}, {"rx", true}});
    pcm->send({{"t", "audio"}, {"rx", true}, {"pcm", true}});
    ASSERT_TRUE(waitUntil([&] { return server.audioListeners(false) == 1 && server.audioListeners(true) == 1; }));
    EXPECT_TRUE(opus->has("audio", "available"));
    EXPECT_EQ(audio.listenerChanges, 2);

    server.sendAudio("opus 1", "pcm 1");
    ASSERT_TRUE(waitUntil([&] { return gotOpus.size() == 1 && gotPcm.size() == 1; }));
    EXPECT_EQ(gotOpus.front(), "opus 1");
    EXPECT_EQ(gotPcm.front(), "pcm 1");

    // A page that stops listening, or leaves, gets nothing more and is counted out.
    opus->send({{"t", "audio"}, {"rx", false}});
    pcm->ws->abort();
    ASSERT_TRUE(waitUntil([&] { return server.audioListeners(false) == 0 && server.audioListeners(true) == 0; }));
    EXPECT_EQ(audio.listenerChanges, 4);
    server.sendAudio("opus 2", "pcm 2");
    deaf->send({{"t", "hb"}});
    opus->send({{"t", "audio"}, {"rx", false}});
    ASSERT_TRUE(waitUntil([&] {
        return std::count_if(opus->got.begin(), opus->got.end(), [](const QJsonObject& o) { return o.value("t") == "audio"; }) == 2;
    }));
    EXPECT_EQ(gotOpus.size(), 1u);
    EXPECT_TRUE(gotDeaf.empty());
}

} // namespace
} // namespace qx::web
