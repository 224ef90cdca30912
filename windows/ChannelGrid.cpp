#include "windows/ChannelGrid.h"

#include "windows/ChannelTableModel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include <algorithm>

namespace qx {
namespace {

// A drop-down for the columns with a fixed list of values; the model's own
// line edit for the rest.
class ChoiceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QStringList choices = index.data(ChannelTableModel::kChoicesRole).toStringList();
        if (choices.isEmpty())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->addItems(choices);
        box->setMaxVisibleItems(16);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QComboBox*>(editor))
            box->setCurrentText(index.data(Qt::EditRole).toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QComboBox*>(editor))
            model->setData(index, box->currentText(), Qt::EditRole);
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

ChannelFilter::ChannelFilter(ChannelTableModel& model, QObject* parent) : QSortFilterProxyModel(parent), model_(model)
{
    setSourceModel(&model);
    setSortRole(ChannelTableModel::kSortRole);
    setDynamicSortFilter(true);
}

void ChannelFilter::setHideEmpty(bool hide)
{
    if (hide == hideEmpty_)
        return;
    hideEmpty_ = hide;
    invalidateFilter();
}

bool ChannelFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (!hideEmpty_)
        return true;
    const ChannelRow& r = model_.table().row(ChannelTableModel::channelOfRow(sourceRow));
    return r.content.has_value() || r.edited();
}

ChannelGrid::ChannelGrid(ChannelTableModel& model, QWidget* parent)
    : QTableView(parent), model_(model), filter_(new ChannelFilter(model, this))
{
    setModel(filter_);
    setItemDelegate(new ChoiceDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSortingEnabled(true);
    sortByColumn(ChannelTableModel::Channel, Qt::AscendingOrder);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* h = horizontalHeader();
    h->setStretchLastSection(true);
    h->setHighlightSections(false);
    const QFontMetrics fm = fontMetrics();
    const auto width = [&fm](const char* sample) { return fm.horizontalAdvance(QString::fromLatin1(sample)) + 18; };
    using C = ChannelTableModel::Column;
    setColumnWidth(C::Channel, width("5040"));
    setColumnWidth(C::Marker, width("*"));
    setColumnWidth(C::Frequency, width("Frequency (MHz)"));
    setColumnWidth(C::Mode, width("RTTY-U ") + 12);
    setColumnWidth(C::Offset, width("Clar (Hz)"));
    setColumnWidth(C::RxClar, width("RX") + 8);
    setColumnWidth(C::TxClar, width("TX") + 8);
    setColumnWidth(C::ToneMode, width("tone squelch") + 12);
    setColumnWidth(C::Tone, width("CTCSS (Hz)"));
    setColumnWidth(C::Shift, width("simplex") + 12);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit recallRequested(ChannelTableModel::channelOfRow(filter_->mapToSource(index).row()));
    });
}

std::vector<int> ChannelGrid::selectedChannels() const
{
    std::vector<int> out;
    for (const QModelIndex& i : selectionModel()->selectedRows())
        out.push_back(ChannelTableModel::channelOfRow(filter_->mapToSource(i).row()));
    std::sort(out.begin(), out.end());
    return out;
}

int ChannelGrid::currentChannel() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? ChannelTableModel::channelOfRow(filter_->mapToSource(i).row()) : 0;
}

void ChannelGrid::goToChannel(int channel)
{
    if (!MemoryChannel::validChannel(channel))
        return;
    const QModelIndex source = model_.index(ChannelTableModel::rowOfChannel(channel), ChannelTableModel::Frequency);
    if (!filter_->mapFromSource(source).isValid())
        filter_->setHideEmpty(false);
    const QModelIndex shown = filter_->mapFromSource(source);
    setCurrentIndex(shown);
    selectionModel()->select(shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(shown, QAbstractItemView::PositionAtCenter);
}

void ChannelGrid::keyPressEvent(QKeyEvent* e)
{
    // Enter that ends an edit belongs to the edit.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && state() != QAbstractItemView::EditingState &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (const int channel = currentChannel())
            emit recallRequested(channel);
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

} // namespace qx
