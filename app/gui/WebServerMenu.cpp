#include "app/gui/WebServerMenu.h"

#include "app/qt/WebHost.h"

#include <QAction>
#include <QInputDialog>
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

WebServerMenu::WebServerMenu(QMainWindow& window, WebHost& host) : QObject(&window), window_(window), host_(host)
{
    QMenu* menu = setupMenu(window);
    address_ = menu->addAction(QStringLiteral("&Web Server..."));
    connect(address_, &QAction::triggered, this, &WebServerMenu::openDialog);
    control_ = menu->addAction(QStringLiteral("Web &Control at the Radio"));
    control_->setCheckable(true);
    connect(control_, &QAction::toggled, this, [this](bool take) { host_.server().panelControl(take); });
    if (!host_.problem().empty())
        QTimer::singleShot(0, this, &WebServerMenu::showProblem);
}

void WebServerMenu::openDialog()
{
    QString help = QStringLiteral("Where the remote station listens: PORT (this computer only), ADDR:PORT "
                                  "(e.g. 0.0.0.0:8443 for every network; TLS is used there), or off.");
    if (!host_.fingerprint().isEmpty())
        help += QStringLiteral("\n\nCertificate SHA-256 fingerprint:\n") + host_.fingerprint();
    const rig::ListenAddress& a = host_.address();
    bool ok = false;
    const QString text = QInputDialog::getText(&window_, QStringLiteral("Web Server"), help, QLineEdit::Normal,
                                               a.enabled ? QString::fromStdString(rig::formatListenAddress(a))
                                                         : QStringLiteral("off"),
                                               &ok);
    if (!ok)
        return;
    std::string why;
    const auto choice = rig::parseListenAddress(text.trimmed().toStdString(), &why);
    if (!choice) {
        QMessageBox::warning(&window_, QStringLiteral("Web Server"), QString::fromStdString(why));
        return;
    }
    if (!host_.apply(*choice))
        showProblem();
}

void WebServerMenu::showProblem() { tell(QString::fromStdString(host_.problem())); }

void WebServerMenu::tell(const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Web Server"), text, QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    open_ = box;
    box->open();
}

} // namespace qx
