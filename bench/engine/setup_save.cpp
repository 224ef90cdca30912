// How long saving the radio's set-up takes against the simulated radio at
// 4800 bit/s, next to the line time of what it reads:
//  - without channels: from the state already read, so no line traffic;
//  - with all 504 channels (one in eight in use): the "MR" reads and their
//    answers ("MR..." for a channel in use, "?;" for an empty one).
// The line time counts every byte of the reads and their answers at 11 bits
// a character, one direction after the other; the line carries both
// directions at once, so the busier direction alone is the lower bound.
#include "app/Engine.h"
#include "app/qt/UiBridge.h"
#include "backup/SetupJobs.h"
#include "core/MessageIds.h"
#include "menu/MenuTable.h"
#include "sim/SimulatedRadio.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<long> g_written{0};

class CountingDevice : public qx::SerialDevice {
public:
    explicit CountingDevice(std::unique_ptr<qx::SerialDevice> inner) : inner_(std::move(inner)) {}
    std::size_t bytesWaiting() override { return inner_->bytesWaiting(); }
    long read(std::span<std::uint8_t> into) override { return inner_->read(into); }
    long write(std::span<const std::uint8_t> bytes) override
    {
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (text.substr(0, 2) == "MR")
            g_written += static_cast<long>(bytes.size());
        return inner_->write(bytes);
    }
    bool setRts(bool raised) override { return inner_->setRts(raised); }
    qx::LineStatus clearErrors() override { return inner_->clearErrors(); }

private:
    std::unique_ptr<qx::SerialDevice> inner_;
};

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }
double lineMs(long bytes) { return bytes * 11.0 * 1000.0 / 4800.0; }

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const auto dir = std::filesystem::temp_directory_path() / "qx-setup-save";
    std::filesystem::create_directories(dir);

    qx::sim::SimulatedRadio sim;
    if (!sim.start()) {
        std::fprintf(stderr, "simulator did not start\n");
        return 1;
    }
    int inUse = 0;
    for (int ch = 1; ch <= 504; ch += 8, ++inUse) {
        char mw[32];
        std::snprintf(mw, sizeof mw, "MW%03d%08d+000000200080;", ch, 7000000 + ch * 1000);
        sim.operate(mw);
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
    qx::SystemClock clock;
    qx::RadioAccess access{engine, radio, menu, engine.flags(),
                           [&engine](const std::string& t) { return engine.sendRaw(t); }, clock};
    qx::SetupJobs jobs(access);
    bridge.setTimerHandler([&](int id) { engine.onTimer(id); });
    bridge.setMessageHandler([&](const qx::Message& m) { jobs.onMessage(m); });
    engine.startUp();

    auto spin = [&](auto done, int timeoutMs) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < timeoutMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return done();
    };
    spin([&] { return radio.get(qx::RadioState::Int::PS) == 1; }, 5000);
    engine.postToThread(qx::ThreadId::AnlSend, {qx::UM_REQ_AI_TOGGLE, 0, 0});
    bool busySeen = false;
    spin(
        [&] {
            const bool busy = engine.flags().waitBoxBusy.load();
            busySeen = busySeen || busy;
            return busySeen && !busy;
        },
        30000);

    bool ok = true;
    auto save = [&](const char* name, std::optional<qx::ChannelRange> range) {
        bool ended = false;
        const auto c = QObject::connect(&jobs, &qx::SetupJobs::finished, [&] { ended = true; });
        g_written = 0;
        const auto start = Clock::now();
        if (!jobs.save(dir / name, range)) {
            std::fprintf(stderr, "%s\n", jobs.message().c_str());
            ok = false;
            return 0.0;
        }
        spin([&] { return ended; }, 120000);
        QObject::disconnect(c);
        const double took = msSince(start);
        ok = ok && ended && jobs.succeeded();
        std::printf("%-24s %8.1f ms  (%s)\n", name, took, jobs.message().c_str());
        return took;
    };

    save("without-channels.json", std::nullopt);
    std::printf("%-24s %8ld bytes of channel reads written\n", "", g_written.load());
    const double took = save("with-channels.json", qx::ChannelRange{});
    const long sent = g_written.load();
    const long received = inUse * 27L + (504 - inUse) * 2L;
    const double line = lineMs(sent + received);
    std::printf("%-24s %8.1f ms  (%ld bytes out, %ld back, %d channels in use)\n", "line time of the reads", line,
                sent, received, inUse);
    std::printf("%-24s %8.1f ms\n", "busier direction alone", lineMs(std::max(sent, received)));
    std::printf("%-24s %8.2f  (limit 1.10)\n", "save / line time", took / line);

    bridge.beginShutdown();
    engine.shutDown();
    sim.stop();
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
