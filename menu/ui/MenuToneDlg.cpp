#include "menu/ui/MenuToneDlg.h"

#include "menu/MenuValue.h"
#include "menu/ToneTable.h"
#include "menu/ui/MenuSettingText.h"
#include "widgets/MarkedListBox.h"

namespace qx {
namespace {

constexpr int kColumns = 5;
constexpr int kColumnWidth = 44;
constexpr int kItemHeight = 18;

} // namespace

CMenuToneDlg::CMenuToneDlg(MenuItem& item, QWidget* parent)
    : MenuSettingDlg(item, settingCaptionWithUnits(item), parent)
{
    list_ = new MarkedListBox(this);
    list_->setMarkedIndex(-1);
    list_->setObjectName(QStringLiteral("tones"));
    list_->setViewMode(QListView::ListMode);
    list_->setFlow(QListView::LeftToRight);
    list_->setWrapping(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setUniformItemSizes(true);
    list_->setGridSize(QSize(kColumnWidth, kItemHeight));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rows = (kToneCount + kColumns - 1) / kColumns;
    // Room for exactly five columns: a sixth would not fit, a fourth would.
    list_->setFixedSize(kColumns * kColumnWidth + 2 * list_->frameWidth() + kColumnWidth / 2,
                        rows * kItemHeight + 2 * list_->frameWidth() + 8);

    // The table lays the tones out column by column; shown row by row they
    // ascend along each row.
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            const int i = col * rows + row;
            const ToneEntry& e = kToneTable[static_cast<std::size_t>(i)];
            auto* entry = new QListWidgetItem(QString::fromUtf8(e.view().data(), static_cast<qsizetype>(e.view().size())));
            entry->setData(Qt::UserRole, e.code);
            list_->addItem(entry);
            if (e.code == menuInt(item.value)) {
                list_->setCurrentItem(entry);
                list_->setMarkedIndex(list_->row(entry));
            }
        }
    }
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    setBody(list_);
}

void CMenuToneDlg::accept()
{
    const QList<QListWidgetItem*> picked = list_->selectedItems();
    if (!picked.isEmpty()) {
        const int code = picked.front()->data(Qt::UserRole).toInt();
        item_.changed = code != menuInt(item_.value);
        item_.newValue = code;
    }
    QDialog::accept();
}

} // namespace qx
