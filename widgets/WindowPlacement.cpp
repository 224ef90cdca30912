#include "widgets/WindowPlacement.h"

#include <algorithm>

namespace qx {

QRect placeWindow(const WindowToPlace& w, const QRect& available)
{
    const QSize frameExtra(w.frame.left() + w.frame.right(), w.frame.top() + w.frame.bottom());
    QSize client = w.geometry.size().boundedTo(available.size() - frameExtra).expandedTo(w.minimum);
    const QSize outer = client + frameExtra;

    QPoint topLeft; // of the frame
    if (w.placed) {
        topLeft = w.geometry.topLeft() - QPoint(w.frame.left(), w.frame.top());
    } else {
        const QRect over = w.parent ? *w.parent : available;
        topLeft = over.topLeft() + QPoint((over.width() - outer.width()) / 2, (over.height() - outer.height()) / 2);
    }
    // Inside the area; a window larger than it keeps its top-left corner on screen.
    topLeft.setX(std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - outer.width())));
    topLeft.setY(std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - outer.height())));
    return {topLeft + QPoint(w.frame.left(), w.frame.top()), client};
}

} // namespace qx
