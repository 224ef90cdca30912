// Engine overhead over a real link-up against the simulated radio:
//  - request to first byte: from a read-all tick on the UI thread to the
//    first byte of that step written to the port;
//  - answer to notification: from the read that brought an answer's last
//    byte to its notification handled on the UI thread;
//  - link-up to full state: from the link-up request to the end of the
//    read sequences.
// With --ser2net raw or --ser2net rfc2217 the radio is reached through the
// real ser2net on a loopback port, as a radio at another place would be.
// Prints median and 99th percentile in milliseconds. A tick that finds the
// command builder in one of its prescribed pauses (100 ms before "ST;" after
// every "MD" answer, 25 ms between "ML0;" and "ML1;") waits for it; those
// samples show as the few over 6 ms.
#include "app/Engine.h"
#include "core/MessageIds.h"
#include "app/qt/UiBridge.h"
#include "menu/MenuTable.h"
#include "sim/SimulatedRadio.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/Ser2netProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Event {
    Clock::time_point at;
    char kind; // 'W' write, 'R' read, 'T' read-all tick, 'N' notification
};

std::mutex g_mutex;
std::vector<Event> g_events;

void note(char kind)
{
    std::lock_guard lock(g_mutex);
    g_events.push_back({Clock::now(), kind});
}

class TimingDevice : public qx::SerialDevice {
public:
    explicit TimingDevice(std::unique_ptr<qx::SerialDevice> inner) : inner_(std::move(inner)) {}
    std::size_t bytesWaiting() override { return inner_->bytesWaiting(); }
    long read(std::span<std::uint8_t> into) override
    {
        const long n = inner_->read(into);
        if (n > 0)
            note('R');
        return n;
    }
    long write(std::span<const std::uint8_t> bytes) override
    {
        note('W');
        return inner_->write(bytes);
    }
    bool setRts(bool raised) override { return inner_->setRts(raised); }
    qx::LineStatus clearErrors() override { return inner_->clearErrors(); }

private:
    std::unique_ptr<qx::SerialDevice> inner_;
};

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void report(const char* what, std::vector<double> v)
{
    if (v.empty()) {
        std::printf("%-28s no samples\n", what);
        return;
    }
    std::sort(v.begin(), v.end());
    const double median = v[v.size() / 2];
    const double p99 = v[std::min(v.size() - 1, (v.size() * 99) / 100)];
    const auto over = std::count_if(v.begin(), v.end(), [](double x) { return x > 6.0; });
    std::printf("%-28s n=%4zu  median %.3f ms  p99 %.3f ms  max %.3f ms  over 6 ms: %ld\n", what, v.size(), median,
                p99, v.back(), static_cast<long>(over));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::string via;
    if (argc == 3 && std::string(argv[1]) == "--ser2net" && (std::string(argv[2]) == "raw" || std::string(argv[2]) == "rfc2217"))
        via = argv[2];
    else if (argc != 1) {
        std::fprintf(stderr, "usage: %s [--ser2net raw|rfc2217]\n", argv[0]);
        return 2;
    }
    const auto dir = std::filesystem::temp_directory_path() / "qx-engine-latency";
    std::filesystem::create_directories(dir);

    qx::sim::SimOptions so;
    so.linkPath = (dir / "qx720").string();
    qx::sim::SimulatedRadio sim(so);
    if (!sim.start()) {
        std::fprintf(stderr, "simulator did not start\n");
        return 1;
    }
    qx::EngineConfig config;
    config.baseDir = dir;
    config.devicePath = sim.slaveName();
    std::unique_ptr<qx::test::Ser2netProcess> ser2net;
    if (!via.empty()) {
        ser2net = std::make_unique<qx::test::Ser2netProcess>(dir, so.linkPath, qx::test::Ser2netProcess::freeLoopbackPort(),
                                                             via == "rfc2217");
        std::string why;
        if (!ser2net->start(why)) {
            std::fprintf(stderr, "%s\n", why.c_str());
            return 1;
        }
        config.devicePath = ser2net->address();
        std::printf("through ser2net: %s\n", config.devicePath->c_str());
    }
    config.wrapOpener = [](qx::DeviceOpener inner) -> qx::DeviceOpener {
        return [inner](const std::string& path, int baud, std::string& why) -> std::unique_ptr<qx::SerialDevice> {
            auto dev = inner(path, baud, why);
            return dev ? std::make_unique<TimingDevice>(std::move(dev)) : nullptr;
        };
    };
    qx::RadioState radio;
    qx::CommandState command;
    qx::MenuTable menu;
    qx::UiBridge bridge;
    qx::Engine engine(config, bridge, radio, command, menu);
    bridge.setTimerHandler([&](int id) {
        if (id == 4)
            note('T');
        engine.onTimer(id);
    });
    bridge.setMessageHandler([&](const qx::Message& m) {
        if (m.id >= qx::kFirstAnswerNotification && m.id <= qx::kLastAnswerNotification)
            note('N');
    });
    engine.startUp();

    auto spin = [&](auto done, int timeoutMs) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < timeoutMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return done();
    };
    spin([&] { return radio.get(qx::RadioState::Int::PS) == 1; }, 5000);

    const auto linkStart = Clock::now();
    engine.postToThread(qx::ThreadId::AnlSend, {qx::UM_REQ_AI_TOGGLE, 0, 0});
    bool busySeen = false;
    const bool done = spin(
        [&] {
            const bool busy = engine.flags().waitBoxBusy.load();
            busySeen = busySeen || busy;
            return busySeen && !busy;
        },
        30000);
    const auto linkEnd = Clock::now();
    bridge.beginShutdown();
    engine.shutDown();
    ser2net.reset();
    sim.stop();

    std::vector<Event> events;
    {
        std::lock_guard lock(g_mutex);
        events = g_events;
    }
    std::vector<double> requestToWrite, answerToNotice;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].kind == 'T') {
            for (std::size_t j = i + 1; j < events.size() && events[j].kind != 'T'; ++j)
                if (events[j].kind == 'W') {
                    requestToWrite.push_back(ms(events[j].at - events[i].at));
                    break;
                }
        } else if (events[i].kind == 'N') {
            for (std::size_t j = i; j-- > 0;)
                if (events[j].kind == 'R') {
                    answerToNotice.push_back(ms(events[i].at - events[j].at));
                    break;
                }
        }
    }
    report("request -> first byte", requestToWrite);
    report("answer -> notification", answerToNotice);
    std::printf("%-28s %s %.0f ms\n", "link-up -> full state", done ? "" : "(did not finish)", ms(linkEnd - linkStart));
    std::filesystem::remove_all(dir);
    return done ? 0 : 1;
}
