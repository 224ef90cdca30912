#include "panel/MainPanelDlg.h"

#include "core/ErrorMessages.h"
#include "core/MessageIds.h"
#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "panel/PanelIcon.h"
#include "panel/controller/PanelControllerHost.h"
#include "state/RadioState.h"
#include "windows/AuxWindow.h"
#include "windows/AuxWindowFactory.h"
#include "windows/MacroKeys.h"
#include "windows/MacroSender.h"
#include "windows/VersionDlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

namespace qx {

namespace {

constexpr int kFrequencyMs = 30;
constexpr int kFirstDrawMs = 10;
constexpr int kRepaintMs = 30;
constexpr int kBlinkMs = 300;
constexpr int kUnlockWaitMs = 500;
constexpr int kUnlockValue = 3;

std::size_t slot(AuxKind k) { return static_cast<std::size_t>(k); }

std::optional<AuxKind> kindOfDone(std::uint32_t id)
{
    for (const auto& row : kAuxWindows)
        if (row.doneMessage == id)
            return row.kind;
    return std::nullopt;
}

QString qtext(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

CMainPanelDlg::CMainPanelDlg(WindowContext& ctx, MainPanelHooks hooks, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), hooks_(std::move(hooks)), display_(ctx.radio, ctx.menu, ctx.outbox),
      view_(new panel::PanelView(display_.model(), this)),
      controller_(std::make_unique<panel::PanelControllerHost>(*this, ctx, hooks_.portReady))
{
    view_->setInput(controller_->input());
    setWindowTitle(QStringLiteral("RCP for QX-720"));
    setWindowIcon(panel::panelIcon());
    setCentralWidget(view_);
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

CMainPanelDlg::~CMainPanelDlg() = default;

void CMainPanelDlg::buildMenus()
{
    auto add = [this](QMenu* menu, int id, const QString& text) {
        QAction* a = menu->addAction(text);
        connect(a, &QAction::triggered, this, [this, id] { menuCommand(id); });
        actions_[id] = a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    add(file, kCmdExit, QStringLiteral("E&xit"));
    add(file, kCmdCommandSend, QStringLiteral("&Command Send"));
    add(file, kCmdSaveSetup, QStringLiteral("&Save radio set-up..."));
    add(file, kCmdCompareSetup, QStringLiteral("Com&pare with radio..."));
    QMenu* setup = menuBar()->addMenu(QStringLiteral("&Setup"));
    add(setup, kCmdComSelect, QStringLiteral("&COM Select"));
    add(setup, kCmdBaudRate, QStringLiteral("&Baud rate"));
    QMenu* option = menuBar()->addMenu(QStringLiteral("&Option"));
    add(option, kCmdPlayback, QStringLiteral("&Playback"));
    add(option, kCmdCw, QStringLiteral("C&W"));
    add(option, kCmdRepeater, QStringLiteral("&Repeater"));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    add(help, kCmdVersion, QStringLiteral("&Version"));
}

QAction* CMainPanelDlg::menuAction(int id) const
{
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainPanelDlg::startPanel()
{
    ctx_.outbox.startTimer(kFrequencyTimerA, kFrequencyMs);
    ctx_.outbox.startTimer(kFrequencyTimerB, kFrequencyMs);
    ctx_.outbox.startTimer(kFirstDrawTimer, kFirstDrawMs);
    ctx_.outbox.startTimer(kBlinkTimer, kBlinkMs);
}

void CMainPanelDlg::apply(unsigned regions) { view_->refresh(regions); }

void CMainPanelDlg::onTimer(int id)
{
    if (hooks_.engineTimer && hooks_.engineTimer(id))
        return;
    switch (id) {
    case kFrequencyTimerA:
    case kFrequencyTimerB:
        apply(display_.frequencyTick());
        return;
    case kFirstDrawTimer:
        ctx_.outbox.stopTimer(kFirstDrawTimer);
        if (firstDrawDone_)
            return;
        apply(display_.firstFullDraw());
        firstDrawDone_ = true;
        emit firstDrawFinished();
        return;
    case kRepaintTimer:
        ctx_.outbox.stopTimer(kRepaintTimer);
        apply(display_.fullRepaint());
        return;
    case panel::kPeakHoldTimer:
        ctx_.outbox.stopTimer(panel::kPeakHoldTimer);
        apply(display_.peakHoldExpired());
        return;
    case kBlinkTimer:
        apply(display_.blinkTick());
        return;
    case MacroSender::kTimerId:
        if (ctx_.macros)
            ctx_.macros->continueSending();
        return;
    default:
        if (controller_->controller().onTimer(id))
            return;
        if (hooks_.controllerTimer)
            hooks_.controllerTimer(id);
        return;
    }
}

void CMainPanelDlg::onMessage(const Message& m)
{
    if (controller_->onMessage(m))
        return;
    if (const auto kind = kindOfDone(m.id)) {
        auxDone(*kind, m);
        return;
    }
    switch (m.id) {
    case UM_SHOW_ERROR:
        showError(m);
        return;
    case UM_PANEL_8E:
        beginClose();
        return;
    case UM_PANEL_REFRESH:
        emit linkUp();
        return;
    case UM_MENULIST_REFRESH:
        apply(display_.setMenuListLock(true));
        return;
    case UM_ANS_RS:
        apply(display_.handle(m));
        if (ctx_.radio.get(RadioState::Int::RS) == 0)
            showRsNotice();
        return;
    case UM_ANS_DA:
    case UM_ANS_OTHER:
        if (m.id == UM_ANS_OTHER)
            apply(display_.handle(m));
        if (auxOpen(AuxKind::MenuList))
            showMenuChangeNotice();
        else
            forwardToAux(m);
        return;
    default:
        break;
    }
    apply(display_.handle(m));
    forwardToAux(m);
}

void CMainPanelDlg::forwardToAux(const Message& m)
{
    for (const auto& row : kAuxWindows) {
        AuxWindow* w = aux_[slot(row.kind)];
        if (w && !w->finished() && auxWindowTakes(row.kind, m.id))
            w->onNotification(m);
    }
}

bool CMainPanelDlg::openAux(AuxKind kind)
{
    if (aux_[slot(kind)])
        return true;
    AuxWindow* w = createAuxWindow(kind, ctx_, this);
    if (!w)
        return false;
    if (kind == AuxKind::VfoSet)
        vfoSetForB_ = ctx_.radio.get(RadioState::Int::VS) == 1;
    aux_[slot(kind)] = w;
    w->show();
    updateMenuEnabling();
    if (kind == AuxKind::Vcc || kind == AuxKind::Contour || kind == AuxKind::Notch || kind == AuxKind::Dnr)
        ctx_.outbox.startTimer(kRepaintTimer, kRepaintMs);
    return true;
}

bool CMainPanelDlg::auxOpen(AuxKind kind) const { return aux_[slot(kind)] != nullptr; }
AuxWindow* CMainPanelDlg::auxWindow(AuxKind kind) const { return aux_[slot(kind)]; }

bool CMainPanelDlg::anyAuxOpen() const
{
    for (AuxWindow* w : aux_)
        if (w)
            return true;
    return false;
}

void CMainPanelDlg::updateMenuEnabling()
{
    const bool enabled = !anyAuxOpen() && !(controller_ && controller_->controller().connecting());
    for (auto& [id, action] : actions_)
        if (id != kCmdExit)
            action->setEnabled(enabled);
}

void CMainPanelDlg::auxDone(AuxKind kind, const Message& m)
{
    AuxWindow* w = aux_[slot(kind)];
    aux_[slot(kind)] = nullptr;
    if (w) {
        w->hide();
        w->deleteLater();
    }
    updateMenuEnabling();
    switch (kind) {
    case AuxKind::VfoSet:
        if (m.wParam != 0)
            postRequest(vfoSetForB_ ? UM_REQ_FB_SET : UM_REQ_FA_SET, static_cast<std::int64_t>(m.wParam));
        break;
    case AuxKind::Vcc:
        ctx_.outbox.stopTimer(kVccTimer);
        break;
    case AuxKind::MenuList:
        apply(display_.setMenuListLock(false));
        postRequest(UM_REQ_LK_SET, kUnlockValue);
        break;
    default:
        break;
    }
}

void CMainPanelDlg::postRequest(std::uint32_t id, std::int64_t value)
{
    const int row = requestRowOf(id);
    if (row > 0)
        PostRequest(ctx_.outbox, row, 0, 0, 0, value);
    else
        ctx_.outbox.postToThread(ThreadId::AnlSend, {id, 0, value});
}

void CMainPanelDlg::menuCommand(int id)
{
    controller_->controller().menuCommand();
    switch (id) {
    case kCmdExit:
        onMessage({UM_PANEL_8E, 0, 0});
        return;
    case kCmdCommandSend: openAux(AuxKind::CommandSend); return;
    case kCmdComSelect: openAux(AuxKind::ComSelect); return;
    case kCmdBaudRate: openAux(AuxKind::BaudRate); return;
    case kCmdPlayback: openAux(AuxKind::Playback); return;
    case kCmdCw: openAux(AuxKind::Cw); return;
    case kCmdRepeater: openAux(AuxKind::Repeater); return;
    case kCmdSaveSetup: openAux(AuxKind::SetupSave); return;
    case kCmdCompareSetup: openAux(AuxKind::SetupCompare); return;
    case kCmdVersion: showVersion(); return;
    default: return;
    }
}

void CMainPanelDlg::showBox(const QString& text, bool* busyFlag)
{
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (busyFlag) {
        *busyFlag = true;
        connect(box, &QMessageBox::finished, this, [busyFlag] { *busyFlag = false; });
    }
    box->open();
}

void CMainPanelDlg::showError(const Message& m)
{
    const auto text = errorMessageText(static_cast<long>(m.lParam));
    if (!text)
        return;
    if (m.wParam == 1) {
        showBox(qtext(*text), nullptr);
        return;
    }
    if (errorBoxBusy_)
        return;
    showBox(qtext(*text), &errorBoxBusy_);
}

void CMainPanelDlg::showMenuChangeNotice()
{
    if (!noticeBusy_)
        showBox(QStringLiteral("Update the menu setting.\nPlease close and open the menu window."), &noticeBusy_);
}

void CMainPanelDlg::showRsNotice()
{
    if (noticeBusy_)
        return;
    const bool cw = auxOpen(AuxKind::Cw), micEq = auxOpen(AuxKind::MicEq);
    QString text;
    if (cw && micEq)
        text = QStringLiteral("Update the menu setting.\nPlease close and open the cw window and the miceq window.");
    else if (cw)
        text = QStringLiteral("Update the menu setting.\nPlease close and open the cw window.");
    else if (auxOpen(AuxKind::Repeater))
        text = QStringLiteral("Update the menu setting.\nPlease close and open the repeater window.");
    else if (micEq)
        text = QStringLiteral("Update the menu setting.\nPlease close and open the miceq window.");
    if (!text.isEmpty())
        showBox(text, &noticeBusy_);
}

void CMainPanelDlg::showVersion()
{
    auto* dlg = new CVersionDlg(this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->open();
}

QList<QMessageBox*> CMainPanelDlg::messageBoxes() const
{
    QList<QMessageBox*> out;
    for (QMessageBox* b : findChildren<QMessageBox*>())
        if (b->isVisible())
            out.push_back(b);
    return out;
}

void CMainPanelDlg::beginClose()
{
    if (closing_)
        return;
    closing_ = true;
    if (auxOpen(AuxKind::MenuList)) {
        // Give the radio time to take the unlock before the link goes.
        postRequest(UM_REQ_LK_SET, kUnlockValue);
        QTimer::singleShot(kUnlockWaitMs, this, [this] { finishClose(); });
        return;
    }
    finishClose();
}

void CMainPanelDlg::finishClose()
{
    if (closed_)
        return;
    closed_ = true;
    if (hooks_.shutDown)
        hooks_.shutDown();
    hide();
}

void CMainPanelDlg::closeEvent(QCloseEvent* e)
{
    if (!closed_) {
        e->ignore();
        beginClose();
        return;
    }
    e->accept();
}

void CMainPanelDlg::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        controller_->controller().enter();
        e->accept();
        return;
    }
    // Function-key macros come first; plain F1 opens Version only while no auxiliary window is open.
    if (ctx_.macros && ctx_.macros->handleKey(*e, !anyAuxOpen())) {
        e->accept();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void CMainPanelDlg::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    ctx_.outbox.startTimer(kRepaintTimer, kRepaintMs);
}

void CMainPanelDlg::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && !isMinimized())
        ctx_.outbox.startTimer(kRepaintTimer, kRepaintMs);
}

} // namespace qx
