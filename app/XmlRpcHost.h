// The flrig-compatible XML-RPC server as the program runs it: on the
// engine's state stores and requests, at the address the command line, the
// settings file or the default (127.0.0.1:12345, flrig's) gives, moved when
// the operator picks another, and stopped before the engine shuts down,
// releasing a transmitter one of its clients still keys.
//
// Lives on the UI thread; must not outlive the engine.
#pragma once
#include "rigserver/ListenAddress.h"
#include "app/GuardedRigWriter.h"
#include "rigserver/OutboxRigWriter.h"
#include "rigserver/RigStateView.h"
#include "xmlrpc/XmlRpcServer.h"

#include <filesystem>
#include <optional>
#include <string>

namespace qx {

class Engine;

class XmlRpcHost {
public:
    // Keying from flrig clients asks the transmitter guard, as the rig server's does.
    XmlRpcHost(Engine& engine, std::filesystem::path baseDir, TransmitGuard* guard = nullptr);
    ~XmlRpcHost();
    XmlRpcHost(const XmlRpcHost&) = delete;
    XmlRpcHost& operator=(const XmlRpcHost&) = delete;

    // At start-up: the address from the option, else the settings file,
    // else the default. Problems go to `report` (once each) and the program
    // goes on without the server.
    void start(const std::optional<std::string>& option);
    // The operator's new choice: the server moves there (or stops) and the
    // choice is remembered. False when it cannot listen there.
    bool apply(const rig::ListenAddress& address);
    void stop();

    bool running() const { return server_.running(); }
    int port() const { return server_.port(); }
    const rig::ListenAddress& address() const { return address_; }
    const std::string& problem() const { return problem_; }
    void setReportToStderr(bool on) { stderr_ = on; }

private:
    bool listen();
    void report(std::string text);

    Engine& engine_;
    std::filesystem::path settingsPath_;
    rig::RigStateView view_;
    rig::OutboxRigWriter writer_;
    GuardedRigWriter guarded_;
    xmlrpc::CatAnswerWatch cat_;
    xmlrpc::XmlRpcServer server_;
    rig::ListenAddress address_;
    std::string problem_;
    int shutdownStep_ = 0;
    bool stderr_ = true;
    bool stopped_ = false;
};

} // namespace qx
