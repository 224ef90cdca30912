// Sends the radio's state as "RadioInfo" UDP datagrams to one address (a
// logger on this computer by default), from a thread of its own that looks
// at the radio state ten times a second and sends when it changed
// (RadioInfoPacer). The state is read as the rig server reads it
// (RigStateView): no byte on the serial line.
//
// Lifecycle: start() once (opens the socket, runs the thread), stop() (or
// the destructor) joins the thread and closes the socket.
#pragma once
#include "rigserver/ListenAddress.h"
#include "rigserver/RigStateView.h"
#include "radioinfo/RadioInfoXml.h"

#include <sys/socket.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace qx::radioinfo {

// The state as the datagram tells it.
RadioInfo readRadioInfo(const rig::RigStateView& radio);

class RadioInfoSender {
public:
    explicit RadioInfoSender(const rig::RigStateView& radio) : radio_(radio) {}
    ~RadioInfoSender();
    RadioInfoSender(const RadioInfoSender&) = delete;
    RadioInfoSender& operator=(const RadioInfoSender&) = delete;

    // False, with the reason in error(), when no socket can send there.
    bool start(const rig::ListenAddress& to);
    void stop();

    bool running() const { return thread_.joinable(); }
    const std::string& error() const { return error_; }
    long sent() const { return sent_.load(); }

private:
    void run();

    const rig::RigStateView& radio_;
    int fd_ = -1;
    sockaddr_storage to_{};
    socklen_t toLength_ = 0;
    std::string error_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::atomic<long> sent_{0};
};

} // namespace qx::radioinfo
