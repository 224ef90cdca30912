// One engine hosted as the program hosts it (UiBridge on this thread's Qt
// loop), talking to a simulated radio over a pseudo-terminal, with its own
// state stores and settings folder. Waits spin the event loop until a
// condition holds or a generous time-out passes: nothing sleeps.
#pragma once
#include "app/Engine.h"
#include "core/MessageIds.h"
#include "app/qt/UiBridge.h"
#include "menu/MenuTable.h"
#include "sim/SimulatedRadio.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qx::test {

class EngineRig {
public:
    using Ms = std::chrono::milliseconds;

    // The radio is reached through a link in the rig's folder, so it can hang
    // up and come back on a new pseudo-terminal under the same name. With
    // `device`, the engine opens that instead (a network device in front of
    // the link). `adjust` may change the engine's configuration last.
    explicit EngineRig(bool secondInstance = false, sim::SimOptions simOptions = {},
                       std::optional<std::string> device = std::nullopt,
                       const std::function<void(EngineConfig&)>& adjust = {})
        : dir_(makeTempDir()), sim_(withLink(std::move(simOptions), dir_))
    {
        started_ = sim_.start();
        EngineConfig config;
        config.baseDir = dir_;
        config.devicePath = device ? *device : radioLink().string();
        config.secondInstance = secondInstance;
        // For looking into a failure: every byte on the port, with times.
        if (const char* trace = std::getenv("QX_RIG_TRACE"))
            config.tracePath = trace;
        if (adjust)
            adjust(config);
        engine_ = std::make_unique<Engine>(config, bridge_, radio_, command_, menu_);
        bridge_.setTimerHandler([this](int id) { engine_->onTimer(id); });
        bridge_.setMessageHandler([this](const Message& m) { received_.push_back(m.id); });
    }

    ~EngineRig()
    {
        bridge_.beginShutdown();
        engine_->shutDown();
        engine_.reset();
        sim_.stop();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    bool simStarted() const { return started_; }
    Engine& engine() { return *engine_; }
    sim::SimulatedRadio& sim() { return sim_; }
    RadioState& radio() { return radio_; }
    CommandState& command() { return command_; }
    MenuTable& menu() { return menu_; }
    UiBridge& bridge() { return bridge_; }
    const std::filesystem::path& dir() const { return dir_; }
    // The link to the simulated radio's pseudo-terminal.
    std::filesystem::path radioLink() const { return dir_ / "qx720"; }

    bool waitUntil(const std::function<bool()>& done, Ms timeout = Ms(15000))
    {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > timeout.count())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QCoreApplication::sendPostedEvents();
        }
        return true;
    }

    std::size_t count(std::uint32_t id) const
    {
        return static_cast<std::size_t>(std::count(received_.begin(), received_.end(), id));
    }
    bool waitFor(std::uint32_t id, std::size_t atLeast = 1, Ms timeout = Ms(15000))
    {
        return waitUntil([&] { return count(id) >= atLeast; }, timeout);
    }
    void clearReceived() { received_.clear(); }

    // Commands the radio received, in order.
    std::vector<std::string> received()
    {
        std::vector<std::string> out;
        for (const auto& e : sim_.log().events())
            if (e.direction == sim::Direction::Received)
                out.push_back(e.text);
        return out;
    }

    // Posts the power key's link-up and waits until both read sequences ran.
    bool linkUp(Ms timeout = Ms(30000))
    {
        engine_->postToThread(ThreadId::AnlSend, {UM_REQ_AI_TOGGLE, 0, 0});
        bool busySeen = false;
        return waitUntil(
            [&] {
                const bool busy = engine_->flags().waitBoxBusy.load();
                busySeen = busySeen || busy;
                return busySeen && !busy;
            },
            timeout);
    }

private:
    static std::filesystem::path makeTempDir()
    {
        std::string p = (std::filesystem::temp_directory_path() / "qxrig.XXXXXX").string();
        return ::mkdtemp(p.data()) ? p : std::string();
    }
    static sim::SimOptions withLink(sim::SimOptions o, const std::filesystem::path& dir)
    {
        o.linkPath = (dir / "qx720").string();
        return o;
    }

    std::filesystem::path dir_;
    sim::SimulatedRadio sim_;
    bool started_ = false;
    RadioState radio_;
    CommandState command_;
    MenuTable menu_;
    UiBridge bridge_;
    std::unique_ptr<Engine> engine_;
    std::vector<std::uint32_t> received_;
};

} // namespace qx::test
