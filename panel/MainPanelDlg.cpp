#include "panel/MainPanelDlg.h"

#include "core/ErrorMessages.h"
#include "core/MessageIds.h"
#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "panel/LinkHint.h"
#include "panel/LinkStatusLine.h"
#include "panel/PanelIcon.h"
#include "panel/PanelLayout.h"
#include "panel/PanelScale.h"
#include "panel/controller/PanelOps.h"
#include "panel/controller/PanelControllerHost.h"
#include "state/RadioState.h"
#include "windows/AuxWindow.h"
#include "windows/AuxWindowFactory.h"
#include "windows/CatMonitorDlg.h"
#include "windows/MacroKeys.h"
#include "windows/MacroSender.h"
#include "windows/VersionDlg.h"
#include "widgets/WindowPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

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

// The display's corner on the panel (its top-left is the panel's): the
// frequency readout and everything else the radio shows.
constexpr QPoint kDisplayBottomRight{710, 158};

QString qtext(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

CMainPanelDlg::CMainPanelDlg(WindowContext& ctx, MainPanelHooks hooks, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), hooks_(std::move(hooks)), display_(ctx.radio, ctx.menu, ctx.outbox),
      view_(new panel::PanelView(display_.model())), statusLine_(new panel::LinkStatusLine),
      controller_(std::make_unique<panel::PanelControllerHost>(*this, ctx, hooks_.portReady))
{
    view_->setInput(controller_->input());
    for (const panel::KeySpot& k : panel::kKeys)
        if (k.op == panel::op::Link)
            view_->setAreaToolTip(QRect(QPoint(k.left, k.top), QPoint(k.right, k.bottom)), qtext(panel::kLinkHint));
    setWindowTitle(QStringLiteral("RCP for QX-720"));
    setWindowIcon(panel::panelIcon());
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(view_, 1);
    column->addWidget(statusLine_);
    setCentralWidget(central);
    buildMenus();
    buildViewMenu();
    resize(panel::panelSizeAt(1.0) + chromeSize());
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
    // Exit comes last, behind a rule: Alt+F, Enter must not end the program.
    add(file, kCmdCommandSend, QStringLiteral("&Command Send"));
    add(file, kCmdSaveSetup, QStringLiteral("&Save radio set-up..."));
    add(file, kCmdCompareSetup, QStringLiteral("Com&pare with radio..."));
    file->addSeparator();
    add(file, kCmdExit, QStringLiteral("E&xit"));
    QMenu* setup = menuBar()->addMenu(QStringLiteral("&Setup"));
    add(setup, kCmdComSelect, QStringLiteral("&COM Select"));
    add(setup, kCmdBaudRate, QStringLiteral("&Baud rate"));
    QMenu* option = menuBar()->addMenu(QStringLiteral("&Option"));
    add(option, kCmdPlayback, QStringLiteral("&Playback"));
    add(option, kCmdCw, QStringLiteral("C&W"));
    add(option, kCmdRepeater, QStringLiteral("&Repeater"));
    QMenu* memory = menuBar()->addMenu(QStringLiteral("&Memory"));
    add(memory, kCmdMemoryChannels, QStringLiteral("Memory &channels..."));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    add(help, kCmdVersion, QStringLiteral("&Version"));
}

// Beyond the original menu's ids: these stay enabled while windows are open.
void CMainPanelDlg::buildViewMenu()
{
    QMenu* view = new QMenu(QStringLiteral("&View"), this);
    menuBar()->insertMenu(menuBar()->actions().value(1), view);
    QAction* in = view->addAction(QStringLiteral("Zoom &In"), this, [this] { zoom(+1); });
    in->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* out = view->addAction(QStringLiteral("Zoom &Out"), this, [this] { zoom(-1); });
    out->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QAction* actual = view->addAction(QStringLiteral("&Actual Size"), this, [this] { setPanelScale(1.0); });
    actual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    view->addSeparator();
    QAction* monitor = view->addAction(QStringLiteral("&CAT Monitor"), this, [this] { openCatMonitor(); });
    monitor->setEnabled(ctx_.traffic != nullptr);
    for (QAction* a : view->actions())
        a->setShortcutContext(Qt::WindowShortcut);
}

QSize CMainPanelDlg::chromeSize() const
{
    return {0, menuBar()->sizeHint().height() + statusLine_->sizeHint().height()};
}

double CMainPanelDlg::fittingScale(double wanted) const
{
    const QScreen* s = screen();
    if (!s)
        return panel::fitPanelScale(wanted, QSize(1 << 20, 1 << 20), chromeSize());
    // Before the first show the decorations are not known yet: allow for some.
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(16, 48);
    return panel::fitPanelScale(wanted, s->availableGeometry().size(), chromeSize() + frame);
}

void CMainPanelDlg::setPanelScale(double scale)
{
    const double s = fittingScale(scale);
    view_->setScale(s);
    resize(panel::panelSizeAt(s) + chromeSize());
    view_->resize(panel::panelSizeAt(s));
}

double CMainPanelDlg::panelScale() const { return view_->scale(); }

void CMainPanelDlg::zoom(int direction) { setPanelScale(panel::stepPanelScale(panelScale(), direction)); }

void CMainPanelDlg::setLinkStatus(const LinkStatus& s)
{
    statusLine_->setStatus(s);
    apply(display_.setLinkPhase(s.phase));
}

void CMainPanelDlg::noteOperatorMessage(const QString& text) { statusLine_->setMessage(text); }

CCatMonitorDlg* CMainPanelDlg::openCatMonitor()
{
    if (!ctx_.traffic)
        return nullptr;
    if (!monitor_)
        monitor_ = new CCatMonitorDlg(*ctx_.traffic, this);
    monitor_->show();
    monitor_->raise();
    monitor_->activateWindow();
    return monitor_;
}

CCatMonitorDlg* CMainPanelDlg::catMonitor() const { return monitor_; }

QAction* CMainPanelDlg::menuAction(int id) const
{
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainPanelDlg::startPanel()
{
    ctx_.outbox.startTimer(kFirstDrawTimer, kFirstDrawMs);
}

// The frequency display's redraw runs while it can change: from a frequency
// notification or a digit selection until a tick finds nothing new with no
// digit selected.
void CMainPanelDlg::keepFrequencyFresh()
{
    if (frequencyTimersOn_)
        return;
    frequencyTimersOn_ = true;
    ctx_.outbox.startTimer(kFrequencyTimerA, kFrequencyMs);
    ctx_.outbox.startTimer(kFrequencyTimerB, kFrequencyMs);
}

void CMainPanelDlg::frequencyTick()
{
    const unsigned regions = display_.frequencyTick();
    apply(regions);
    if (regions == panel::kNoRegion && display_.selectedDigit() == 0 && frequencyTimersOn_) {
        frequencyTimersOn_ = false;
        ctx_.outbox.stopTimer(kFrequencyTimerA);
        ctx_.outbox.stopTimer(kFrequencyTimerB);
    }
}

// The blink timer runs only while a segment follows the blink phase.
void CMainPanelDlg::updateBlinking()
{
    const bool blinking = display_.blinking();
    if (blinking == blinkTimerOn_)
        return;
    blinkTimerOn_ = blinking;
    if (blinking)
        ctx_.outbox.startTimer(kBlinkTimer, kBlinkMs);
    else
        ctx_.outbox.stopTimer(kBlinkTimer);
}

void CMainPanelDlg::apply(unsigned regions) { view_->refresh(regions); }

void CMainPanelDlg::onTimer(int id)
{
    if (hooks_.engineTimer && hooks_.engineTimer(id))
        return;
    switch (id) {
    case kFrequencyTimerA:
    case kFrequencyTimerB:
        frequencyTick();
        return;
    case kFirstDrawTimer:
        ctx_.outbox.stopTimer(kFirstDrawTimer);
        if (firstDrawDone_)
            return;
        apply(display_.firstFullDraw());
        firstDrawDone_ = true;
        updateBlinking();
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
        updateBlinking();
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
    dispatchMessage(m);
    switch (m.id) {
    case UM_ANS_FA:
    case UM_ANS_FB:
    case UM_ANS_VS:
    case UM_ANS_RT:
    case UM_ANS_IF:
    case UM_ANS_TX:
    case UM_PANEL_86:
        keepFrequencyFresh();
        break;
    default:
        break;
    }
    updateBlinking();
}

void CMainPanelDlg::dispatchMessage(const Message& m)
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
    if (kind == AuxKind::Contour || kind == AuxKind::Notch || kind == AuxKind::Dnr || kind == AuxKind::MicEq)
        placeClearOfDisplay(*w);
    w->show();
    updateMenuEnabling();
    if (kind == AuxKind::Vcc || kind == AuxKind::Contour || kind == AuxKind::Notch || kind == AuxKind::Dnr)
        ctx_.outbox.startTimer(kRepaintTimer, kRepaintMs);
    return true;
}

void CMainPanelDlg::placeClearOfDisplay(QWidget& w) const
{
    // A knob window works on what the display shows: it opens next to the
    // frequency readout, never over it.
    const QScreen* s = screen();
    if (!s || !isVisible())
        return;
    const QRect display(view_->mapToGlobal(view_->fromPanel(QPoint(0, 0))),
                        view_->mapToGlobal(view_->fromPanel(kDisplayBottomRight)));
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize outer = w.size() + QSize(frame.width(), frame.height());
    w.move(placeClearOf(outer, frameGeometry(), display, s->availableGeometry()));
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
    case kCmdMemoryChannels: openAux(AuxKind::MemoryChannels); return;
    case kCmdVersion: showVersion(); return;
    default: return;
    }
}

void CMainPanelDlg::showBox(const QString& text, bool* busyFlag, const QString& hint)
{
    noteOperatorMessage(text);
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setInformativeText(hint);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (busyFlag) {
        *busyFlag = true;
        connect(box, &QMessageBox::finished, this, [busyFlag] { *busyFlag = false; });
    }
    box->open();
}

void CMainPanelDlg::showError(const Message& m)
{
    const long row = static_cast<long>(m.lParam);
    const auto text = errorMessageText(row);
    if (!text)
        return;
    // Without a settings file this is a first start: say how to reach the radio.
    const QString hint = row == kSettingsMissingRow ? qtext(panel::kLinkHint) : QString();
    if (m.wParam != 1 && errorBoxBusy_)
        return;
    const std::string detail = ctx_.errorDetail ? ctx_.errorDetail(row) : std::string();
    showBox(qtext(withDetail(*text, detail)), m.wParam == 1 ? nullptr : &errorBoxBusy_, hint);
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
    if (!shownOnce_ && !e->spontaneous()) {
        shownOnce_ = true;
        // Placed by us in the middle of the screen, unless someone placed it
        // already: a box raised as the window appears (the first start's
        // missing settings file) is centred over the window as Qt knows it,
        // and that must not be the top-left corner the window manager has
        // yet to move it from.
        if (!testAttribute(Qt::WA_Moved))
            if (const QScreen* s = screen()) {
                QRect r(QPoint(), frameGeometry().size());
                r.moveCenter(s->availableGeometry().center());
                move(r.topLeft());
            }
    }
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
