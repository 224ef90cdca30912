#include "widgets/MarkedListBox.h"

#include "widgets/MarkedItemDelegate.h"

namespace qx {

MarkedListBox::MarkedListBox(QWidget* parent, int itemHeight)
    : QListWidget(parent), delegate_(new MarkedItemDelegate(itemHeight, this))
{
    setItemDelegate(delegate_);
}

void MarkedListBox::setMarkedIndex(int row)
{
    delegate_->setMarkedIndex(row);
    viewport()->update();
}

int MarkedListBox::markedIndex() const
{
    return delegate_->markedIndex();
}

} // namespace qx
