#include "windows/ChannelTableModel.h"

#include "channels/ChannelLimits.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QUndoCommand>

#include <climits>

namespace qx {
namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The change is already in the table when the step is pushed; the stack's
// first redo has nothing to do.
class TableStep : public QUndoCommand {
public:
    TableStep(ChannelTableModel& model, const QString& text) : QUndoCommand(text), model_(model) {}
    void undo() override { model_.stepBack(); }
    void redo() override
    {
        if (first_)
            first_ = false;
        else
            model_.stepForward();
    }

private:
    ChannelTableModel& model_;
    bool first_ = true;
};

QString offsetText(int hz) { return hz > 0 ? QStringLiteral("+%1").arg(hz) : QString::number(hz); }

// "Hz" after a number is the unit, not part of the value.
QString withoutHertz(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1String("hz"), Qt::CaseInsensitive))
        text.chop(2);
    return text.trimmed();
}

template <class Name>
std::optional<int> byName(const QString& text, int first, int last, Name name)
{
    for (int v = first; v <= last; ++v)
        if (text.trimmed().compare(qs(name(v)), Qt::CaseInsensitive) == 0)
            return v;
    return std::nullopt;
}

template <class Name>
QStringList names(int first, int last, Name name)
{
    QStringList out;
    for (int v = first; v <= last; ++v)
        out << qs(name(v));
    return out;
}

} // namespace

ChannelTableModel::ChannelTableModel(QObject* parent) : QAbstractTableModel(parent)
{
    // The table keeps as many steps; the two stacks stay in step.
    undo_.setUndoLimit(static_cast<int>(ChannelTable::kUndoDepth));
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : MemoryChannel::kLast - MemoryChannel::kFirst + 1;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    static const char* const titles[ColumnCount] = {"Ch",  "",     "Frequency (MHz)", "Mode", "Clar (Hz)", "RX",
                                                    "TX",  "Tone", "CTCSS (Hz)",      "Shift", "Label"};
    static const char* const tips[ColumnCount] = {
        "Memory channel",
        "* changed here, not yet written to the radio",
        "Frequency in MHz (30 kHz to 60 MHz); clear it to empty the channel",
        "Mode",
        "Clarifier offset in Hz (-9999 to +9999)",
        "Clarifier on receive",
        "Clarifier on transmit",
        "Tone mode: off, tone squelch or tone",
        "CTCSS tone in Hz",
        "Repeater shift: simplex, + or - (by the radio's RPT SFT)",
        "Your label; kept by this program, not by the radio"};
    if (section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(titles[section]);
    if (role == Qt::ToolTipRole)
        return QString::fromLatin1(tips[section]);
    return {};
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int channel = channelOfRow(index.row());
    const ChannelRow& r = table_.row(channel);
    const auto& c = r.content;
    const int column = index.column();
    const auto unconfirmed = unconfirmed_.find(channel);

    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == Channel)
            return channel;
        if (column == Marker)
            return r.edited() ? QStringLiteral("*") : QString();
        if (column == Label)
            return QString::fromStdString(r.label);
        if (!c)
            return QString();
        switch (column) {
        case Frequency: return QString::fromStdString(megahertzText(c->frequency));
        case Mode: return qs(channelModeName(c->mode));
        case Offset: return offsetText(c->offset);
        case ToneMode: return qs(toneModeName(c->toneMode));
        case Tone: return qs(toneHzText(c->tone));
        case Shift: return qs(shiftName(c->shift));
        default: return {};
        }
    case Qt::CheckStateRole:
        if (c && (column == RxClar || column == TxClar))
            return (column == RxClar ? c->rxClarifier : c->txClarifier) ? Qt::Checked : Qt::Unchecked;
        return {};
    case kSortRole:
        switch (column) {
        case Channel: return channel;
        case Marker: return r.edited() ? 0 : 1;
        case Label: return r.label.empty() ? QStringLiteral("\uffff") : QString::fromStdString(r.label);
        default: break;
        }
        if (!c)
            return column == Mode || column == ToneMode || column == Shift ? QVariant(QStringLiteral("\uffff"))
                                                                            : QVariant(LLONG_MAX);
        switch (column) {
        case Frequency: return c->frequency;
        case Offset: return static_cast<long long>(c->offset);
        case RxClar: return static_cast<long long>(c->rxClarifier);
        case TxClar: return static_cast<long long>(c->txClarifier);
        case Tone: return static_cast<long long>(c->tone);
        default: return data(index, Qt::DisplayRole);
        }
    case kChoicesRole:
        switch (column) {
        case Mode: return names(kChannelFirstMode, kChannelLastMode, channelModeName);
        case ToneMode: return names(0, 2, toneModeName);
        case Tone: return names(0, 49, toneHzText);
        case Shift: return names(0, 2, shiftName);
        default: return {};
        }
    case Qt::FontRole:
        if (r.edited()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        if (column == Channel && !r.read)
            return QBrush(QColor(0x90, 0x90, 0x90));
        return {};
    case Qt::BackgroundRole:
        if (unconfirmed != unconfirmed_.end())
            return QBrush(QColor(0xf8, 0xd4, 0xd4));
        return {};
    case Qt::TextAlignmentRole:
        if (column == Channel || column == Frequency || column == Offset || column == Tone)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (column == Marker)
            return QVariant(Qt::AlignCenter);
        return {};
    case Qt::ToolTipRole:
        if (unconfirmed != unconfirmed_.end())
            return QStringLiteral("The radio did not confirm the write: %1").arg(QString::fromStdString(unconfirmed->second));
        if (r.edited())
            return QStringLiteral("Changed here; \"Write to radio\" sends it");
        if (!r.read)
            return QStringLiteral("Not read from the radio yet");
        if (!c)
            return QStringLiteral("Empty on the radio");
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!index.isValid() || locked_)
        return f;
    const bool held = table_.row(channelOfRow(index.row())).content.has_value();
    switch (index.column()) {
    case Frequency:
    case Label: return f | Qt::ItemIsEditable;
    case RxClar:
    case TxClar: return held ? f | Qt::ItemIsUserCheckable : f;
    case Mode:
    case Offset:
    case ToneMode:
    case Tone:
    case Shift: return held ? f | Qt::ItemIsEditable : f;
    default: return f;
    }
}

// The edit as a change to the channel; the reason when the text names no
// value of the column. Whether the value fits the radio is the table's to say.
std::optional<std::string> ChannelTableModel::changeFor(int column, const QVariant& value, int role,
                                                        ChannelChange& change) const
{
    const QString text = value.toString().trimmed();
    auto& c = change.content;
    if (column == Label) {
        change.label = value.toString().toStdString();
        return std::nullopt;
    }
    if (column == Frequency) {
        if (text.isEmpty()) {
            c.reset();
            return std::nullopt;
        }
        const auto hz = hertzFromMegahertz(text.toStdString());
        if (!hz)
            return "\"" + text.toStdString() + "\" is not a frequency in MHz (for example 14.074)";
        if (c)
            c->frequency = *hz;
        else
            c = defaultChannel(*hz);
        return std::nullopt;
    }
    if (!c)
        return std::string("the channel is empty: give it a frequency first");
    switch (column) {
    case Mode:
        if (auto m = byName(text, kChannelFirstMode, kChannelLastMode, channelModeName)) {
            c->mode = *m;
            return std::nullopt;
        }
        return "\"" + text.toStdString() + "\" is not a mode of the radio";
    case Offset: {
        bool ok = false;
        const int hz = withoutHertz(text).toInt(&ok);
        if (!ok)
            return "\"" + text.toStdString() + "\" is not a whole number of hertz";
        c->offset = hz;
        return std::nullopt;
    }
    case RxClar:
    case TxClar: {
        if (role != Qt::CheckStateRole)
            return std::string("tick or clear the box");
        const int on = value.toInt() == Qt::Checked ? 1 : 0;
        (column == RxClar ? c->rxClarifier : c->txClarifier) = on;
        return std::nullopt;
    }
    case ToneMode:
        if (auto m = byName(text, 0, 2, toneModeName)) {
            c->toneMode = *m;
            return std::nullopt;
        }
        return "\"" + text.toStdString() + "\" is not off, tone squelch or tone";
    case Tone:
        if (auto t = toneFromHzText(withoutHertz(text).toStdString())) {
            c->tone = *t;
            return std::nullopt;
        }
        return "\"" + text.toStdString() + "\" Hz is not one of the radio's 50 CTCSS tones";
    case Shift:
        if (auto s = byName(text, 0, 2, shiftName)) {
            c->shift = *s;
            return std::nullopt;
        }
        return "\"" + text.toStdString() + "\" is not simplex, + or -";
    default:
        return std::string("this column cannot be edited");
    }
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || (role != Qt::EditRole && role != Qt::CheckStateRole))
        return false;
    const int channel = channelOfRow(index.row());
    if (locked_) {
        emit refused(QStringLiteral("Channel %1: wait until the radio job has ended").arg(channel));
        return false;
    }
    const ChannelRow& r = table_.row(channel);
    ChannelChange change{channel, r.content, r.label};
    if (auto why = changeFor(index.column(), value, role, change)) {
        emit refused(QStringLiteral("Channel %1: %2").arg(channel).arg(QString::fromStdString(*why)));
        return false;
    }
    static const char* const names[ColumnCount] = {"",           "",          "frequency",  "mode",
                                                   "clarifier offset", "RX clarifier", "TX clarifier",
                                                   "tone mode",  "CTCSS tone", "shift",      "label"};
    const QString what = QStringLiteral("%1 of channel %2").arg(QLatin1String(names[index.column()])).arg(channel);
    const auto refusedChanges = applyChanges({change}, what);
    if (!refusedChanges.empty()) {
        emit refused(QStringLiteral("Channel %1: %2").arg(channel).arg(QString::fromStdString(refusedChanges.front().reason)));
        return false;
    }
    return true;
}

std::vector<RefusedChange> ChannelTableModel::applyChanges(const std::vector<ChannelChange>& changes,
                                                           const QString& what)
{
    std::map<int, std::pair<std::optional<MemoryChannel>, std::string>> before;
    for (const ChannelChange& c : changes)
        if (MemoryChannel::validChannel(c.channel))
            before.emplace(c.channel, std::make_pair(table_.row(c.channel).content, table_.row(c.channel).label));
    auto refusedChanges = table_.apply(changes);
    bool stepTaken = false;
    bool labels = false;
    for (const auto& [channel, was] : before) {
        const ChannelRow& now = table_.row(channel);
        stepTaken = stepTaken || now.content != was.first || now.label != was.second;
        labels = labels || now.label != was.second;
    }
    if (!stepTaken)
        return refusedChanges;
    for (const auto& [channel, was] : before)
        unconfirmed_.erase(channel);
    undo_.push(new TableStep(*this, what));
    rowsChanged(before.begin()->first, before.rbegin()->first);
    if (labels)
        emit labelsChanged();
    return refusedChanges;
}

void ChannelTableModel::takeReading(int channel, const std::optional<MemoryChannel>& onRadio)
{
    if (!MemoryChannel::validChannel(channel))
        return;
    table_.takeReading(channel, onRadio);
    unconfirmed_.erase(channel);
    rowsChanged(channel, channel);
}

void ChannelTableModel::setLabels(const std::vector<std::pair<int, std::string>>& labels)
{
    table_.setLabels(labels);
    allChanged();
}

void ChannelTableModel::markUnconfirmed(int channel, const std::string& why)
{
    if (!MemoryChannel::validChannel(channel))
        return;
    unconfirmed_[channel] = why;
    rowsChanged(channel, channel);
}

void ChannelTableModel::stepBack()
{
    if (table_.undo()) {
        allChanged();
        emit labelsChanged();
    }
}

void ChannelTableModel::stepForward()
{
    if (table_.redo()) {
        allChanged();
        emit labelsChanged();
    }
}

void ChannelTableModel::rowsChanged(int firstChannel, int lastChannel)
{
    emit dataChanged(index(rowOfChannel(firstChannel), 0), index(rowOfChannel(lastChannel), ColumnCount - 1));
}

void ChannelTableModel::allChanged() { rowsChanged(MemoryChannel::kFirst, MemoryChannel::kLast); }

} // namespace qx
