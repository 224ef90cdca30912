#include "channels/ChannelLabels.h"

#include "channels/ChannelTable.h"
#include "core/FileIo.h"
#include "state/MemoryChannel.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace qx {
namespace {

constexpr std::size_t kLabelFileLimit = 1024 * 1024;

QJsonObject readRoot(const std::filesystem::path& path, std::string& error)
{
    const FileRead read = readRegularFile(path, kLabelFileLimit);
    if (!read.text) {
        error = read.error;
        return {};
    }
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(*read.text));
    if (!doc.isObject()) {
        error = "not a label file";
        return {};
    }
    return doc.object();
}

} // namespace

std::vector<std::pair<int, std::string>> ChannelLabels::load(const std::string& radioId)
{
    error_.clear();
    std::vector<std::pair<int, std::string>> out;
    const QJsonObject radio =
        readRoot(path_, error_).value(QLatin1String("radios")).toObject().value(QString::fromStdString(radioId)).toObject();
    for (auto it = radio.begin(); it != radio.end(); ++it) {
        bool ok = false;
        const int channel = it.key().toInt(&ok);
        const std::string label = ChannelTable::cleanLabel(it.value().toString().toStdString());
        if (ok && MemoryChannel::validChannel(channel) && !label.empty())
            out.emplace_back(channel, label);
    }
    return out;
}

bool ChannelLabels::save(const std::string& radioId, const std::vector<std::pair<int, std::string>>& labels)
{
    std::string ignored;
    QJsonObject root = readRoot(path_, ignored);
    QJsonObject radios = root.value(QLatin1String("radios")).toObject();
    QJsonObject mine;
    for (const auto& [channel, label] : labels)
        mine.insert(QString::number(channel), QString::fromStdString(label));
    radios.insert(QString::fromStdString(radioId), mine);
    root.insert("radios", radios);
    std::error_code ec;
    if (path_.has_parent_path())
        std::filesystem::create_directories(path_.parent_path(), ec);
    if (!writeFileAtomically(path_, QJsonDocument(root).toJson().toStdString(), error_)) {
        error_ = "cannot write " + path_.string() + ": " + error_;
        return false;
    }
    return true;
}

} // namespace qx
