// rcp720: the remote-control panel for the QX-720, with or without windows.
#include "app/Engine.h"
#include "app/ProgramOptions.h"
#include "app/RigServerHost.h"
#include "app/RadioInfoHost.h"
#include "app/XmlRpcHost.h"
#include "xmlrpc/AddressChoice.h"
#include "app/SingleInstance.h"
#include "app/qt/HeadlessRunner.h"
#include "app/qt/QuitOnSignals.h"
#include "app/qt/SleepWatcher.h"
#include "app/qt/TransmitGuardHost.h"
#include "app/gui/AudioMenu.h"
#include "app/qt/AudioHost.h"
#include "app/qt/WebHost.h"
#include "app/qt/WebPasswordPrompt.h"
#include "app/qt/UiBridge.h"
#include "menu/MenuTable.h"
#include "app/gui/PanelSession.h"
#include "app/gui/NetworkServiceMenu.h"
#include "app/gui/RigServerMenu.h"
#include "panel/LinkStatusLine.h"
#include "app/gui/WebServerMenu.h"
#include "panel/MainPanelDlg.h"
#include "serial/DeviceCheck.h"
#include "sim/SimulatedRadio.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

constexpr const char* kVersion = "RCP-720 VERSION  1.10";

} // namespace

int main(int argc, char** argv)
{
    qx::ignoreBrokenPipes();
    std::vector<std::string> args(argv + 1, argv + argc);
    qx::ProgramOptions options = qx::parseProgramOptions(args);
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s\n%s", options.error.c_str(), qx::ProgramOptions::usage(argv[0]).c_str());
        return 2;
    }
    if (options.help) {
        std::printf("%s", qx::ProgramOptions::usage(argv[0]).c_str());
        return 0;
    }
    if (options.version) {
        std::printf("%s\n", kVersion);
        return 0;
    }
    if (options.setWebPassword) {
        std::error_code ec;
        const auto cwd = std::filesystem::current_path(ec);
        return qx::setWebPassword((ec ? std::filesystem::path(".") : cwd) / "CommoFiles", stdin, stdout, stderr);
    }
    // Refused before anything is written to it: the program's own terminal,
    // a console, a file.
    if (options.device) {
        if (const std::string why = qx::deviceRefusal(*options.device); !why.empty()) {
            std::fprintf(stderr, "--device: %s\n", why.c_str());
            return 2;
        }
    }
    // Only the headless runner does without a window system.
    std::unique_ptr<QCoreApplication> app = options.headless ? std::make_unique<QCoreApplication>(argc, argv)
                                                             : std::make_unique<QApplication>(argc, argv);
    qx::SingleInstance instance;

    std::unique_ptr<qx::sim::SimulatedRadio> sim;
    if (options.simulate) {
        qx::sim::SimOptions so;
        so.logPath = options.simLog;
        sim = std::make_unique<qx::sim::SimulatedRadio>(so);
        if (!sim->start()) {
            std::fprintf(stderr, "The simulated radio could not be started.\n");
            return 1;
        }
        options.device = sim->slaveName();
    }

    qx::EngineConfig config;
    // The settings file's path rule counts the whole folder name.
    std::error_code cwdError;
    if (auto cwd = std::filesystem::current_path(cwdError); !cwdError)
        config.baseDir = cwd;
    config.devicePath = options.device;
    config.portNumber = options.port;
    config.secondInstance = instance.secondInstance();
    config.tracePath = options.trace;

    qx::UiBridge bridge;
    auto engine = std::make_unique<qx::Engine>(config, bridge, qx::radioState(), qx::commandState(), qx::menuTable());
    // A trace asked for and not written would be missed only after the run.
    if (const std::string why = engine->traceFailure(); !why.empty()) {
        std::fprintf(stderr, "--trace %s: %s\n", config.tracePath.c_str(), why.c_str());
        return 2;
    }
    qx::SleepWatcher sleep([&engine] {
        if (engine)
            engine->closeForSleep();
    });
    sleep.watch();
    // Every way of keying the transmitter from afar goes through this guard.
    auto guard = std::make_unique<qx::TransmitGuardHost>(*engine, bridge);
    guard->addListener([](const std::string& why) { std::fprintf(stderr, "%s\n", why.c_str()); });
    auto rigServer = std::make_unique<qx::RigServerHost>(*engine, config.baseDir, &guard->guard());
    auto xmlrpcServer = std::make_unique<qx::XmlRpcHost>(*engine, config.baseDir, &guard->guard());
    auto radioInfo = std::make_unique<qx::RadioInfoHost>(*engine, config.baseDir);
    auto web = std::make_unique<qx::WebHost>(*engine, bridge, *guard, config.baseDir);
    // The remote audio serves the web pages only: without them it never opens a sound device.
    auto audio = std::make_unique<qx::AudioHost>(web->server(), config.baseDir,
                                                 qx::AudioChoice{options.audioIn, options.audioOut});
    const auto startWeb = [&] {
        const bool rigLoopback = !rigServer->address().enabled || qx::rig::isLoopback(rigServer->address().host);
        // Asked for on the command line and impossible: the program says why and does not start.
        const bool ok = web->start(options.web, rigLoopback) || !options.web;
        if (ok && web->running())
            audio->start();
        return ok;
    };
    if (!options.headless) {
        qx::PanelSessionOptions po;
        po.splashMs = options.noSplash ? 0 : 3000;
        // A simulated radio has nothing to protect: link up at once, so a
        // first run shows a live panel.
        po.connect = options.connect || options.simulate;
        po.catMonitor = options.catMonitor;
        po.screenshot = options.screenshot;
        po.paths.emplace(config.baseDir / "CommoFiles", config.devDir, config.devicePath);
        po.baseDir = config.baseDir;
        po.guard = &guard->guard();
        qx::PanelSession session(*engine, bridge, po);
        // A signal closes the window as its close box does.
        qx::QuitOnSignals stopSignals([&session] { session.quit(); });
        stopSignals.install();
        session.start();
        rigServer->start(options.rigServer, false, options.rigServerVfo);
        qx::RigServerMenu rigServerMenu(session.window(), *rigServer, [&session](const QString& notice) {
            session.window().statusLine().setNotice(notice);
        });
        xmlrpcServer->start(options.xmlrpcServer);
        radioInfo->start(options.radioInfoUdp);
        qx::NetworkServiceMenu xmlrpcMenu(
            session.window(),
            {QStringLiteral("XML-RPC Server"), QStringLiteral("Share the radio with flrig clients (XML-RPC)"),
             QStringLiteral("Address %1: this computer only"), qx::xmlrpc::kXmlRpcDefaults.port},
            {[&] { return xmlrpcServer->address(); }, [&](const qx::rig::ListenAddress& a) { return xmlrpcServer->apply(a); },
             [&] { return xmlrpcServer->problem(); }});
        qx::NetworkServiceMenu radioInfoMenu(
            session.window(),
            {QStringLiteral("Radio Info Broadcast"), QStringLiteral("Send the radio's state to loggers (RadioInfo over UDP)"),
             QStringLiteral("To %1: this computer only"), qx::xmlrpc::kRadioInfoDefaults.port},
            {[&] { return radioInfo->address(); }, [&](const qx::rig::ListenAddress& a) { return radioInfo->apply(a); },
             [&] { return radioInfo->problem(); }});
        if (!startWeb()) {
            audio.reset();
            web.reset();
            bridge.beginShutdown();
            engine->shutDown();
            return 1;
        }
        qx::WebServerMenu webServerMenu(session.window(), *web);
        qx::AudioMenu audioMenu(session.window(), *audio);
        // The operator at the radio hears of a transmit time-out too.
        guard->addListener([menu = QPointer<qx::WebServerMenu>(&webServerMenu)](const std::string& why) {
            if (menu)
                menu->tell(QString::fromStdString(why));
        });
        const int rc = app->exec();
        audio.reset();
        web->stop();
        bridge.beginShutdown();
        engine->shutDown();
        return rc != 0 ? rc : session.exitCode();
    }

    qx::HeadlessRunner runner(*engine, bridge);
    qx::QuitOnSignals stopSignals([] { QCoreApplication::quit(); });
    stopSignals.install();
    runner.start();
    // With no operator to press the LINK key, the server keeps the link up.
    rigServer->start(options.rigServer, true, options.rigServerVfo);
    // The rig server keeps the link up; with it off, a script on standard
    // input drives the link and ends the program, as it always has.
    xmlrpcServer->start(options.xmlrpcServer);
    radioInfo->start(options.radioInfoUdp);
    if (!startWeb()) {
        web.reset();
        bridge.beginShutdown();
        engine->shutDown();
        return 1;
    }
    web->setKeepLinked(!rigServer->running());
    runner.setEndOfInputQuits(!rigServer->running() && !web->running());
    const int rc = app->exec();
    audio.reset();
    web->stop();
    bridge.beginShutdown();
    engine->shutDown();
    radioInfo.reset();
    xmlrpcServer.reset();
    web.reset();
    rigServer.reset();
    guard.reset();
    engine.reset();
    return rc;
}
