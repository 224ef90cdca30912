// One run of the program with its window: the splash, the engine's
// start-up around the main window, the optional link-up and screenshot for
// automation, and the shutdown when the window closes.
//
// Owns the window; the engine and the bridge belong to the caller and must
// outlive the session.
#pragma once
#include "app/gui/LinkKeepAlive.h"
#include "app/gui/WindowOutbox.h"
#include "serial/DevicePaths.h"
#include "windows/WindowContext.h"

#include <QObject>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QTimer;

namespace qx {

class CMainPanelDlg;
class EnginePortSettings;
class TransmitGuard;
class LinkStatusRelay;
class ScreenKeeper;
class MacroKeys;
class Engine;
class UiBridge;

namespace panel {
class SplashWindow;
}

struct PanelSessionOptions {
    int splashMs = 3000; // 0: no splash
    bool connect = false;
    bool catMonitor = false; // open the CAT monitor with the window
    std::string screenshot;  // PNG to save, then quit
    // How the engine maps port numbers to devices; without it COM Select and Baud rate stay shut.
    std::optional<DevicePaths> paths;
    // Holds "CommoFiles" with the macro key file and rcp720.conf (the panel's size).
    std::filesystem::path baseDir = ".";
    // The program's transmitter guard, which the panel's TX key asks as every
    // other way of keying does; without one the key toggles the radio itself.
    TransmitGuard* guard = nullptr;
};

class PanelSession : public QObject {
    Q_OBJECT
public:
    PanelSession(Engine& engine, UiBridge& bridge, PanelSessionOptions options);
    ~PanelSession() override;

    void start();
    // Ends the run as the window's close box does (before the window is up:
    // at once).
    void quit();
    // Brings a lost link back by itself once it has been up (see LinkKeepAlive).
    const LinkKeepAlive& keepAlive() const { return keepAlive_; }
    CMainPanelDlg& window() { return *window_; }
    ScreenKeeper& screenKeeper() { return *keeper_; }
    // 0, or 1 when the screenshot could not be made.
    int exitCode() const { return exitCode_; }

private:
    void bringUp();
    // With `connect`: the LINK key once the start-up power answer is in.
    void powerStateKnown();
    void pressLinkKey();
    void watchForScreenshot();
    void takeScreenshot();
    void shutDown();
    void keepAliveTick();
    double savedPanelScale() const;
    void savePanelScale() const;

    Engine& engine_;
    UiBridge& bridge_;
    PanelSessionOptions options_;
    std::unique_ptr<EnginePortSettings> ports_;
    std::unique_ptr<MacroKeys> macros_;
    LinkKeepAlive keepAlive_;
    WindowOutbox outbox_;
    WindowContext ctx_;
    std::unique_ptr<CMainPanelDlg> window_;
    std::unique_ptr<panel::SplashWindow> splash_;
    std::unique_ptr<ScreenKeeper> keeper_;
    std::unique_ptr<LinkStatusRelay> linkRelay_;
    double startScale_ = 1.0;
    QTimer* watch_ = nullptr;
    QTimer* keepAliveTimer_ = nullptr;
    bool sawBusy_ = false;
    int watchTicks_ = 0;
    int exitCode_ = 0;
    bool down_ = false;
    bool awaitingPower_ = false;
};

} // namespace qx
