// The main window: the panel picture, the menu bar, the window's own
// timers, the operator message boxes, and the auxiliary windows it opens
// and destroys. Notifications from the link arrive through onMessage and
// timer ticks through onTimer (both on the UI thread, from UiBridge).
//
// Closing (close box, File > Exit) runs the `shutDown` hook once; Esc does
// not close the window.
#pragma once
#include "cat/LinkState.h"
#include "core/Message.h"
#include "panel/PanelDisplay.h"
#include "panel/PanelView.h"
#include "windows/AuxWindowKind.h"
#include "windows/WindowContext.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QMessageBox;

namespace qx {

class AuxWindow;
class CCatMonitorDlg;
namespace panel {
class LinkStatusLine;
class PanelControllerHost;
}

struct MainPanelHooks {
    // Ticks of timers that only post to a worker; true when it took the tick.
    std::function<bool(int timerId)> engineTimer;
    // Ticks of the panel operations' timers; true when taken.
    std::function<bool(int timerId)> controllerTimer;
    // Ends the program: stop the bridge's sends, shut the engine down, quit.
    std::function<void()> shutDown;
    // The port is open and ready for the connection attempts after key 1.
    std::function<bool()> portReady;
};

// Menu command ids.
inline constexpr int kCmdExit = 32779;
inline constexpr int kCmdCommandSend = 32780;
inline constexpr int kCmdComSelect = 32781;
inline constexpr int kCmdBaudRate = 32782;
inline constexpr int kCmdPlayback = 32783;
inline constexpr int kCmdCw = 32785;
inline constexpr int kCmdRepeater = 32786;
inline constexpr int kCmdVersion = 32789;
inline constexpr int kCmdSaveSetup = 32790;
inline constexpr int kCmdCompareSetup = 32791;
inline constexpr int kCmdMemoryChannels = 32792;

// The window's own timers.
inline constexpr int kFrequencyTimerA = 6;
inline constexpr int kFrequencyTimerB = 7;
inline constexpr int kFirstDrawTimer = 11;
inline constexpr int kRepaintTimer = 13;
inline constexpr int kBlinkTimer = 36;
inline constexpr int kVccTimer = 31;

class CMainPanelDlg : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainPanelDlg(WindowContext& ctx, MainPanelHooks hooks = {}, QWidget* parent = nullptr);
    ~CMainPanelDlg() override;

    // Panel initialisation: starts the first-draw timer. The frequency and
    // blink timers run only while something they draw can change.
    void startPanel();

    void onMessage(const Message& m);
    void onTimer(int timerId);
    void menuCommand(int id);

    // Opens the auxiliary window of `kind` unless it is open; false when
    // that window is not built.
    bool openAux(AuxKind kind);
    bool auxOpen(AuxKind kind) const;
    AuxWindow* auxWindow(AuxKind kind) const;
    bool anyAuxOpen() const;
    // Greys the menu items but File > Exit while an auxiliary window or the
    // connecting box is open; enables them otherwise.
    void updateMenuEnabling();
    // The Version dialog, modal; also what plain F1 opens.
    void showVersion();

    // The panel drawn at `scale` (within what fits the screen), the window sized to it.
    void setPanelScale(double scale);
    // The scale the panel is drawn at now.
    double panelScale() const;
    // One step larger (direction > 0) or smaller.
    void zoom(int direction);
    // `wanted`, or less when the window would not fit its screen.
    double fittingScale(double wanted) const;

    void setLinkStatus(const LinkStatus& s);
    // The last operator message, shown in the status line until the link state changes.
    void noteOperatorMessage(const QString& text);
    panel::LinkStatusLine& statusLine() { return *statusLine_; }

    // The CAT monitor, opened (or raised); null when there is no port tap.
    CCatMonitorDlg* openCatMonitor();
    CCatMonitorDlg* catMonitor() const;

    QAction* menuAction(int id) const;
    panel::PanelDisplay& display() { return display_; }
    panel::PanelView& view() { return *view_; }
    panel::PanelControllerHost& controller() { return *controller_; }
    bool firstDrawDone() const { return firstDrawDone_; }
    // The operator boxes now on screen.
    QList<QMessageBox*> messageBoxes() const;

signals:
    void firstDrawFinished();
    void linkUp();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void placeClearOfDisplay(QWidget& w) const;
    void buildMenus();
    void buildViewMenu();
    QSize chromeSize() const;
    void auxDone(AuxKind kind, const Message& m);
    void forwardToAux(const Message& m);
    void showError(const Message& m);
    void showMenuChangeNotice();
    void showRsNotice();
    void showBox(const QString& text, bool* busyFlag, const QString& hint = {});
    void postRequest(std::uint32_t id, std::int64_t value);
    void beginClose();
    void finishClose();
    void apply(unsigned regions);
    void dispatchMessage(const Message& m);
    void keepFrequencyFresh();
    void frequencyTick();
    void updateBlinking();

    WindowContext& ctx_;
    MainPanelHooks hooks_;
    panel::PanelDisplay display_;
    panel::PanelView* view_;
    panel::LinkStatusLine* statusLine_;
    QPointer<CCatMonitorDlg> monitor_;
    std::unique_ptr<panel::PanelControllerHost> controller_;
    std::map<int, QAction*> actions_;
    std::array<AuxWindow*, kAuxWindows.size()> aux_{};
    bool vfoSetForB_ = false;
    bool errorBoxBusy_ = false;
    bool noticeBusy_ = false;
    bool firstDrawDone_ = false;
    bool closing_ = false;
    bool closed_ = false;
    bool shownOnce_ = false;
    bool frequencyTimersOn_ = false;
    bool blinkTimerOn_ = false;
};

} // namespace qx
