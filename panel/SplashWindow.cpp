#include "panel/SplashWindow.h"

#include "panel/PanelIcon.h"

#include <QLinearGradient>
#include <QPainter>

namespace qx::panel {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(482, 171);
    setWindowTitle(QStringLiteral("RCP for QX-720"));
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(58, 60, 64));
    g.setColorAt(1, QColor(24, 25, 28));
    p.fillRect(rect(), g);
    p.setPen(QPen(QColor(255, 176, 64), 2));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
    p.drawPixmap(24, 44, panelIconPixmap(84));
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(235, 238, 242));
    p.drawText(QRect(126, 36, 340, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("RCP for QX-720"));
    QFont sub = title;
    sub.setPixelSize(13);
    sub.setBold(false);
    p.setFont(sub);
    p.setPen(QColor(255, 176, 64));
    p.drawText(QRect(128, 80, 340, 20), Qt::AlignLeft, QStringLiteral("Remote-control panel for the QX-720 transceiver"));
    p.setPen(QColor(170, 175, 182));
    p.drawText(QRect(128, 118, 340, 20), Qt::AlignLeft, QStringLiteral("RCP-720 VERSION  1.10"));
}

} // namespace qx::panel
