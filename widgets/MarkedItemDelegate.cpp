#include "widgets/MarkedItemDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace qx {

MarkedItemDelegate::MarkedItemDelegate(int itemHeight, QObject* parent)
    : QStyledItemDelegate(parent), itemHeight_(itemHeight)
{
}

QColor MarkedItemDelegate::textColour(int row) const
{
    return row == marked_ ? QColor(255, 0, 0) : QColor(0, 0, 0);
}

void MarkedItemDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    p->save();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    p->fillRect(option.rect, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.rect = option.rect;
        focus.state = option.state;
        focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p);
    }
    p->setFont(option.font);
    p->setPen(textColour(index.row()));
    p->drawText(option.rect.adjusted(1, 1, -1, -1), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter,
                index.data(Qt::DisplayRole).toString());
    p->restore();
}

QSize MarkedItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(itemHeight_);
    return s;
}

} // namespace qx
