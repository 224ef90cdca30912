#include "app/gui/PanelSession.h"

#include "windows/MacroKeys.h"

#include "app/Engine.h"
#include "core/ErrorMessages.h"
#include "core/MessageIds.h"
#include "app/qt/LinkStatusRelay.h"
#include "app/qt/UiBridge.h"
#include "core/FileIo.h"
#include "core/KeyValueFile.h"
#include "panel/LinkStatusLine.h"
#include "panel/MainPanelDlg.h"
#include "state/RadioState.h"
#include "panel/PanelScale.h"
#include "panel/SplashWindow.h"
#include "panel/controller/HitZones.h"
#include "panel/controller/PanelController.h"
#include "panel/controller/PanelControllerHost.h"
#include "panel/controller/PanelOps.h"
#include "app/gui/EnginePortSettings.h"
#include "widgets/ScreenKeeper.h"
#include "windows/CatMonitorDlg.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace qx {

namespace {

constexpr int kWatchMs = 50;
// How often the program's own reconnecting looks at the link.
constexpr int kKeepAliveMs = 1000;
// A radio that has not answered "PS;" by then is taken as off, as the answer
// watchdog would.
constexpr int kPowerAnswerMs = 3000;
constexpr const char* kPanelScaleKey = "panel-scale";
// A link that is not up and read within this long will not be.
constexpr int kWatchLimitTicks = 60'000 / kWatchMs;

} // namespace

PanelSession::PanelSession(Engine& engine, UiBridge& bridge, PanelSessionOptions options)
    : engine_(engine), bridge_(bridge), options_(std::move(options)),
      keepAlive_([&engine] { return engine.radio().get(RadioState::Int::AI) == 1; },
                 [&engine] { engine.postToThread(ThreadId::AnlSend, {UM_REQ_AI_TOGGLE, 0, 0}); }),
      outbox_(engine, WindowOutbox::Hooks{[&engine] { return engine.radio().get(RadioState::Int::AI) == 1; },
                                          [&engine](const std::string& t) { return engine.sendRaw(t); },
                                          [this] { keepAlive_.operatorPressedLink(); },
                                          [this] {
                                              if (window_)
                                                  window_->noteOperatorMessage(
                                                      QString::fromUtf8(panel::kNotLinkedNote));
                                          }}),
      ctx_{outbox_, engine.radio(), engine.command(), engine.menu(), engine.flags(),
           [this](const std::string& t) { return outbox_.sendRaw(t); }}
{
    ctx_.errorDetail = [&engine](long row) { return engine.errorDetail(row); };
    if (options_.guard)
        outbox_.setGuard(options_.guard, [&engine] { return engine.radio().get(RadioState::Int::TX) != 0; });
    if (options_.paths) {
        ports_ = std::make_unique<EnginePortSettings>(engine, *options_.paths);
        ctx_.ports = ports_.get();
    }
    MainPanelHooks hooks;
    hooks.engineTimer = [this](int id) { return engine_.onTimer(id); };
    hooks.shutDown = [this] { shutDown(); };
    hooks.portReady = [this] { return engine_.link().isOpen(); };
    macros_ = std::make_unique<MacroKeys>(
        outbox_, [this](const std::string& t) { return outbox_.sendRaw(t); }, options_.baseDir,
        [this] {
            if (window_)
                window_->showVersion();
        });
    ctx_.macros = macros_.get();
    ctx_.traffic = &engine.traffic();
    ctx_.settingsDir = options_.baseDir;
    keeper_ = std::make_unique<ScreenKeeper>();
    window_ = std::make_unique<CMainPanelDlg>(ctx_, std::move(hooks));
    bridge_.setMessageHandler([this](const Message& m) {
        window_->onMessage(m);
        if (m.id == UM_ANS_PS)
            powerStateKnown();
    });
    bridge_.setTimerHandler([this](int id) { window_->onTimer(id); });
    linkRelay_ = std::make_unique<LinkStatusRelay>(bridge_, [this](const LinkStatus& s) {
        window_->setLinkStatus(s);
        keepAlive_.linkStatus(s);
    });
    keepAliveTimer_ = new QTimer(this);
    connect(keepAliveTimer_, &QTimer::timeout, this, [this] { keepAliveTick(); });
    engine_.setLinkListener([relay = linkRelay_.get()](const LinkStatus& s) { relay->report(s); });
}

PanelSession::~PanelSession()
{
    engine_.setLinkListener({});
    bridge_.setMessageHandler({});
    bridge_.setTimerHandler({});
}

double PanelSession::savedPanelScale() const
{
    KeyValueFile conf(options_.baseDir / "CommoFiles" / KeyValueFile::kFileName);
    conf.load();
    const auto text = conf.get(kPanelScaleKey);
    return text ? panel::parsePanelScale(*text) : 1.0;
}

void PanelSession::savePanelScale() const
{
    // A size only fitted to this screen is not the operator's choice: a
    // larger screen next time gets the size asked for before.
    if (std::abs(window_->panelScale() - startScale_) < 0.005)
        return;
    KeyValueFile conf(options_.baseDir / "CommoFiles" / KeyValueFile::kFileName);
    conf.load();
    const std::string scale = panel::formatPanelScale(window_->panelScale());
    if (conf.get(kPanelScaleKey) == scale)
        return;
    conf.set(kPanelScaleKey, scale);
    if (!conf.save())
        std::fprintf(stderr, "The panel size was not saved: %s\n", conf.lastError().c_str());
}

void PanelSession::start()
{
    if (options_.splashMs > 0) {
        splash_ = std::make_unique<panel::SplashWindow>();
        splash_->show();
    }
    // The port opens only after the splash; the event loop keeps running meanwhile.
    QTimer::singleShot(options_.splashMs, this, [this] { bringUp(); });
}

void PanelSession::bringUp()
{
    // The LINK key switches a radio that seems off on first; pressed before
    // the start-up "PS;" is answered, it would power on a radio already on.
    awaitingPower_ = options_.connect;
    engine_.startUp();
    window_->startPanel();
    window_->setPanelScale(savedPanelScale());
    startScale_ = window_->panelScale();
    window_->show();
    splash_.reset();
    keepAliveTimer_->start(kKeepAliveMs);
    if (options_.catMonitor)
        window_->openCatMonitor();
    if (awaitingPower_)
        QTimer::singleShot(kPowerAnswerMs, this, [this] { powerStateKnown(); });
    if (!options_.screenshot.empty())
        watchForScreenshot();
}

void PanelSession::keepAliveTick()
{
    if (down_)
        return;
    keepAlive_.tick(LinkKeepAlive::Clock::now());
    window_->statusLine().setActivity(QString::fromStdString(keepAlive_.note()));
}

void PanelSession::quit()
{
    if (window_->isVisible())
        window_->close();
    else
        shutDown();
}

void PanelSession::powerStateKnown()
{
    if (!awaitingPower_ || down_)
        return;
    awaitingPower_ = false;
    pressLinkKey();
}

void PanelSession::pressLinkKey()
{
    // As an operator would: the key lights, and the connection attempts,
    // their box and their failure message all run as after a real click.
    const panel::HitRect* key = panel::rectOf(panel::op::Link);
    if (!key)
        return;
    const int x = (key->left + key->right) / 2;
    const int y = (key->top + key->bottom) / 2;
    panel::CPanelController& c = window_->controller().controller();
    c.leftPress(x, y);
    c.leftRelease(x, y);
}

void PanelSession::watchForScreenshot()
{
    watch_ = new QTimer(this);
    connect(watch_, &QTimer::timeout, this, [this] {
        ++watchTicks_;
        if (!window_->firstDrawDone())
            return;
        if (options_.connect) {
            const bool busy = engine_.flags().waitBoxBusy.load();
            sawBusy_ = sawBusy_ || busy;
            const bool ready = sawBusy_ && !busy;
            if (!ready && watchTicks_ < kWatchLimitTicks)
                return;
            if (!ready) {
                std::fprintf(stderr, "The link did not come up; the screenshot shows the panel as it is.\n");
                exitCode_ = 1;
            }
        }
        watch_->stop();
        takeScreenshot();
    });
    watch_->start(kWatchMs);
}

void PanelSession::takeScreenshot()
{
    // One full repaint from the state as it stands, then the picture.
    window_->onTimer(kRepaintTimer);
    const QString path = QString::fromStdString(options_.screenshot);
    std::vector<std::pair<QWidget*, QString>> shots{{window_.get(), path}};
    if (CCatMonitorDlg* monitor = window_->catMonitor()) {
        monitor->catchUp();
        QString monitorPath = path;
        monitorPath.insert(path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? path.size() - 4 : path.size(),
                           QStringLiteral("-cat-monitor"));
        shots.emplace_back(monitor, monitorPath);
    }
    for (const auto& [widget, file] : shots) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        std::string why = "the picture could not be made";
        if (!widget->grab().toImage().save(&buffer, "PNG")
            || !writeFileAtomically(file.toStdString(), std::string_view(png.constData(), static_cast<std::size_t>(png.size())), why)) {
            std::fprintf(stderr, "Could not write %s: %s\n", file.toLocal8Bit().constData(), why.c_str());
            exitCode_ = 1;
        }
    }
    shutDown();
}

void PanelSession::shutDown()
{
    if (down_)
        return;
    down_ = true;
    keepAliveTimer_->stop();
    savePanelScale();
    bridge_.beginShutdown();
    engine_.shutDown();
    if (const std::string why = engine_.settingsSaveFailure(); !why.empty()) {
        std::fprintf(stderr, "%s\n", withDetail(operatorText(kSettingsSaveFailedString).value_or(""), why).c_str());
        exitCode_ = 1;
    }
    window_->hide();
    QCoreApplication::exit(exitCode_);
}

} // namespace qx
