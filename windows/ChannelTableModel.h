// The memory channels' table as the grid shows it: one row per channel,
// a column per field in the operator's words. Every edit becomes a change
// to the ChannelTable, which checks it against the radio's limits; a
// refused edit leaves the table as it was and says why (refused()). Each
// change that took is one step on the undo stack.
#pragma once
#include "channels/ChannelTable.h"

#include <QAbstractTableModel>
#include <QUndoStack>

#include <map>

namespace qx {

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Channel, Marker, Frequency, Mode, Offset, RxClar, TxClar, ToneMode, Tone, Shift, Label, ColumnCount };
    // A value for sorting (numbers as numbers; empty channels last).
    static constexpr int kSortRole = Qt::UserRole;
    // The values a column may take, for a drop-down editor; empty for free text.
    static constexpr int kChoicesRole = Qt::UserRole + 1;

    explicit ChannelTableModel(QObject* parent = nullptr);

    static int channelOfRow(int row) { return row + MemoryChannel::kFirst; }
    static int rowOfChannel(int channel) { return channel - MemoryChannel::kFirst; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const ChannelTable& table() const { return table_; }
    QUndoStack& undoStack() { return undo_; }

    // Taken as one step named `what`; the refused changes come back with
    // their reasons.
    std::vector<RefusedChange> applyChanges(const std::vector<ChannelChange>& changes, const QString& what);
    // What the radio holds (a read, a confirmed write).
    void takeReading(int channel, const std::optional<MemoryChannel>& onRadio);
    void setLabels(const std::vector<std::pair<int, std::string>>& labels);
    // A write the radio did not confirm: the row shows it until the channel is read or written again.
    void markUnconfirmed(int channel, const std::string& why);
    // No edits while a job runs on the radio.
    void setLocked(bool locked) { locked_ = locked; }
    bool locked() const { return locked_; }

    // Called by the undo steps.
    void stepBack();
    void stepForward();

signals:
    void refused(const QString& reason);
    void labelsChanged();

private:
    std::optional<std::string> changeFor(int column, const QVariant& value, int role, ChannelChange& change) const;
    void rowsChanged(int firstChannel, int lastChannel);
    void allChanged();

    ChannelTable table_;
    QUndoStack undo_;
    std::map<int, std::string> unconfirmed_;
    bool locked_ = false;
};

} // namespace qx
