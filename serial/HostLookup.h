// Turns a host name into the addresses to connect to, within a time limit.
// The system's resolver cannot be interrupted, so a name lookup runs on a
// thread of its own; when the time is up (or the caller gives up) the caller
// goes on and that thread finishes later by itself, touching nothing of the
// caller's. Address literals are read at once without a thread.
#pragma once
#include <atomic>
#include <chrono>
#include <string>
#include <sys/socket.h>
#include <vector>

namespace qx {

struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;
    int family = 0;
};

// The TCP addresses of host:port in the resolver's order; empty with the
// reason in `why` when there are none, the time ran out or `cancel` was set.
std::vector<SocketAddress> lookUpHost(const std::string& host, int port, std::chrono::milliseconds timeout,
                                      const std::atomic<bool>* cancel, std::string& why);

} // namespace qx
