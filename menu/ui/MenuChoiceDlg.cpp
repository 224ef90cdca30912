#include "menu/ui/MenuChoiceDlg.h"

#include "menu/MenuText.h"
#include "menu/ui/MenuSettingText.h"
#include "widgets/MarkedComboBox.h"
#include "widgets/MarkedListBox.h"

namespace qx {

CMenuChoiceDlg::CMenuChoiceDlg(MenuItem& item, QWidget* parent)
    : MenuSettingDlg(item, settingCaptionWithUnits(item), parent)
{
    // The radio's combo that never closes: its items, drawn as a list.
    list_ = new MarkedListBox(this, MarkedComboBox::kItemHeight);
    list_->setObjectName(QStringLiteral("choices"));
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setMinimumSize(260, 220);
    const MenuChoices c = menuChoices(item);
    for (const std::string& text : c.texts)
        list_->addItem(QString::fromStdString(text));
    list_->setMarkedIndex(c.selected);
    if (c.selected >= 0) {
        list_->setCurrentRow(c.selected);
        list_->scrollToItem(list_->item(c.selected), QAbstractItemView::PositionAtCenter);
    }
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    setBody(list_);
}

void CMenuChoiceDlg::accept()
{
    const QList<QListWidgetItem*> picked = list_->selectedItems();
    if (!picked.isEmpty()) {
        if (const auto value = storedValueFromChoice(item_, list_->row(picked.front()))) {
            item_.changed = *value != item_.value;
            item_.newValue = *value;
        }
    }
    QDialog::accept();
}

} // namespace qx
