// The network side of the rig server: a TCP listener and its clients on one
// thread of their own, waiting in poll(). Each client has a RigSession and
// bounded buffers; a line too long, a client that stops reading or one that
// hangs up costs only that client. The thread also watches the link every
// quarter second: an unkey when it drops while transmitting, a release when
// the client that keyed leaves, and, when asked, a new link-up while it is
// down.
//
// Lifecycle: start() once (binds and listens, then runs the thread),
// stop() (or the destructor) joins the thread and closes every socket.
#pragma once
#include "rigserver/ListenAddress.h"
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"
#include "rigserver/RigSession.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <thread>

namespace qx::rig {

class RigServer {
public:
    static constexpr int kMaxClients = 64;
    // Answers waiting for a client beyond this stop the reading of its lines.
    static constexpr std::size_t kMaxPendingOutput = 64 * 1024;

    RigServer(RigStateView& radio, RigWriter& writer);
    ~RigServer();
    RigServer(const RigServer&) = delete;
    RigServer& operator=(const RigServer&) = delete;

    // Bring the link up whenever it is down (no operator to do it).
    void setKeepLinked(bool on) { keepLinked_ = on; }
    // Clients that connect from now on work in VFO mode ("\chk_vfo" is 1).
    void setVfoMode(bool on) { shared_.vfoMode = on; }

    // False, with the reason in error(), when it cannot listen there (the
    // port taken, an address this computer does not have).
    bool start(const ListenAddress& address);
    void stop();

    bool running() const { return thread_.joinable(); }
    // The port listened on (the one the system chose when asked for port 0).
    int port() const { return port_; }
    const std::string& error() const { return error_; }
    std::size_t clientCount() const { return clientCount_.load(); }

private:
    struct Client;
    void run();
    void accept();
    void refuse(int fd);
    void readFrom(Client& c);
    void answerLines(Client& c);
    bool flush(Client& c);
    void drop(Client& c);
    void watchLink();
    void release();

    RigStateView& radio_;
    RigWriter& writer_;
    RigShared shared_;
    bool keepLinked_ = false;

    int listenFd_ = -1;
    int wakeFd_ = -1;
    int port_ = 0;
    std::string error_;
    std::atomic<bool> stopping_{false};
    std::atomic<std::size_t> clientCount_{0};
    std::thread thread_;
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace qx::rig
