#include "widgets/ScreenKeeper.h"

#include "widgets/WindowPlacement.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace qx {

ScreenKeeper::ScreenKeeper(QObject* parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

ScreenKeeper::~ScreenKeeper()
{
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

QRect ScreenKeeper::availableFor(const QWidget* window) const
{
    if (area_)
        return *area_;
    const QWidget* anchor = window->parentWidget() ? window->parentWidget()->window() : window;
    QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void ScreenKeeper::place(QWidget* window, bool fresh) const
{
    const QRect available = availableFor(window);
    if (available.isEmpty())
        return;
    WindowToPlace w;
    w.geometry = window->geometry();
    const QRect frame = window->frameGeometry();
    w.frame = QMargins(w.geometry.left() - frame.left(), w.geometry.top() - frame.top(),
                       frame.right() - w.geometry.right(), frame.bottom() - w.geometry.bottom());
    w.minimum = window->minimumSizeHint().expandedTo(window->minimumSize()).boundedTo(window->maximumSize());
    if (window->parentWidget())
        w.parent = window->parentWidget()->window()->frameGeometry();
    w.placed = !fresh;
    const QRect to = placeWindow(w, available);
    if (to.size() != w.geometry.size())
        window->resize(to.size());
    if (to.topLeft() != w.geometry.topLeft())
        window->move(to.topLeft() - QPoint(w.frame.left(), w.frame.top()));
}

bool ScreenKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    const Qt::WindowType type = w->windowType();
    if (!w->isWindow() || type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop)
        return false;
    const bool fresh = !w->testAttribute(Qt::WA_Moved);
    place(w, fresh);
    QPointer<QWidget> later(w);
    QTimer::singleShot(0, this, [this, later, fresh] {
        if (later && later->isVisible())
            place(later, fresh);
    });
    return false;
}

} // namespace qx
