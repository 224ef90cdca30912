#include "windows/ToneListDlg.h"

#include "core/MessageIds.h"
#include "menu/ToneTable.h"
#include "widgets/MarkedListBox.h"
#include "windows/ProgramIcon.h"
#include "windows/WindowRequests.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {
namespace {

constexpr int kColumnWidth = 44;
constexpr int kItemHeight = 18;
constexpr int kRows = 10;
constexpr int kColumns = 5;

} // namespace

CToneListDlg::CToneListDlg(Outbox& outbox, int currentTone, QWidget* parent) : QDialog(parent), outbox_(outbox)
{
    setWindowTitle(QStringLiteral("CTCSS Tone Frequency (Hz)"));
    setWindowIcon(programIcon());

    list_ = new MarkedListBox;
    list_->setMarkedIndex(-1);
    // A list box of columns: it fills top to bottom and wraps to the next column.
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setUniformItemSizes(true);
    list_->setGridSize(QSize(kColumnWidth + 8, kItemHeight));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setFixedSize(kColumns * (kColumnWidth + 8) + 6, kRows * kItemHeight + 6);
    for (const ToneEntry& e : kToneTable) {
        if (e.code < 0)
            break;
        const auto text = e.view();
        auto* item = new QListWidgetItem(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        item->setData(Qt::UserRole, e.code);
        list_->addItem(item);
        if (e.code == currentTone) {
            list_->setCurrentItem(item);
            list_->setMarkedIndex(list_->row(item));
        }
    }
    connect(list_, &QListWidget::itemDoubleClicked, this, &CToneListDlg::accept);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("CANCEL"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CToneListDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CToneListDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CToneListDlg::selectedTone() const
{
    const auto selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->data(Qt::UserRole).toInt();
}

void CToneListDlg::accept()
{
    const int tone = selectedTone();
    if (tone >= 0)
        postRequestId(outbox_, UM_REQ_CN_SET, tone);
    QDialog::accept();
}

} // namespace qx
