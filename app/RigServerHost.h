// The rig server as the program runs it: on the engine's state stores and
// requests, at the address the command line, the settings file or the
// default gives, restarted when the operator picks another, and stopped
// before the engine shuts down, releasing a transmitter still keyed (by a
// client or anyone else) while the port is still open.
//
// Lives on the UI thread; must not outlive the engine.
#pragma once
#include "app/GuardedRigWriter.h"
#include "rigserver/ListenAddress.h"
#include "rigserver/OutboxRigWriter.h"
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"
#include "rigserver/RigServer.h"

#include <filesystem>
#include <optional>
#include <string>

namespace qx {

class Engine;

class RigServerHost {
public:
    // `baseDir` holds "CommoFiles" with the settings file.
    // `guard`: the program's transmitter guard every client's key-down goes through.
    RigServerHost(Engine& engine, std::filesystem::path baseDir, TransmitGuard* guard = nullptr);
    ~RigServerHost();
    RigServerHost(const RigServerHost&) = delete;
    RigServerHost& operator=(const RigServerHost&) = delete;

    // At start-up: the address from the option, else the settings file,
    // else the default. Problems go to `report` (once each) and the program
    // goes on without the server. `keepLinked`: no operator will press the
    // LINK key.
    // `vfoOption`: --rig-server-vfo was given (else the settings file says).
    void start(const std::optional<std::string>& option, bool keepLinked, bool vfoOption = false);
    // The operator's new choice: the server moves there (or stops) and the
    // choice is remembered. False when it cannot listen there.
    bool apply(const rig::ListenAddress& address);
    // Stops the server and releases the transmitter; the engine calls it
    // first thing in its shutdown.
    void stop();

    bool running() const { return server_.running(); }
    int port() const { return server_.port(); }
    const rig::ListenAddress& address() const { return address_; }
    // What went wrong last (cannot listen, a setting not used); empty when nothing did.
    const std::string& problem() const { return problem_; }
    // While the server listens where other computers reach it: the warning
    // the operator sees for as long as that lasts; empty otherwise.
    const std::string& notice() const { return notice_; }
    // Problems and the warning go to standard error as well.
    void setReportToStderr(bool on) { stderr_ = on; }

private:
    bool listen();
    void report(std::string text);

    Engine& engine_;
    std::filesystem::path settingsPath_;
    rig::RigStateView view_;
    rig::OutboxRigWriter writer_;
    GuardedRigWriter guarded_;
    rig::RigServer server_;
    rig::ListenAddress address_;
    std::string problem_;
    std::string notice_;
    bool stderr_ = true;
    bool stopped_ = false;
};

} // namespace qx
