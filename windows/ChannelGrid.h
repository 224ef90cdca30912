// The grid of the Memory channels window: the table view with its drop-down
// editors, sorting and the "hide empty" filter. Enter on a row (when no
// cell is being edited) and a double-click ask for that channel's recall;
// a cell is edited by typing over it, F2, or a click on a selected cell.
#pragma once
#include <QSortFilterProxyModel>
#include <QTableView>

#include <vector>

namespace qx {

class ChannelTableModel;

class ChannelFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ChannelFilter(ChannelTableModel& model, QObject* parent = nullptr);
    // Channels empty both here and on the radio (or never read) are left out.
    void setHideEmpty(bool hide);
    bool hideEmpty() const { return hideEmpty_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    ChannelTableModel& model_;
    bool hideEmpty_ = false;
};

class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    ChannelGrid(ChannelTableModel& model, QWidget* parent = nullptr);

    ChannelTableModel& channels() const { return model_; }
    ChannelFilter& filter() const { return *filter_; }
    // The channels of the selected rows, in order.
    std::vector<int> selectedChannels() const;
    int currentChannel() const;
    bool editing() const { return state() == QAbstractItemView::EditingState; }
    // Shows and selects the channel, showing empty channels again if need be.
    void goToChannel(int channel);

signals:
    void recallRequested(int channel);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    ChannelTableModel& model_;
    ChannelFilter* filter_;
};

} // namespace qx
