// The flrig-compatible XML-RPC server: HTTP/1.1 on a TCP listener, its
// clients on one thread of their own waiting in poll(). Any URL path is
// served (clients post to "/" and to "/RPC2"); a connection stays open for
// as many calls as the client makes. Each client has a FlrigSession and
// bounded buffers: a request too long, a client that stops reading or one
// that hangs up costs only that client. Every quarter second the thread
// also watches the link: an unkey when it drops while transmitting, and a
// release when the client that keyed the transmitter leaves.
//
// Lifecycle: start() once (binds and listens, then runs the thread),
// stop() (or the destructor) joins the thread and closes every socket.
#pragma once
#include "rigserver/ListenAddress.h"
#include "rigserver/PttGuard.h"
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"
#include "xmlrpc/CatAnswerWatch.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <thread>

namespace qx::xmlrpc {

class XmlRpcServer {
public:
    static constexpr int kMaxClients = 64;
    // Answers waiting for a client beyond this stop the reading of its calls.
    static constexpr std::size_t kMaxPendingOutput = 256 * 1024;

    // How long rig.cat_string waits for the radio's answer.
    static constexpr int kCatAnswerMs = 1000;

    // `cat`: the line's answers for rig.cat_string (none: a fault).
    XmlRpcServer(rig::RigStateView& radio, rig::RigWriter& writer, CatAnswerWatch* cat = nullptr);
    ~XmlRpcServer();
    XmlRpcServer(const XmlRpcServer&) = delete;
    XmlRpcServer& operator=(const XmlRpcServer&) = delete;

    // False, with the reason in error(), when it cannot listen there.
    bool start(const rig::ListenAddress& address);
    void stop();

    bool running() const { return thread_.joinable(); }
    int port() const { return port_; }
    const std::string& error() const { return error_; }
    std::size_t clientCount() const { return clientCount_.load(); }

private:
    struct Client;
    struct State;
    void run();
    void accept();
    void readFrom(Client& c);
    void answerCalls(Client& c);
    bool flush(Client& c);
    void drop(Client& c);
    void watchLink();
    bool answerCat(Client& c, bool late);

    rig::RigStateView& radio_;
    rig::RigWriter& writer_;
    CatAnswerWatch* cat_;
    rig::PttGuard ptt_;

    int listenFd_ = -1;
    int wakeFd_ = -1;
    int port_ = 0;
    std::string error_;
    std::atomic<bool> stopping_{false};
    std::atomic<std::size_t> clientCount_{0};
    std::thread thread_;
    std::unique_ptr<State> state_;
};

} // namespace qx::xmlrpc
