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

QPoint placeClearOf(QSize outer, const QRect& parentFrame, const QRect& keepClear, const QRect& available)
{
    const int centred = parentFrame.left() + (parentFrame.width() - outer.width()) / 2;
    const int x = std::max(available.left(), std::min(centred, available.right() + 1 - outer.width()));
    const int tops[] = {keepClear.bottom() + 1, parentFrame.bottom() + 1, parentFrame.top() - outer.height()};
    for (int top : tops) {
        const QRect r(QPoint(x, top), outer);
        if (available.contains(r) && !r.intersects(keepClear))
            return r.topLeft();
    }
    const int y = std::max(available.top(), std::min(tops[0], available.bottom() + 1 - outer.height()));
    return {x, y};
}

} // namespace qx
