#include "app/qt/WebHost.h"

#include "app/Engine.h"
#include "app/qt/TransmitGuardHost.h"
#include "app/qt/UiBridge.h"
#include "core/KeyValueFile.h"
#include "core/MessageIds.h"
#include "web/SelfSignedCertificate.h"
#include "web/WebPassword.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHostInfo>
#include <QSslCertificate>
#include <QSslKey>

#include <cstdio>

namespace qx {
namespace {

std::optional<int> number(const std::optional<std::string>& text)
{
    if (!text || text->empty() || text->size() > 7 || text->find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(*text);
}

} // namespace

rig::ListenChoice chooseWebAddress(const std::optional<std::string>& option, const std::optional<std::string>& saved)
{
    rig::ListenChoice c;
    c.address.enabled = false;
    const std::optional<std::string>& text = option ? option : saved;
    if (!text)
        return c;
    std::string why;
    if (auto a = rig::parseListenAddress(*text, &why))
        c.address = *a;
    else
        c.warning = "The saved web server address \"" + *text + "\" is not used: " + why;
    return c;
}

WebHost::WebHost(Engine& engine, UiBridge& bridge, TransmitGuardHost& guard, std::filesystem::path baseDir)
    : engine_(engine), settingsDir_(baseDir / "CommoFiles"), view_(engine.radio(), engine.command(), engine.menu()),
      writer_(engine, engine.menu(), [&engine](const std::string& text) { return engine.sendRaw(text); }),
      guard_(guard), server_(view_, writer_, guard.guard(), [this](const QString& line) { say(line.toStdString()); })
{
    address_.enabled = false;
    bridge.addMessageObserver([this](const Message&) {
        server_.stateMayHaveChanged();
        // The link keeper's timer runs only while the link is down.
        if (linkTimer_ && view_.linked() == linkTimer_->isActive())
            keepLink();
    });
    guard_.addListener([this](const std::string& why) { server_.notice(QString::fromStdString(why)); });
}

bool WebHost::start(const std::optional<std::string>& option, bool rigServerLoopback)
{
    rigLoopback_ = rigServerLoopback;
    KeyValueFile settings(settingsDir_ / KeyValueFile::kFileName);
    settings.load();
    const rig::ListenChoice choice = chooseWebAddress(option, settings.get(kWebSettingsKey));
    if (!choice.warning.empty())
        report(choice.warning);
    address_ = choice.address;
    return listen();
}

bool WebHost::apply(const rig::ListenAddress& address)
{
    address_ = address;
    KeyValueFile settings(settingsDir_ / KeyValueFile::kFileName);
    settings.load();
    settings.set(kWebSettingsKey, rig::formatListenAddress(address));
    if (!settings.save())
        report("The web server setting could not be saved: " + settings.lastError());
    problem_.clear();
    return listen();
}

void WebHost::stop()
{
    linkTimer_.reset();
    server_.stop();
}

void WebHost::setKeepLinked(bool keep)
{
    if (!keep || !server_.running()) {
        linkTimer_.reset();
        return;
    }
    linkTimer_ = std::make_unique<QTimer>();
    linkTimer_->setInterval(1000);
    QObject::connect(linkTimer_.get(), &QTimer::timeout, [this] { keepLink(); });
    keepLink();
}

// Asks for the link while it is down, looking again every second until it
// is up; the radio's reports (window messages) wake it when the link drops.
void WebHost::keepLink()
{
    const bool linked = view_.linked();
    if (keeper_.due(linked, std::chrono::steady_clock::now()))
        writer_.request(UM_REQ_AI_TOGGLE, 0, 0);
    if (!linkTimer_)
        return;
    if (linked)
        linkTimer_->stop();
    else if (!linkTimer_->isActive())
        linkTimer_->start();
}

void WebHost::configureTimeout(bool loopbackOnly)
{
    KeyValueFile settings(settingsDir_ / KeyValueFile::kFileName);
    settings.load();
    const auto saved = settings.get(kTxTimeoutKey);
    std::chrono::seconds t = TransmitGuard::kDefaultTimeout;
    if (const auto n = number(saved))
        t = std::chrono::seconds{*n};
    else if (saved)
        report("The transmit time-out \"" + *saved + "\" is not a number of seconds; 180 s it is.");
    if (t.count() == 0 && !loopbackOnly) {
        report("A transmit time-out of 0 (none) is only allowed while every remote way in listens on this "
               "computer only; 180 s it is.");
        t = TransmitGuard::kDefaultTimeout;
    }
    guard_.guard().setTimeout(t);
}

bool WebHost::listen()
{
    server_.stop();
    const bool loopback = !address_.enabled || rig::isLoopback(address_.host);
    configureTimeout(loopback && rigLoopback_);
    if (!address_.enabled)
        return true;
    KeyValueFile settings(settingsDir_ / KeyValueFile::kFileName);
    settings.load();
    web::WebServerConfig config;
    config.address = QHostAddress(QString::fromStdString(address_.host == "localhost" ? "127.0.0.1" : address_.host));
    config.port = static_cast<quint16>(address_.port);
    if (const auto minutes = number(settings.get(kWebIdleKey)); minutes && *minutes > 0)
        config.idle = std::chrono::minutes{*minutes};
    const auto hash = web::loadPasswordHash(settingsDir_ / web::kPasswordFileName);
    if (!hash) {
        report("The web server does not start: no password is set. Set one with \"rcp720 --set-web-password\", "
               "then start the program again.");
        return false;
    }
    config.passwordHash = *hash;
    if (!loopback) {
        std::filesystem::path cert = settingsDir_ / "web-cert.pem";
        std::filesystem::path key = settingsDir_ / "web-key.pem";
        const auto namedCert = settings.get(kWebCertKey);
        const auto namedKey = settings.get(kWebKeyKey);
        if (namedCert && namedKey) {
            cert = *namedCert;
            key = *namedKey;
        } else {
            std::string why;
            if (!web::ensureSelfSignedCertificate(cert, key, QHostInfo::localHostName().toStdString(), &why)) {
                report("The web server does not start: it needs TLS away from loopback and its certificate "
                       "could not be made (" + why + "). Name a certificate and key as web-cert and web-key in " +
                       (settingsDir_ / KeyValueFile::kFileName).string() + ".");
                return false;
            }
        }
        QFile certFile(QString::fromStdString(cert.string()));
        QFile keyFile(QString::fromStdString(key.string()));
        const bool opened = certFile.open(QIODevice::ReadOnly) && keyFile.open(QIODevice::ReadOnly);
        const QByteArray keyPem = opened ? keyFile.readAll() : QByteArray();
        const QList<QSslCertificate> chain = QSslCertificate::fromData(opened ? certFile.readAll() : QByteArray());
        QSslKey sslKey(keyPem, QSsl::Ec);
        if (sslKey.isNull())
            sslKey = QSslKey(keyPem, QSsl::Rsa);
        if (chain.isEmpty() || sslKey.isNull()) {
            report("The web server does not start: the certificate " + cert.string() + " or the key " + key.string() +
                   " cannot be read. TLS is needed away from loopback.");
            return false;
        }
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificateChain(chain);
        tls.setPrivateKey(sslKey);
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
        config.tls = tls;
        fingerprint_ = QString::fromLatin1(chain.front().digest(QCryptographicHash::Sha256).toHex(':').toUpper());
        config.fingerprint = fingerprint_;
        say("The web server's certificate SHA-256 fingerprint: " + fingerprint_.toStdString());
    }
    if (!server_.start(config)) {
        report("The web server " + server_.error().toStdString() + ".");
        return false;
    }
    say("The web server listens on " + std::string(config.tls ? "https://" : "http://") +
           rig::formatListenAddress(address_) + (address_.port == 0 ? " (port " + std::to_string(server_.port()) + ")" : "") + "/");
    return true;
}

void WebHost::say(const std::string& text) const
{
    if (stderr_)
        std::fprintf(stderr, "%s\n", text.c_str());
}

void WebHost::report(const std::string& text)
{
    if (stderr_)
        std::fprintf(stderr, "%s\n", text.c_str());
    problem_ = text;
}

} // namespace qx
