// A drop-down list that shows one item (the radio's current setting) in red.
#pragma once
#include <QComboBox>

namespace qx {

class MarkedItemDelegate;

class MarkedComboBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 15;

    explicit MarkedComboBox(QWidget* parent = nullptr);

    void setMarkedIndex(int row);
    int markedIndex() const;
    const MarkedItemDelegate& delegate() const { return *delegate_; }

private:
    MarkedItemDelegate* delegate_;
};

} // namespace qx
