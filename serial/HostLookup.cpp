#include "serial/HostLookup.h"

#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <thread>

namespace qx {

namespace {

constexpr std::chrono::milliseconds kCancelCheck{50};

std::string spanText(std::chrono::milliseconds d)
{
    return d.count() % 1000 == 0 ? std::to_string(d.count() / 1000) + " s" : std::to_string(d.count()) + " ms";
}

struct Lookup {
    std::mutex mutex;
    std::condition_variable cv;
    bool done = false;
    std::vector<SocketAddress> found;
    std::string error;
};

void resolve(const std::string& host, int port, int flags, std::vector<SocketAddress>& found, std::string& error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = flags | AI_NUMERICSERV;
    addrinfo* list = nullptr;
    const std::string service = std::to_string(port);
    const int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &list);
    if (rc != 0) {
        error = rc == EAI_SYSTEM ? std::strerror(errno) : ::gai_strerror(rc);
        return;
    }
    for (const addrinfo* a = list; a; a = a->ai_next) {
        if (a->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        SocketAddress s;
        std::memcpy(&s.storage, a->ai_addr, a->ai_addrlen);
        s.length = a->ai_addrlen;
        s.family = a->ai_family;
        found.push_back(s);
    }
    ::freeaddrinfo(list);
    if (found.empty())
        error = "the name has no address to connect to";
}

} // namespace

std::vector<SocketAddress> lookUpHost(const std::string& host, int port, std::chrono::milliseconds timeout,
                                      const std::atomic<bool>* cancel, std::string& why)
{
    std::vector<SocketAddress> found;
    std::string error;
    resolve(host, port, AI_NUMERICHOST, found, error);
    if (!found.empty())
        return found;

    auto lookup = std::make_shared<Lookup>();
    try {
        std::thread([lookup, host, port] {
            std::vector<SocketAddress> f;
            std::string e;
            resolve(host, port, AI_ADDRCONFIG, f, e);
            std::lock_guard lock(lookup->mutex);
            lookup->found = std::move(f);
            lookup->error = std::move(e);
            lookup->done = true;
            lookup->cv.notify_all();
        }).detach();
    } catch (const std::system_error& e) {
        why = std::string("the name lookup could not start: ") + e.what();
        return {};
    }

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(lookup->mutex);
    while (!lookup->done) {
        if (cancel && cancel->load()) {
            why = "cancelled";
            return {};
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            why = "no answer to the name lookup within " + spanText(timeout);
            return {};
        }
        lookup->cv.wait_for(lock, std::min<std::chrono::steady_clock::duration>(deadline - now, kCancelCheck));
    }
    if (lookup->found.empty())
        why = lookup->error;
    return std::move(lookup->found);
}

} // namespace qx
