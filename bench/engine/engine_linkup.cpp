// Link-up to full state against the simulated radio: from the link-up
// request to the end of the read-all and menu-read sequences, with the
// radio and the program both at the given line speed. Several runs, each on
// a fresh engine and radio; prints every run and the median. With --ser2net
// raw or --ser2net rfc2217 the radio is reached through the real ser2net on
// a loopback port, as a radio at another place would be.
//   engine_linkup [--baud 4800|9600|19200|38400] [--runs N] [--ser2net raw|rfc2217]
#include "app/Engine.h"
#include "app/qt/UiBridge.h"
#include "core/MessageIds.h"
#include "menu/MenuTable.h"
#include "sim/SimulatedRadio.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/Ser2netProcess.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto until = Clock::now() + timeout;
    while (!done() && Clock::now() < until)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 2);
    return done();
}

// One link-up on a fresh radio and engine; milliseconds, or -1.
double linkUp(int baud, int run, const std::string& via)
{
    const auto dir = std::filesystem::temp_directory_path() /
                     ("qx-linkup-" + std::to_string(::getpid()) + "-" + std::to_string(run));
    std::filesystem::create_directories(dir / "CommoFiles");
    std::ofstream(dir / "CommoFiles" / "CommSetting.csv") << "1," << baud << ",0\n";
    double took = -1;
    {
        qx::sim::SimOptions options;
        options.linkPath = (dir / "qx720").string();
        qx::sim::SimulatedRadio sim(options);
        if (!sim.start())
            return -1;
        qx::EngineConfig config;
        config.baseDir = dir;
        config.devicePath = sim.slaveName();
        std::unique_ptr<qx::test::Ser2netProcess> ser2net;
        if (!via.empty()) {
            ser2net = std::make_unique<qx::test::Ser2netProcess>(
                dir, options.linkPath, qx::test::Ser2netProcess::freeLoopbackPort(), via == "rfc2217");
            std::string why;
            if (!ser2net->start(why)) {
                std::fprintf(stderr, "%s\n", why.c_str());
                return -1;
            }
            config.devicePath = ser2net->address();
        }
        qx::RadioState radio;
        qx::CommandState command;
        qx::MenuTable menu;
        qx::UiBridge bridge;
        qx::Engine engine(config, bridge, radio, command, menu);
        bridge.setTimerHandler([&](int id) { engine.onTimer(id); });
        engine.startUp();
        const bool ready = waitUntil([&] { return radio.get(qx::RadioState::Int::PS) == 1; }, std::chrono::seconds(5));
        // The radio's CAT rate menu item: 1 to 4 for 4800 to 38400 bit/s.
        const int item = baud == 38400 ? 4 : baud == 19200 ? 3 : baud == 9600 ? 2 : 1;
        engine.sendRaw("EX010" + std::to_string(item) + ";");
        const bool rate = waitUntil([&] { return sim.model().lineRate() == baud; }, std::chrono::seconds(5));
        if (ready && rate) {
            const auto start = Clock::now();
            engine.postToThread(qx::ThreadId::AnlSend, {qx::UM_REQ_AI_TOGGLE, 0, 0});
            bool busySeen = false;
            const bool done = waitUntil(
                [&] {
                    const bool busy = engine.flags().waitBoxBusy.load();
                    busySeen = busySeen || busy;
                    return busySeen && !busy;
                },
                std::chrono::seconds(30));
            if (done)
                took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        bridge.beginShutdown();
        engine.shutDown();
        ser2net.reset();
        sim.stop();
    }
    std::filesystem::remove_all(dir);
    return took;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int baud = 4800;
    int runs = 5;
    std::string via;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--baud") == 0)
            baud = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--ser2net") == 0)
            via = argv[i + 1];
    }
    if (!via.empty() && via != "raw" && via != "rfc2217") {
        std::fprintf(stderr, "usage: %s [--baud N] [--runs N] [--ser2net raw|rfc2217]\n", argv[0]);
        return 2;
    }
    // Keeps the event loop turning while the waits look at the flags.
    QTimer beat;
    beat.start(2);
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const double t = linkUp(baud, r, via);
        std::printf("run %d: %s%.0f ms\n", r + 1, t < 0 ? "did not finish " : "", t < 0 ? 0.0 : t);
        if (t >= 0)
            times.push_back(t);
    }
    if (times.empty())
        return 1;
    std::sort(times.begin(), times.end());
    std::printf("link-up to full state at %d bit/s%s: median %.0f ms, fastest %.0f ms, slowest %.0f ms (%zu runs)\n",
                baud, via.empty() ? "" : (" through ser2net " + via).c_str(), times[times.size() / 2], times.front(), times.back(), times.size());
    return 0;
}
