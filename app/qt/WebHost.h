// The remote station as the program runs it: the web server on the
// engine's state and requests, at the address from the command line or
// the settings file (off unless one of them names one), with the password
// and TLS settings from the settings folder; state changes reach it from
// the window messages, and the transmitter guard's releases reach its pages.
//
// Lives on the UI thread; must not outlive the engine.
#pragma once
#include "rigserver/LinkKeeper.h"
#include "rigserver/ListenAddress.h"
#include "rigserver/OutboxRigWriter.h"
#include "rigserver/RigStateView.h"
#include "web/WebServer.h"

#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace qx {

class Engine;
class TransmitGuardHost;
class UiBridge;

inline constexpr const char* kWebSettingsKey = "web";
inline constexpr const char* kTxTimeoutKey = "tx-timeout";
inline constexpr const char* kWebIdleKey = "web-idle-minutes";
inline constexpr const char* kWebCertKey = "web-cert";
inline constexpr const char* kWebKeyKey = "web-key";

class WebHost {
public:
    WebHost(Engine& engine, UiBridge& bridge, TransmitGuardHost& guard, std::filesystem::path baseDir);
    WebHost(const WebHost&) = delete;
    WebHost& operator=(const WebHost&) = delete;

    // At start-up. False (with problem()) when an address was asked for and
    // the server cannot run there; `rigServerLoopback` says whether the rig
    // server only listens on this computer (for the time-out's "off").
    bool start(const std::optional<std::string>& option, bool rigServerLoopback = true);
    // The operator's new choice: kept in the settings file and applied now.
    bool apply(const rig::ListenAddress& address);
    void stop();

    bool running() const { return server_.running(); }
    int port() const { return server_.port(); }
    const rig::ListenAddress& address() const { return address_; }
    const QString& fingerprint() const { return fingerprint_; }
    const std::string& problem() const { return problem_; }
    web::WebServer& server() { return server_; }
    void setReportToStderr(bool on) { stderr_ = on; }
    // No operator will press the LINK key and nothing else keeps the link
    // up: while the server runs, it asks for the link as the rig server does.
    void setKeepLinked(bool keep);

private:
    bool listen();
    void keepLink();
    void configureTimeout(bool loopbackOnly);
    void report(const std::string& text);
    void say(const std::string& text) const;

    Engine& engine_;
    std::filesystem::path settingsDir_;
    rig::RigStateView view_;
    rig::OutboxRigWriter writer_;
    TransmitGuardHost& guard_;
    web::WebServer server_;
    rig::ListenAddress address_;
    bool rigLoopback_ = true;
    QString fingerprint_;
    std::string problem_;
    bool stderr_ = true;
    rig::LinkKeeper keeper_;
    std::unique_ptr<QTimer> linkTimer_;
};

// The web server's address from the command line, else the settings file, else off.
rig::ListenChoice chooseWebAddress(const std::optional<std::string>& option, const std::optional<std::string>& saved);

} // namespace qx
