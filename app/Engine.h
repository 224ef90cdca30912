// The whole radio link without any window: the two text queues, the port,
// the five workers on their threads, start-up and shutdown in their fixed
// order, and the routing of every message a worker sends. The main window
// and the headless runner both host one, giving it a WindowSink that
// carries window messages and timers to the UI thread, and calling onTimer
// from that thread for each tick. Timers whose ticks only feed a worker run
// on that worker's thread instead.
//
// Lifecycle: construct (nothing runs), startUp() once, shutDown() once.
// The destructor shuts down if that was not done.
#pragma once
#include "cat/LinkState.h"
#include "core/Clock.h"
#include "core/LinkFlags.h"
#include "core/Outbox.h"
#include "core/WorkerThread.h"
#include "cat/StepAnswers.h"
#include "serial/ComLink.h"
#include "serial/ComSettingsFile.h"
#include "serial/DevicePaths.h"
#include "serial/NetworkDeviceSetting.h"
#include "serial/TextQueue.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qx {

class AnswerAnalyser;
class CommandBuilder;
class CommandState;
class MenuLoader;
class MenuTable;
class PortOpener;
class RadioState;
class SerialReceiver;
class SerialSender;
class TraceFile;
class TrafficTap;
class WindowSink;

struct EngineConfig {
    std::filesystem::path baseDir = ".";      // holds "CommoFiles"
    std::optional<std::string> devicePath;    // --device: this path (or network device) for every port number
    std::optional<int> portNumber;            // --port: this COM port instead of the saved one
    std::filesystem::path devDir = "/dev";
    bool secondInstance = false;
    std::string tracePath;                    // --trace: every byte on the port; none when empty
    // Wraps the opener of real devices, for measurements and tests.
    std::function<DeviceOpener(DeviceOpener)> wrapOpener;
};

struct StartReport {
    bool settingsRead = false;
    bool portOpened = false;
    // A network device connects on the send thread instead, not to hold up the UI.
    bool portOpenPosted = false;
};

class Engine final : public Outbox {
public:
    Engine(EngineConfig config, WindowSink& window, RadioState& radio, CommandState& command, MenuTable& menu);
    ~Engine() override;
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    StartReport startUp();
    // False when a worker had to be abandoned.
    bool shutDown();
    // A tick of the main window's timer `timerId`; false when it is not one of the engine's.
    bool onTimer(int timerId);

    // Puts a raw text on the send queue and has it written, as Command Send
    // does; false, sending nothing, when it is longer than a queue slot.
    bool sendRaw(const std::string& text);
    // Closes the port because the system goes to sleep or wakes.
    void closeForSleep();

    // What the operator is told of the link. The listener is called from
    // any thread, in the order of the changes (see LinkStateMachine); set it
    // before startUp().
    void setLinkListener(LinkStateMachine::Listener listener) { linkState_.setListener(std::move(listener)); }
    LinkStatus linkStatus() const { return linkState_.status(); }
    // The port's settings changed (COM Select, Baud rate).
    void portSettingsChanged() { linkState_.portChanged(); }
    // Every byte through the port, for the CAT monitor and the trace file.
    TrafficTap& traffic() { return *tap_; }
    // Runs first in shutDown(), while the port and the workers still run.
    void setBeforeShutdown(std::function<void()> fn) { beforeShutdown_ = std::move(fn); }
    // More of the same, for the other network services (XML-RPC server,
    // radio-info broadcasts): run after the one above, in the order added.
    // The id removes it again (a host that goes before the engine).
    int addBeforeShutdown(std::function<void()> fn)
    {
        moreBeforeShutdown_.emplace_back(++lastShutdownStep_, std::move(fn));
        return lastShutdownStep_;
    }
    void removeBeforeShutdown(int id)
    {
        std::erase_if(moreBeforeShutdown_, [id](const auto& s) { return s.first == id; });
    }

    // What the system said behind the operator message of UM_SHOW_ERROR row
    // `row` (the device and why it did not open, what was wrong with the
    // settings file, the model the radio answered as); empty when nothing.
    std::string errorDetail(long row) const;
    // Why the settings file could not be saved at shutdown; empty when it was.
    std::string settingsSaveFailure() const;
    // Why the --trace file was not opened; empty when there is none or it was.
    std::string traceFailure() const;

    void postToThread(ThreadId to, const Message& m) override;
    void postToWindow(const Message& m) override;
    void sendToWindow(const Message& m) override;
    void startTimer(int timerId, int periodMs) override;
    void stopTimer(int timerId) override;

    RadioState& radio() { return radio_; }
    CommandState& command() { return command_; }
    MenuTable& menu() { return menu_; }
    ComLink& link() { return *link_; }
    LinkFlags& flags() { return flags_; }
    const ComSettingsFile& settingsFile() const { return settings_; }
    // The device the link opens for a port number: --device, else the
    // network radio chosen in COM Select, else the port's serial device.
    std::optional<std::string> devicePathFor(int portNumber) const;
    // The network radio chosen in COM Select (not --device); setting one
    // remembers it in the settings file. False when it could not be saved.
    std::optional<std::string> networkDevice() const { return network_.get(); }
    bool setNetworkDevice(const std::optional<std::string>& address, std::string* why = nullptr);
    // The device named with --device, which serves every COM number until a
    // network radio is chosen in this run.
    const std::optional<std::string>& commandLineDevice() const { return config_.devicePath; }
    bool secondInstance() const { return config_.secondInstance; }
    // Holds "CommoFiles", the program's settings.
    const std::filesystem::path& baseDir() const { return config_.baseDir; }

private:
    class Worker;
    Worker* worker(ThreadId id);
    Worker* timerOwner(int timerId);
    void workerTimer(int timerId);
    void watchdogTick();
    std::pair<std::string, int> portInfo() const;
    void observeThreadPost(ThreadId to, const Message& m);
    void observeWindowMessage(const Message& m);

    EngineConfig config_;
    WindowSink& window_;
    RadioState& radio_;
    CommandState& command_;
    MenuTable& menu_;

    SystemClock clock_;
    LinkFlags flags_;
    TextQueue sendQueue_;
    TextQueue answerQueue_;
    StepAnswers stepAnswers_;
    DevicePaths paths_;
    LinkStateMachine linkState_;
    std::shared_ptr<TrafficTap> tap_;
    std::unique_ptr<TraceFile> trace_;
    std::unique_ptr<ComLink> link_;
    ComSettingsFile settings_;
    NetworkDeviceSetting network_;
    // Set at shutdown: a connect still pending gives up at once.
    std::atomic<bool> cancelConnect_{false};
    // A network radio was chosen (COM Select) after start: it outranks --device.
    std::atomic<bool> networkChosenThisRun_{false};

    std::unique_ptr<SerialSender> sender_;
    std::unique_ptr<SerialReceiver> receiver_;
    std::unique_ptr<AnswerAnalyser> analyser_;
    std::unique_ptr<PortOpener> portOpener_;
    std::unique_ptr<CommandBuilder> builder_;
    std::unique_ptr<MenuLoader> loader_;
    std::unique_ptr<Worker> sioSend_, sioRecv_, anlSend_, anlRecv_, menuLoad_;

    std::function<void()> beforeShutdown_;
    std::vector<std::pair<int, std::function<void()>>> moreBeforeShutdown_;
    int lastShutdownStep_ = 0;
    bool started_ = false;
    bool stopped_ = false;
    mutable std::mutex notesMutex_;
    std::string settingsProblem_;
    std::string settingsSaveFailure_;
};

} // namespace qx
