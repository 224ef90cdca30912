// Draws list items with one of them marked: the marked row's text is red,
// every other row's black, each word-wrapped inside its rectangle, on the
// highlight colour when selected, with a focus frame when focused.
#pragma once
#include <QColor>
#include <QStyledItemDelegate>

namespace qx {

class MarkedItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    MarkedItemDelegate(int itemHeight, QObject* parent = nullptr);

    void setMarkedIndex(int row) { marked_ = row; }
    int markedIndex() const { return marked_; }
    QColor textColour(int row) const;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int itemHeight_;
    int marked_ = 0;
};

} // namespace qx
