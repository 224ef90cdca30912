#include "app/gui/RigServerMenu.h"

#include "app/RigServerHost.h"
#include "windows/RigServerDlg.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

namespace qx {
namespace {

QMenu* setupMenu(QMainWindow& window)
{
    for (QAction* a : window.menuBar()->actions())
        if (a->menu() && a->text().remove(QLatin1Char('&')) == QStringLiteral("Setup"))
            return a->menu();
    return window.menuBar()->addMenu(QStringLiteral("&Setup"));
}

} // namespace

RigServerMenu::RigServerMenu(QMainWindow& window, RigServerHost& host, ShowNotice noticeLine)
    : QObject(&window), window_(window), host_(host), showNotice_(std::move(noticeLine))
{
    showNotice();
    action_ = setupMenu(window)->addAction(QStringLiteral("&Rig Server..."));
    connect(action_, &QAction::triggered, this, &RigServerMenu::openDialog);
    // Once, when the window is up: the server could not start.
    if (!host_.problem().empty())
        QTimer::singleShot(0, this, &RigServerMenu::showProblem);
}

QWidget* RigServerMenu::openWindow() const { return open_.data(); }

void RigServerMenu::openDialog()
{
    if (auto* open = qobject_cast<CRigServerDlg*>(open_.data())) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* dlg = new CRigServerDlg(host_.address(), &window_);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &QDialog::accepted, this, [this, dlg] {
        if (!host_.apply(dlg->choice()))
            showProblem();
        showNotice();
    });
    open_ = dlg;
    dlg->show();
}

void RigServerMenu::showNotice()
{
    if (showNotice_)
        showNotice_(QString::fromStdString(host_.notice()));
}

void RigServerMenu::showProblem()
{
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Rig Server"),
                                QString::fromStdString(host_.problem()), QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    open_ = box;
    box->open();
}

} // namespace qx
