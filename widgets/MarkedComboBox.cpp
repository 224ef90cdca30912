#include "widgets/MarkedComboBox.h"

#include "widgets/MarkedItemDelegate.h"

#include <QAbstractItemView>

namespace qx {

MarkedComboBox::MarkedComboBox(QWidget* parent)
    : QComboBox(parent), delegate_(new MarkedItemDelegate(kItemHeight, this))
{
    setItemDelegate(delegate_);
}

void MarkedComboBox::setMarkedIndex(int row)
{
    delegate_->setMarkedIndex(row);
    view()->viewport()->update();
}

int MarkedComboBox::markedIndex() const
{
    return delegate_->markedIndex();
}

} // namespace qx
