// The panel controller inside the main window: gives it the window's
// display, auxiliary windows, popup menus and boxes, and hands it the
// panel's mouse input. Tests may replace the popup, pause and wait-box
// steps, which would otherwise block.
#pragma once
#include "panel/PanelView.h"
#include "panel/boxes/ConnectingDlg.h"
#include "panel/boxes/WaitBoxDlg.h"
#include "panel/controller/PanelController.h"
#include "panel/controller/PanelWorld.h"

#include <QPointer>

#include <functional>
#include <memory>

class QMenu;
class QWidget;

namespace qx {
class CMainPanelDlg;
struct WindowContext;
} // namespace qx

namespace qx::panel {

class PanelControllerHost : public PanelWorld {
public:
    using Chooser = std::function<std::optional<int>(const PopupRequest&)>;

    PanelControllerHost(CMainPanelDlg& window, WindowContext& ctx, std::function<bool()> portReady);
    ~PanelControllerHost() override;

    CPanelController& controller() { return controller_; }
    PanelInput input();
    // UM_WAIT_BOX_CLOSE and UM_PANEL_REFRESH; true when the message was the box's.
    bool onMessage(const Message& m);

    void setChooser(Chooser c) { chooser_ = std::move(c); }
    void setPause(std::function<void(int)> p) { pause_ = std::move(p); }
    void setWaitBoxRunner(std::function<void()> r) { waitBoxRunner_ = std::move(r); }
    CWaitBoxDlg* waitBox() const { return waitBox_; }
    CConnectingDlg* connectingBox() const { return connecting_; }

    // The platform menu for a popup, check marks set; the chosen index is
    // the action's data.
    static QMenu* buildMenu(const PopupRequest& popup, QWidget* parent);

    // PanelWorld
    void panelMessage(const Message& m) override;
    std::optional<int> choose(const PopupRequest& popup) override;
    bool openAux(AuxKind kind) override;
    bool auxOpen(AuxKind kind) const override;
    void confirmVfoSet() override;
    PointerState pointer() const override { return pointer_; }
    void queueRaw(const std::string& text) override;
    void pause(int ms) override;
    void setRadioLocked(bool locked) override;
    void runWaitBox() override;
    void showConnecting(bool shown) override;
    void showMessage(std::string_view text) override;
    void note(std::string_view text) override;
    bool portReady() const override;
    bool bandGroup() const override;
    void setBandGroup(bool on) override;

private:
    CMainPanelDlg& window_;
    WindowContext& ctx_;
    std::function<bool()> portReady_;
    CPanelController controller_;
    PointerState pointer_;
    Chooser chooser_;
    std::function<void(int)> pause_;
    std::function<void()> waitBoxRunner_;
    QPointer<CWaitBoxDlg> waitBox_;
    QPointer<CConnectingDlg> connecting_;
};

} // namespace qx::panel
