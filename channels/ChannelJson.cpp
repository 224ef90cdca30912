#include "channels/ChannelJson.h"

#include "backup/SetupJson.h"
#include "channels/ChannelLimits.h"
#include "channels/ChannelTable.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace qx {

std::string writeChannelJson(const std::vector<ChannelEntry>& channels, const std::string& radioId)
{
    std::vector<SavedChannel> held;
    QJsonObject labels;
    for (const ChannelEntry& e : channels) {
        held.push_back({e.channel, e.content});
        if (!e.label.empty())
            labels.insert(QString::number(e.channel), QString::fromStdString(e.label));
    }
    const QJsonObject root{{"format", QString::fromUtf8(kChannelListFormat.data(), kChannelListFormat.size())},
                           {"formatVersion", kChannelListVersion},
                           {"radioId", QString::fromStdString(radioId)},
                           {"channels", channelBlockToJson(ChannelRange{}, held)},
                           {"labels", labels}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

ChannelImport readChannelJson(std::string_view text)
{
    ChannelImport out;
    if (text.size() > kChannelFileLimit) {
        out.error = "larger than " + std::to_string(kChannelFileLimit) + " bytes; not a channel list";
        return out;
    }
    QJsonParseError err{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &err);
    if (err.error != QJsonParseError::NoError) {
        out.error = "not a channel list: " + err.errorString().toStdString() + " at character " +
                    std::to_string(err.offset);
        return out;
    }
    const QJsonObject root = doc.object();
    if (!doc.isObject() ||
        root.value(QLatin1String("format")).toString().toStdString() != kChannelListFormat) {
        out.error = "not a channel list of this program (no \"format\": \"" + std::string(kChannelListFormat) + "\")";
        return out;
    }
    if (root.value(QLatin1String("formatVersion")).toDouble() != kChannelListVersion) {
        out.error = "channel list format version is not one this program reads (it reads " +
                    std::to_string(kChannelListVersion) + ")";
        return out;
    }
    ChannelRange range;
    std::vector<SavedChannel> held;
    if (!channelBlockFromJson(root.value(QLatin1String("channels")), range, held, out.error))
        return out;
    const QJsonObject labels = root.value(QLatin1String("labels")).toObject();
    for (const SavedChannel& c : held) {
        ChannelEntry e{c.channel, c.content, {}};
        if (auto why = channelProblem(c.content)) {
            out.notes.push_back({0, c.channel, *why, true});
            continue;
        }
        e.label = ChannelTable::cleanLabel(labels.value(QString::number(c.channel)).toString().toStdString());
        out.channels.push_back(std::move(e));
    }
    return out;
}

} // namespace qx
