// A list that shows one item (the radio's current setting) in red.
#pragma once
#include <QListWidget>

namespace qx {

class MarkedItemDelegate;

class MarkedListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 12;

    // An always-open combo box is a list with the combo's taller items.
    explicit MarkedListBox(QWidget* parent = nullptr, int itemHeight = kItemHeight);

    void setMarkedIndex(int row);
    int markedIndex() const;
    const MarkedItemDelegate& delegate() const { return *delegate_; }

private:
    MarkedItemDelegate* delegate_;
};

} // namespace qx
