#include "panel/controller/PanelControllerHost.h"

#include "core/MessageIds.h"
#include "panel/MainPanelDlg.h"
#include "panel/PanelRegions.h"
#include "panel/boxes/ConnectingDlg.h"
#include "panel/boxes/WaitBoxDlg.h"
#include "windows/AuxWindow.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include <chrono>
#include <thread>

namespace qx::panel {

PanelControllerHost::PanelControllerHost(CMainPanelDlg& window, WindowContext& ctx, std::function<bool()> portReady)
    : window_(window), ctx_(ctx), portReady_(std::move(portReady)),
      controller_(ctx.outbox, ctx.radio, ctx.menu, ctx.flags, *this)
{
}

PanelControllerHost::~PanelControllerHost()
{
    delete connecting_.data();
}

PanelInput PanelControllerHost::input()
{
    PanelInput in;
    in.press = [this](QPoint p, bool left) {
        pointer_.x = p.x();
        pointer_.y = p.y();
        (left ? pointer_.left : pointer_.right) = true;
        if (left)
            controller_.leftPress(p.x(), p.y());
        else
            controller_.rightPress(p.x(), p.y());
    };
    in.release = [this](QPoint p, bool left) {
        pointer_.x = p.x();
        pointer_.y = p.y();
        (left ? pointer_.left : pointer_.right) = false;
        if (left)
            controller_.leftRelease(p.x(), p.y());
        else
            controller_.rightRelease(p.x(), p.y());
    };
    in.move = [this](QPoint p) {
        pointer_.x = p.x();
        pointer_.y = p.y();
    };
    in.wheel = [this](QPoint p, int delta) {
        pointer_.x = p.x();
        pointer_.y = p.y();
        controller_.wheel(p.x(), p.y(), delta);
    };
    return in;
}

bool PanelControllerHost::onMessage(const Message& m)
{
    if (m.id == UM_WAIT_BOX_CLOSE) {
        if (waitBox_)
            waitBox_->sequenceEnded();
        return true;
    }
    controller_.onMessage(m);
    return false;
}

void PanelControllerHost::panelMessage(const Message& m) { window_.view().refresh(window_.display().handle(m)); }

QMenu* PanelControllerHost::buildMenu(const PopupRequest& popup, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    QFont f(QStringLiteral("Monospace"));
    f.setStyleHint(QFont::TypeWriter);
    menu->setFont(f);
    for (std::size_t i = 0; i < popup.choices.size(); ++i) {
        const auto label = popup.choices[i].label;
        QAction* a = menu->addAction(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
        a->setCheckable(true);
        a->setChecked((popup.checked >> i) & 1u);
        a->setData(static_cast<int>(i));
    }
    return menu;
}

std::optional<int> PanelControllerHost::choose(const PopupRequest& popup)
{
    if (chooser_)
        return chooser_(popup);
    std::unique_ptr<QMenu> menu(buildMenu(popup, &window_));
    const QAction* a = menu->exec(window_.view().mapToGlobal(window_.view().fromPanel(QPoint(popup.x, popup.y))));
    if (!a)
        return std::nullopt;
    return a->data().toInt();
}

bool PanelControllerHost::openAux(AuxKind kind) { return window_.openAux(kind); }
bool PanelControllerHost::auxOpen(AuxKind kind) const { return window_.auxOpen(kind); }

void PanelControllerHost::confirmVfoSet()
{
    if (AuxWindow* w = window_.auxWindow(AuxKind::VfoSet))
        w->accept();
}

void PanelControllerHost::queueRaw(const std::string& text)
{
    if (ctx_.sendRaw)
        ctx_.sendRaw(text);
}

void PanelControllerHost::pause(int ms)
{
    if (pause_)
        pause_(ms);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void PanelControllerHost::setRadioLocked(bool locked)
{
    window_.view().refresh(window_.display().setMenuListLock(locked));
}

void PanelControllerHost::runWaitBox()
{
    if (waitBoxRunner_) {
        waitBoxRunner_();
        return;
    }
    CWaitBoxDlg box(ctx_.flags, &window_);
    waitBox_ = &box;
    box.exec();
    waitBox_ = nullptr;
}

void PanelControllerHost::showConnecting(bool shown)
{
    if (shown) {
        if (!connecting_)
            connecting_ = new CConnectingDlg(&window_);
        connecting_->show();
    } else if (connecting_) {
        connecting_->hide();
        connecting_->deleteLater();
        connecting_ = nullptr;
    }
    window_.updateMenuEnabling();
}

void PanelControllerHost::note(std::string_view text)
{
    window_.noteOperatorMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void PanelControllerHost::showMessage(std::string_view text)
{
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    window_.noteOperatorMessage(message);
    auto* box = new QMessageBox(QMessageBox::Warning, window_.windowTitle(), message, QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool PanelControllerHost::portReady() const { return !portReady_ || portReady_(); }

bool PanelControllerHost::bandGroup() const { return window_.display().model().bandGroup; }

void PanelControllerHost::setBandGroup(bool on)
{
    window_.display().model().bandGroup = on;
    window_.view().refresh(kRegionSecondDial);
}

} // namespace qx::panel
