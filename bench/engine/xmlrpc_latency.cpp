// The XML-RPC server on the whole engine against the simulated radio, link
// up and auto-information on:
//  - reads: 8 clients, each calling rig.get_vfoA then rig.get_modeA 10 times
//    a second for 10 s on one kept-open connection, as Hamlib's FLRig
//    backend does; the time from a call to the end of its answer, median
//    and 99th percentile, and the bytes written to the serial line meanwhile
//    against a quiet 10 s without clients;
//  - sets: rig.set_vfoA from a client to the first byte of "FA..." on the port.
#include "app/Engine.h"
#include "app/XmlRpcHost.h"
#include "app/qt/UiBridge.h"
#include "core/MessageIds.h"
#include "menu/MenuTable.h"
#include "sim/SimulatedRadio.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Write {
    Clock::time_point at;
    std::string text;
};

std::mutex g_mutex;
std::vector<Write> g_writes;
std::atomic<long> g_bytes{0};

class CountingDevice : public qx::SerialDevice {
public:
    explicit CountingDevice(std::unique_ptr<qx::SerialDevice> inner) : inner_(std::move(inner)) {}
    std::size_t bytesWaiting() override { return inner_->bytesWaiting(); }
    long read(std::span<std::uint8_t> into) override { return inner_->read(into); }
    long write(std::span<const std::uint8_t> bytes) override
    {
        {
            std::lock_guard lock(g_mutex);
            g_writes.push_back({Clock::now(), std::string(bytes.begin(), bytes.end())});
        }
        g_bytes += static_cast<long>(bytes.size());
        return inner_->write(bytes);
    }
    bool setRts(bool raised) override { return inner_->setRts(raised); }
    qx::LineStatus clearErrors() override { return inner_->clearErrors(); }

private:
    std::unique_ptr<qx::SerialDevice> inner_;
};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void report(const char* what, std::vector<double> v)
{
    if (v.empty()) {
        std::printf("%-34s no samples\n", what);
        return;
    }
    std::sort(v.begin(), v.end());
    std::printf("%-34s n=%5zu  median %.3f ms  p99 %.3f ms  max %.3f ms\n", what, v.size(), v[v.size() / 2],
                v[std::min(v.size() - 1, v.size() * 99 / 100)], v.back());
}

int connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

std::string post(const std::string& method, const std::string& params = {})
{
    const std::string body = "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>" + method + "</methodName>\r\n" +
                             params + "</methodCall>\r\n";
    return "POST /RPC2 HTTP/1.1\r\nUser-Agent: bench\r\nHost: 127.0.0.1\r\nContent-type: text/xml\r\n"
           "Content-length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

// Sends a call and reads its whole answer; the round trip.
Clock::duration call(int fd, const std::string& request)
{
    const auto t0 = Clock::now();
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string got;
    char buf[4096];
    while (got.find("</methodResponse>") == std::string::npos) {
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        got.append(buf, static_cast<std::size_t>(n));
    }
    return Clock::now() - t0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const auto dir = std::filesystem::temp_directory_path() / "qx-xmlrpc-latency";
    std::filesystem::create_directories(dir);

    qx::sim::SimulatedRadio sim;
    if (!sim.start()) {
        std::fprintf(stderr, "simulator did not start\n");
        return 1;
    }
    qx::EngineConfig config;
    config.baseDir = dir;
    config.devicePath = sim.slaveName();
    config.wrapOpener = [](qx::DeviceOpener inner) -> qx::DeviceOpener {
        return [inner](const std::string& path, int baud, std::string& why) -> std::unique_ptr<qx::SerialDevice> {
            auto dev = inner(path, baud, why);
            return dev ? std::make_unique<CountingDevice>(std::move(dev)) : nullptr;
        };
    };
    qx::RadioState radio;
    qx::CommandState command;
    qx::MenuTable menu;
    qx::UiBridge bridge;
    qx::Engine engine(config, bridge, radio, command, menu);
    bridge.setTimerHandler([&](int id) { engine.onTimer(id); });
    engine.startUp();
    qx::XmlRpcHost host(engine, dir);
    host.setReportToStderr(false);
    if (!host.apply({true, "127.0.0.1", 0})) {
        std::fprintf(stderr, "%s\n", host.problem().c_str());
        return 1;
    }

    auto spinFor = [&](int msTotal, auto done) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < msTotal)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    spinFor(5000, [&] { return radio.get(qx::RadioState::Int::PS) == 1; });
    engine.postToThread(qx::ThreadId::AnlSend, {qx::UM_REQ_AI_TOGGLE, 0, 0});
    bool busySeen = false;
    spinFor(30000, [&] {
        const bool busy = engine.flags().waitBoxBusy.load();
        busySeen = busySeen || busy;
        return busySeen && !busy;
    });
    spinFor(2000, [] { return false; });

    const long quietStart = g_bytes;
    spinFor(10000, [] { return false; });
    const long quietBytes = g_bytes - quietStart;

    // Reads.
    std::atomic<bool> stop{false};
    std::mutex samplesMutex;
    std::vector<double> reads;
    std::vector<std::thread> pollers;
    const long pollStart = g_bytes;
    for (int c = 0; c < 8; ++c)
        pollers.emplace_back([&] {
            const int fd = connectTo(host.port());
            std::vector<double> mine;
            auto next = Clock::now();
            const std::string vfo = post("rig.get_vfoA");
            const std::string mode = post("rig.get_modeA");
            while (!stop) {
                mine.push_back(ms(call(fd, vfo)));
                mine.push_back(ms(call(fd, mode)));
                next += std::chrono::milliseconds(100);
                std::this_thread::sleep_until(next);
            }
            ::close(fd);
            std::lock_guard lock(samplesMutex);
            reads.insert(reads.end(), mine.begin(), mine.end());
        });
    spinFor(10000, [] { return false; });
    stop = true;
    for (auto& t : pollers)
        t.join();
    const long pollBytes = g_bytes - pollStart;

    // Sets.
    std::vector<std::pair<Clock::time_point, std::string>> sets;
    std::vector<double> setAnswers;
    {
        const int fd = connectTo(host.port());
        for (int i = 0; i < 200; ++i) {
            const std::string hz = std::to_string(14074000 + 10 * (i % 50) + (i >= 100 ? 1 : 0));
            sets.emplace_back(Clock::now(), "FA" + std::string(8 - hz.size(), '0') + hz + ";");
            setAnswers.push_back(ms(call(
                fd, post("rig.set_vfoA", "<params><param><value><double>" + hz + "</double></value></param></params>"))));
            spinFor(30, [] { return false; });
        }
        ::close(fd);
    }
    spinFor(500, [] { return false; });
    std::vector<double> setToWire;
    {
        std::lock_guard lock(g_mutex);
        for (const auto& [at, text] : sets)
            for (const Write& w : g_writes)
                if (w.at >= at && w.text == text) {
                    setToWire.push_back(ms(w.at - at));
                    break;
                }
    }

    bridge.beginShutdown();
    engine.shutDown();
    sim.stop();

    report("read (get_vfoA, get_modeA)", reads);
    std::printf("%-34s quiet 10 s: %ld bytes, 8 clients polling 10 s: %ld bytes\n", "serial bytes written", quietBytes,
                pollBytes);
    report("set (set_vfoA) answered", setAnswers);
    report("set (set_vfoA) -> first byte on line", setToWire);
    std::filesystem::remove_all(dir);
    return 0;
}
