#include "app/gui/AudioMenu.h"

#include "app/gui/AudioSetupDlg.h"
#include "app/qt/AudioHost.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace qx {

AudioMenu::AudioMenu(QMainWindow& window, AudioHost& host) : QObject(&window), window_(window), host_(host)
{
    QMenu* menu = nullptr;
    for (QAction* a : window.menuBar()->actions())
        if (a->menu() && a->text().remove(QLatin1Char('&')) == QStringLiteral("Setup"))
            menu = a->menu();
    if (!menu)
        menu = window.menuBar()->addMenu(QStringLiteral("&Setup"));
    action_ = menu->addAction(QStringLiteral("&Audio..."));
    connect(action_, &QAction::triggered, this, &AudioMenu::openDialog);
}

void AudioMenu::openDialog()
{
    AudioSetupDlg dlg(host_.captureName(), host_.playbackName(), &window_);
    if (dlg.exec() != QDialog::Accepted)
        return;
    host_.apply(dlg.capture(), dlg.playback());
    if (!host_.problem().isEmpty())
        QMessageBox::warning(&window_, QStringLiteral("Audio"), host_.problem());
}

} // namespace qx
