#include "app/Engine.h"

#include "core/ErrorMessages.h"
#include "core/MessageIds.h"
#include "app/TimerRoutes.h"
#include "app/WindowSink.h"
#include "cat/AnswerAnalyser.h"
#include "cat/AnswerDecoders.h"
#include "cat/CommandBuilder.h"
#include "cat/PortOpener.h"
#include "cat/Watchdog.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "core/KeyValueFile.h"
#include "serial/DeviceFacts.h"
#include "serial/NetworkAddress.h"
#include "serial/SerialPort.h"
#include "serial/SerialReceiver.h"
#include "serial/SerialSender.h"
#include "serial/NetworkOpener.h"
#include "serial/TraceFile.h"
#include "serial/TracingDevice.h"
#include "serial/TrafficTap.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

namespace qx {

// One worker: its behaviour and the thread it runs on. Its own timers' ticks
// go back to the engine, which knows what each one does; a worker that
// watches input hands that part to its input handler.
class Engine::Worker : public MessageHandler {
public:
    using Fn = std::function<void(const Message&)>;
    Worker(std::string name, Fn fn, std::function<void()> quit = {})
        : fn_(std::move(fn)), quit_(std::move(quit)), thread_(std::move(name), *this)
    {
    }
    void handle(const Message& m) override { fn_(m); }
    void onQuit() override
    {
        if (quit_)
            quit_();
    }
    void onTimer(int timerId) override
    {
        if (tick_)
            tick_(timerId);
    }
    InputWait inputWait() override { return input_ ? input_->inputWait() : InputWait{}; }
    void onInput(short revents) override
    {
        if (input_)
            input_->onInput(revents);
    }
    void setTick(std::function<void(int)> tick) { tick_ = std::move(tick); }
    void watchInput(MessageHandler& input)
    {
        input_ = &input;
        thread_.watchInput();
    }
    WorkerThread& thread() { return thread_; }

private:
    Fn fn_;
    std::function<void()> quit_;
    std::function<void(int)> tick_;
    MessageHandler* input_ = nullptr;
    WorkerThread thread_;
};

namespace {

// "AI0;" takes under 10 ms at the slowest line speed; a line that holds it
// longer (no CTS) does not hold up the exit.
constexpr std::chrono::milliseconds kExitDrainLimit{500};

class LinkOpener final : public PortOpener {
public:
    explicit LinkOpener(ComLink& link) : link_(link) {}
    void ensureOpen() override
    {
        if (!link_.isOpen())
            link_.open();
    }

private:
    ComLink& link_;
};

std::int64_t msSinceEpoch(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
}

// A local serial device, or a network one named tcp://HOST:PORT or rfc2217://HOST:PORT.
DeviceOpener realOpener(const std::atomic<bool>& cancel)
{
    auto network = std::make_shared<NetworkOpener>(cancel);
    return [network](const std::string& path, int baud, std::string& why) -> std::unique_ptr<SerialDevice> {
        if (isNetworkDeviceName(path))
            return network->open(path, baud, why);
        return SerialPort::open(path, baud, &why);
    };
}

} // namespace

Engine::Engine(EngineConfig config, WindowSink& window, RadioState& radio, CommandState& command, MenuTable& menu)
    : config_(std::move(config)), window_(window), radio_(radio), command_(command), menu_(menu),
      paths_(config_.baseDir / "CommoFiles", config_.devDir, config_.devicePath),
      settings_(config_.baseDir, config_.secondInstance),
      network_(config_.baseDir / ComSettingsFile::kFolder / KeyValueFile::kFileName, !config_.secondInstance)
{
    tap_ = std::make_shared<TrafficTap>();
    DeviceOpener opener = tracingOpener(realOpener(cancelConnect_), tap_);
    if (!config_.tracePath.empty())
        trace_ = std::make_unique<TraceFile>(config_.tracePath, tap_);
    if (config_.wrapOpener)
        opener = config_.wrapOpener(std::move(opener));
    link_ = std::make_unique<ComLink>(
        std::move(opener), [this](int n) { return devicePathFor(n); }, *this,
        [this] { return command_.get(CommandState::Int::AI); });
    link_->setAbsentNote([this] { return presentDevicesText(presentSerialDevices(config_.devDir)); });
    linkState_.setPortInfo([this] { return portInfo(); });
    link_->setEventListener([this](ComLink::PortEvent e) {
        if (e == ComLink::PortEvent::Opened)
            linkState_.portOpened();
        else
            linkState_.portClosed(e == ComLink::PortEvent::ClosedForSleep);
    });

    sender_ = std::make_unique<SerialSender>(*link_, sendQueue_, clock_, flags_, radio_);
    receiver_ = std::make_unique<SerialReceiver>(*link_, answerQueue_, *this, flags_, radio_, menu_, clock_);
    analyser_ = std::make_unique<AnswerAnalyser>(answerQueue_, *this, flags_, radio_, command_, menu_, &stepAnswers_);
    portOpener_ = std::make_unique<LinkOpener>(*link_);
    builder_ = std::make_unique<CommandBuilder>(sendQueue_, answerQueue_, radio_, command_, menu_, flags_, *this,
                                                clock_, *portOpener_, &stepAnswers_);
    builder_->setRefusalNote([tap = tap_](std::string_view why) { tap->note(why); });
    MenuLoadHooks hooks{[this](int n) { radio_.set(RadioState::Int::HIGHEST_MENU, n); },
                        [this] {
                            radio_.setMenuReady(true);
                            postToThread(ThreadId::SioSend, {UM_SEND_QUEUED, SerialSender::kWaitingOnly, 0});
                            postToThread(ThreadId::SioRecv, {UM_RECV_START, 0, 0});
                        }};
    loader_ = std::make_unique<MenuLoader>(menu_, std::move(hooks), this);

    sioSend_ = std::make_unique<Worker>("Sio_Send_Thread", [this](const Message& m) { sender_->handle(m); });
    sioRecv_ = std::make_unique<Worker>("Sio_Recv_Thread", [this](const Message& m) { receiver_->handle(m); });
    // The receive thread sleeps on the port and wakes when bytes arrive.
    sioRecv_->watchInput(*receiver_);
    anlSend_ = std::make_unique<Worker>("Anl_Send_Thread", [this](const Message& m) { builder_->handle(m); });
    anlRecv_ = std::make_unique<Worker>("Anl_Recv_Thread", [this](const Message& m) { analyser_->handle(m); });
    anlSend_->setTick([this](int timerId) { workerTimer(timerId); });
    anlRecv_->setTick([this](int timerId) { workerTimer(timerId); });
    menuLoad_ = std::make_unique<Worker>(
        "Menu_Load_Thread", [this](const Message& m) { loader_->handle(m); }, [this] { loader_->finish(); });
}

Engine::~Engine()
{
    shutDown();
}

Engine::Worker* Engine::worker(ThreadId id)
{
    switch (id) {
    case ThreadId::SioSend: return sioSend_.get();
    case ThreadId::SioRecv: return sioRecv_.get();
    case ThreadId::AnlSend: return anlSend_.get();
    case ThreadId::AnlRecv: return anlRecv_.get();
    case ThreadId::MenuLoad: return menuLoad_.get();
    }
    return nullptr;
}

StartReport Engine::startUp()
{
    StartReport report;
    if (started_)
        return report;
    started_ = true;

    radio_.initialise();
    radio_.setMenuReady(false);
    menuLoad_->thread().start();
    menuLoad_->thread().post({UM_MENU_LOAD, 0, 0});

    command_.initialise();

    link_->setPortNumber(ComLink::kDefaultPort);
    link_->setBaudRate(ComLink::kDefaultBaud);
    std::string settingsProblem;
    report.settingsRead = settings_.read(*link_, &settingsProblem);
    {
        std::lock_guard lock(notesMutex_);
        settingsProblem_ = settingsProblem;
    }
    // Its own box: it must not hold back the port-open box that may follow.
    if (!report.settingsRead)
        window_.postToWindow({UM_SHOW_ERROR, 1, kSettingsFileFailedRow});
    network_.load();
    if (config_.portNumber) {
        link_->setPortNumber(*config_.portNumber);
        network_.set(std::nullopt); // a numbered port chosen now replaces a remembered network radio
    }

    const auto path = devicePathFor(link_->portNumber());
    if (path && isNetworkDeviceName(*path)) {
        // Posted before the threads start, so it comes before "PS;" and the
        // first bytes on the wire are still the AI command.
        sioSend_->thread().post({UM_PORT_OPEN, 0, 0});
        report.portOpenPosted = true;
    } else {
        report.portOpened = link_->open();
    }

    anlRecv_->thread().start();
    answerQueue_.reset();
    receiver_->reset();
    sioRecv_->thread().start();
    sendQueue_.reset();
    sioSend_->thread().start();
    anlSend_->thread().start();
    startTimer(kIfPollTimer, kStatusPollMs);
    startTimer(kPowerPollTimer, kStatusPollMs);

    sendRaw("PS;");
    return report;
}

bool Engine::shutDown()
{
    if (!started_ || stopped_)
        return true;
    if (beforeShutdown_)
        beforeShutdown_();
    for (const auto& [id, step] : moreBeforeShutdown_)
        step();
    stopped_ = true;
    for (const auto& r : kTimerRoutes)
        stopTimer(r.timerId);
    stopTimer(kAnswerWatchdogTimer);

    // A network connect still under way gives up; the threads that write
    // stop next: nothing may reopen the port, or follow the "AI0;" that
    // leaves the radio as we found it.
    cancelConnect_ = true;
    bool clean = true;
    for (ThreadId id : {ThreadId::AnlSend, ThreadId::SioSend}) {
        if (id == ThreadId::SioSend)
            sendQueue_.interrupt();
        clean = worker(id)->thread().stop() && clean;
    }
    const bool aiOnByUs = flags_.aiSent.load() || command_.get(CommandState::Int::AI) != 0;
    link_->closeForExit(aiOnByUs, kExitDrainLimit);
    std::string why;
    if (!settings_.write(*link_, &why)) {
        std::lock_guard lock(notesMutex_);
        settingsSaveFailure_ = why.empty() ? settings_.path().string() : why;
    }

    for (ThreadId id : {ThreadId::SioRecv, ThreadId::AnlRecv}) {
        if (id == ThreadId::SioRecv)
            answerQueue_.interrupt();
        clean = worker(id)->thread().stop() && clean;
    }
    // The loader ends itself; make sure it has before its objects go.
    clean = menuLoad_->thread().stop() && clean;
    return clean;
}

std::optional<std::string> Engine::devicePathFor(int portNumber) const
{
    // --device outranks a network radio remembered from an earlier run, not
    // one the operator chose in this run: that choice is the later word.
    if (!config_.devicePath || networkChosenThisRun_.load())
        if (auto network = network_.get())
            return network;
    return paths_.pathFor(portNumber);
}

bool Engine::setNetworkDevice(const std::optional<std::string>& address, std::string* why)
{
    networkChosenThisRun_.store(address.has_value());
    // Not remembered still holds for this run: the status line shows it either way.
    const bool saved = network_.set(address, why);
    linkState_.portChanged();
    return saved;
}

bool Engine::onTimer(int timerId)
{
    if (timerId == kPowerPollTimer)
        linkState_.tick(msSinceEpoch(clock_.now()));
    if (timerId == kAnswerWatchdogTimer) {
        watchdogTick();
        return true;
    }
    auto route = timerRoute(timerId);
    if (!route)
        return false;
    postToThread(route->to, {route->message, 0, 0});
    return true;
}

Engine::Worker* Engine::timerOwner(int timerId)
{
    if (timerId == kAnswerWatchdogTimer)
        return anlRecv_.get();
    const auto route = timerRoute(timerId);
    return route ? worker(route->to) : nullptr;
}

// On the owning worker's thread: its message is handled there and then,
// ahead of waiting mail, as a tick is.
void Engine::workerTimer(int timerId)
{
    if (timerId == kAnswerWatchdogTimer) {
        watchdogTick();
        return;
    }
    if (const auto route = timerRoute(timerId))
        if (Worker* w = worker(route->to))
            w->handle({route->message, 0, 0});
}

void Engine::watchdogTick()
{
    const LineStatus st = link_->clearErrors();
    LineObservation line;
    line.bytesWaiting = st.inQueue > 0;
    line.lineDown = st.lineDown || !link_->isOpen();
    AnswerWatchdog::tick(flags_, line, *this);
}

bool Engine::sendRaw(const std::string& text)
{
    if (text.empty() || sendQueue_.put(text) != static_cast<int>(text.size()))
        return false;
    postToThread(ThreadId::AnlSend, {UM_REQ_FLUSH, 0, 0});
    return true;
}

std::string Engine::errorDetail(long row) const
{
    switch (row) {
    case kPortOpenFailedRow:
        return link_->lastOpenFailure();
    case kSettingsFileFailedRow: {
        std::lock_guard lock(notesMutex_);
        return settingsProblem_;
    }
    case kConnectFailedRow:
        return answeredModelText(radio_.answeredModel());
    default:
        return {};
    }
}

std::string Engine::traceFailure() const
{
    return trace_ && !trace_->ok() ? trace_->error() : std::string();
}

std::string Engine::settingsSaveFailure() const
{
    std::lock_guard lock(notesMutex_);
    return settingsSaveFailure_;
}

void Engine::closeForSleep() { link_->closeForSleep(); }

std::pair<std::string, int> Engine::portInfo() const
{
    const int n = link_->portNumber();
    const auto path = devicePathFor(n);
    return {path ? *path : "COM" + std::to_string(n) + " (no device)", link_->baudRate()};
}

// The link state learns from what passes here anyway, before it goes on.
void Engine::observeThreadPost(ThreadId to, const Message& m)
{
    if (to == ThreadId::AnlSend && m.id == UM_REQ_AI_TOGGLE)
        linkState_.attempt(msSinceEpoch(clock_.now()));
    else if (to == ThreadId::AnlSend && m.id == UM_REQ_READ_ALL_START)
        linkState_.radioIdentified(radio_.get(RadioState::Int::ID));
    else if (to == ThreadId::AnlRecv && m.id == UM_AI_OFF_SEEN)
        linkState_.watchdog();
}

void Engine::observeWindowMessage(const Message& m)
{
    switch (m.id) {
    case UM_ANS_AI: linkState_.autoInformation(radio_.get(RadioState::Int::AI) == 1); return;
    // Sent while the "AI" answer that switched it on is still being decoded.
    case UM_PANEL_REFRESH: linkState_.autoInformation(true); return;
    case UM_ANS_PS: linkState_.power(radio_.get(RadioState::Int::PS) == 1); return;
    case UM_SHOW_ERROR:
        if (m.lParam == kPortOpenFailedRow)
            linkState_.openFailed();
        else if (m.lParam == kConnectFailedMessage)
            linkState_.identificationFailed();
        return;
    default: return;
    }
}

void Engine::postToThread(ThreadId to, const Message& m)
{
    observeThreadPost(to, m);
    if (Worker* w = worker(to))
        w->thread().post(m);
}

void Engine::postToWindow(const Message& m)
{
    observeWindowMessage(m);
    window_.postToWindow(m);
}

void Engine::sendToWindow(const Message& m)
{
    observeWindowMessage(m);
    window_.sendToWindow(m);
}

// A timer whose tick only feeds a worker runs on that worker's thread: the
// UI thread is not woken for it, and a worker restarting its own timer
// (an answer-paced step) cannot race a tick already on its way.
void Engine::startTimer(int timerId, int periodMs)
{
    if (Worker* w = timerOwner(timerId))
        w->thread().startTimer(timerId, std::chrono::milliseconds(periodMs));
    else
        window_.startTimer(timerId, periodMs);
}

void Engine::stopTimer(int timerId)
{
    if (timerId == kLinkAttemptTimer)
        linkState_.attemptsEnded();
    if (Worker* w = timerOwner(timerId))
        w->thread().stopTimer(timerId);
    else
        window_.stopTimer(timerId);
}

} // namespace qx
