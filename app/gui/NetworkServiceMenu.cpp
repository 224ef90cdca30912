#include "app/gui/NetworkServiceMenu.h"

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

NetworkServiceMenu::NetworkServiceMenu(QMainWindow& window, NetworkServiceTexts texts, NetworkServiceControl control)
    : QObject(&window), window_(window), texts_(std::move(texts)), control_(std::move(control))
{
    action_ = setupMenu(window)->addAction(texts_.title + QStringLiteral("..."));
    connect(action_, &QAction::triggered, this, &NetworkServiceMenu::openDialog);
    // Once, when the window is up: it could not start, or it reaches other computers.
    if (!control_.problem().empty())
        QTimer::singleShot(0, this, &NetworkServiceMenu::showProblem);
}

void NetworkServiceMenu::openDialog()
{
    if (auto* open = qobject_cast<CNetworkServiceDlg*>(open_.data())) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* dlg = new CNetworkServiceDlg(texts_, control_.address(), &window_);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &QDialog::accepted, this, [this, dlg] {
        if (!control_.apply(dlg->choice()))
            showProblem();
    });
    open_ = dlg;
    dlg->show();
}

void NetworkServiceMenu::showProblem()
{
    auto* box = new QMessageBox(QMessageBox::Warning, texts_.title, QString::fromStdString(control_.problem()),
                                QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    open_ = box;
    box->open();
}

} // namespace qx
