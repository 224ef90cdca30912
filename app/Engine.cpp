#include "app/Engine.h"

#include "core/ErrorMessages.h"
#include "core/MessageIds.h"
#include "app/TimerRoutes.h"
#include "app/WindowSink.h"
#include "cat/AnswerAnalyser.h"
#include "cat/CommandBuilder.h"
#include "cat/PortOpener.h"
#include "cat/Watchdog.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "core/KeyValueFile.h"
#include "serial/NetworkAddress.h"
#include "serial/SerialPort.h"
#include "serial/SerialReceiver.h"
#include "serial/SerialSender.h"
#include "serial/NetworkOpener.h"
#include "serial/TracingDevice.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

namespace qx {

// One worker: its behaviour and the thread it runs on.
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
    WorkerThread& thread() { return thread_; }

private:
    Fn fn_;
    std::function<void()> quit_;
    WorkerThread thread_;
};

namespace {

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
    DeviceOpener opener = realOpener(cancelConnect_);
    if (!config_.tracePath.empty()) {
        trace_ = std::make_shared<Trace>(config_.tracePath);
        opener = tracingOpener(std::move(opener), trace_);
    }
    if (config_.wrapOpener)
        opener = config_.wrapOpener(std::move(opener));
    link_ = std::make_unique<ComLink>(
        std::move(opener), [this](int n) { return devicePathFor(n); }, *this,
        [this] { return command_.get(CommandState::Int::AI); });

    sender_ = std::make_unique<SerialSender>(*link_, sendQueue_, clock_, flags_, radio_);
    receiver_ = std::make_unique<SerialReceiver>(*link_, answerQueue_, *this, flags_, radio_, menu_);
    analyser_ = std::make_unique<AnswerAnalyser>(answerQueue_, *this, flags_, radio_, command_, menu_);
    portOpener_ = std::make_unique<LinkOpener>(*link_);
    builder_ = std::make_unique<CommandBuilder>(sendQueue_, answerQueue_, radio_, command_, menu_, flags_, *this,
                                                clock_, *portOpener_);
    MenuLoadHooks hooks{[this](int n) { radio_.set(RadioState::Int::HIGHEST_MENU, n); },
                        [this] {
                            radio_.setMenuReady(true);
                            postToThread(ThreadId::SioSend, {UM_SEND_QUEUED, SerialSender::kWaitingOnly, 0});
                        }};
    loader_ = std::make_unique<MenuLoader>(menu_, std::move(hooks), this);

    sioSend_ = std::make_unique<Worker>("Sio_Send_Thread", [this](const Message& m) { sender_->handle(m); });
    sioRecv_ = std::make_unique<Worker>("Sio_Recv_Thread", [this](const Message& m) { receiver_->handle(m); });
    // The receive poll paces itself: a 5 ms timer on the UI thread would wake
    // two threads 200 times a second instead of one.
    sioRecv_->thread().setTick({UM_RECV_START, 0, 0}, kReceivePollPeriod);
    anlSend_ = std::make_unique<Worker>("Anl_Send_Thread", [this](const Message& m) { builder_->handle(m); });
    anlRecv_ = std::make_unique<Worker>("Anl_Recv_Thread", [this](const Message& m) { analyser_->handle(m); });
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
    report.settingsRead = settings_.read(*link_);
    // Its own box: it must not hold back the port-open box that may follow.
    if (!report.settingsRead)
        window_.postToWindow({UM_SHOW_ERROR, 1, 2});
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
    window_.startTimer(kIfPollTimer, kStatusPollMs);
    window_.startTimer(kPowerPollTimer, kStatusPollMs);

    sendRaw("PS;");
    return report;
}

bool Engine::shutDown()
{
    if (!started_ || stopped_)
        return true;
    if (beforeShutdown_)
        beforeShutdown_();
    stopped_ = true;
    for (const auto& r : kTimerRoutes)
        window_.stopTimer(r.timerId);
    window_.stopTimer(kAnswerWatchdogTimer);

    cancelConnect_ = true;
    link_->close();
    settings_.write(*link_);

    bool clean = true;
    for (ThreadId id : {ThreadId::SioRecv, ThreadId::AnlRecv, ThreadId::AnlSend, ThreadId::SioSend}) {
        if (id == ThreadId::SioRecv)
            answerQueue_.interrupt();
        if (id == ThreadId::SioSend)
            sendQueue_.interrupt();
        clean = worker(id)->thread().stop() && clean;
    }
    // The loader ends itself; make sure it has before its objects go.
    clean = menuLoad_->thread().stop() && clean;
    return clean;
}

std::optional<std::string> Engine::devicePathFor(int portNumber) const
{
    if (!config_.devicePath)
        if (auto network = network_.get())
            return network;
    return paths_.pathFor(portNumber);
}

bool Engine::setNetworkDevice(const std::optional<std::string>& address, std::string* why)
{
    return network_.set(address, why);
}

bool Engine::onTimer(int timerId)
{
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
    if (sendQueue_.put(text) < 0)
        return false;
    postToThread(ThreadId::AnlSend, {UM_REQ_FLUSH, 0, 0});
    return true;
}

void Engine::postToThread(ThreadId to, const Message& m)
{
    if (Worker* w = worker(to))
        w->thread().post(m);
}

void Engine::postToWindow(const Message& m) { window_.postToWindow(m); }
void Engine::sendToWindow(const Message& m) { window_.sendToWindow(m); }
void Engine::startTimer(int timerId, int periodMs) { window_.startTimer(timerId, periodMs); }
void Engine::stopTimer(int timerId) { window_.stopTimer(timerId); }

} // namespace qx
