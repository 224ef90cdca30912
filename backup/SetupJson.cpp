#include "backup/SetupJson.h"

#include "backup/SettingText.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "menu/MenuValueRange.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <cmath>
#include <set>

namespace qx {
namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string s(const QString& q) { return q.toStdString(); }

QJsonObject channelObject(const SavedChannel& c)
{
    const MemoryChannel& m = c.content;
    return QJsonObject{{"channel", c.channel},
                       {"frequency", static_cast<qint64>(m.frequency)},
                       {"mode", m.mode},
                       {"offset", m.offset},
                       {"rxClarifier", m.rxClarifier},
                       {"txClarifier", m.txClarifier},
                       {"toneMode", m.toneMode},
                       {"tone", m.tone},
                       {"shift", m.shift},
                       {"setting", q(describeChannel(m))}};
}

// Reads one object at a time, keeping the first reason for refusing it.
class Reader {
public:
    std::string error;

    bool fail(std::string why)
    {
        if (error.empty())
            error = std::move(why);
        return false;
    }

    // A whole number within [lo, hi].
    bool integer(const QJsonObject& o, const char* key, long long lo, long long hi, long long& out,
                 const std::string& where)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::trunc(d))
            return fail(where + ": \"" + key + "\" must be a whole number");
        if (d < static_cast<double>(lo) || d > static_cast<double>(hi))
            return fail(where + ": \"" + key + "\" " + s(QString::number(d, 'g', 12)) + " is out of range (" +
                        std::to_string(lo) + " to " + std::to_string(hi) + ")");
        out = static_cast<long long>(d);
        return true;
    }

    bool integer(const QJsonObject& o, const char* key, long long lo, long long hi, int& out, const std::string& where)
    {
        long long v = 0;
        if (!integer(o, key, lo, hi, v, where))
            return false;
        out = static_cast<int>(v);
        return true;
    }

    bool text(const QJsonObject& o, const char* key, std::size_t maxLength, std::string& out, const std::string& where)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isString())
            return fail(where + ": \"" + key + "\" must be a text");
        out = s(v.toString());
        if (out.size() > maxLength)
            return fail(where + ": the text is longer than " + std::to_string(maxLength) + " characters");
        if (!displayTextOk(out))
            return fail(where + ": the text holds characters the radio cannot show (lower case, \";\" or others)");
        return true;
    }
};

bool readMenu(Reader& r, const QJsonArray& entries, const MenuTable& menu, SetupFile& f)
{
    std::set<int> seen;
    for (const QJsonValue& v : entries) {
        if (!v.isObject())
            return r.fail("menu: every entry must be an object");
        const QJsonObject o = v.toObject();
        SavedMenuEntry e;
        if (!r.integer(o, "slot", 1, MenuTable::kMaxSlots, e.slot, "menu entry"))
            return false;
        const MenuItem item = menu.getEntry(e.slot);
        const std::string where = "menu slot " + std::to_string(e.slot);
        e.name = s(o.value(QLatin1String("name")).toString());
        if (item.kind == MenuKind::Vacant || e.name != item.name.view())
            return r.fail(where + ": unknown menu entry \"" + e.name + "\"");
        if (!seen.insert(e.slot).second)
            return r.fail(where + " (" + e.name + ") appears twice");
        e.number = item.number;
        const QJsonValue value = o.value(QLatin1String("value"));
        e.value = value.toDouble(std::nan(""));
        if (!value.isDouble() || !menuValueAllowed(item, e.value)) {
            const auto span = menuValueSpan(item);
            std::string range;
            if (span)
                range = " (" + std::to_string(static_cast<long long>(span->lowest)) + " to " +
                        std::to_string(static_cast<long long>(span->highest)) + ")";
            const std::string shown = value.isDouble() ? s(QString::number(e.value, 'g', 12)) : "that is not a number";
            return r.fail(where + " (" + e.name + "): value " + shown + " is out of range" + range);
        }
        if (item.kind == MenuKind::BeaconText) {
            std::string text;
            if (!r.text(o, "text", kBeaconTextMax, text, where))
                return false;
            e.text = std::move(text);
        }
        e.setting = describeMenuValue(item, e.value, e.text.value_or(""));
        f.menu.push_back(std::move(e));
    }
    return true;
}

bool readKeyer(Reader& r, const QJsonArray& memories, SetupFile& f)
{
    std::set<int> seen;
    for (const QJsonValue& v : memories) {
        if (!v.isObject())
            return r.fail("keyer: every memory must be an object");
        const QJsonObject o = v.toObject();
        SavedKeyerMemory k;
        if (!r.integer(o, "memory", 1, kSavedKeyerMemories, k.memory, "keyer memory"))
            return false;
        const std::string where = "keyer memory " + std::to_string(k.memory);
        if (!seen.insert(k.memory).second)
            return r.fail(where + " appears twice");
        if (!r.text(o, "text", 50, k.text, where))
            return false;
        while (!k.text.empty() && k.text.back() == ' ')
            k.text.pop_back();
        f.keyer.push_back(std::move(k));
    }
    return true;
}

bool readChannels(Reader& r, const QJsonValue& v, SetupFile& f)
{
    if (v.isNull() || v.isUndefined())
        return true;
    if (!v.isObject())
        return r.fail("channels: must be an object or null");
    const QJsonObject o = v.toObject();
    ChannelRange range;
    if (!r.integer(o, "first", MemoryChannel::kFirst, MemoryChannel::kLast, range.first, "channels") ||
        !r.integer(o, "last", range.first, MemoryChannel::kLast, range.last, "channels"))
        return false;
    f.channelRange = range;
    const QJsonValue held = o.value(QLatin1String("held"));
    if (!held.isArray())
        return r.fail("channels: \"held\" must be a list");
    int previous = 0;
    for (const QJsonValue& c : held.toArray()) {
        if (!c.isObject())
            return r.fail("channels: every channel must be an object");
        const QJsonObject co = c.toObject();
        SavedChannel ch;
        if (!r.integer(co, "channel", range.first, range.last, ch.channel, "channel"))
            return false;
        const std::string where = "channel " + std::to_string(ch.channel);
        if (ch.channel <= previous)
            return r.fail(where + ": channels must be listed once each, in order");
        previous = ch.channel;
        MemoryChannel& m = ch.content;
        if (!r.integer(co, "frequency", 0, 99999999, m.frequency, where) ||
            !r.integer(co, "mode", 0, 9, m.mode, where) || !r.integer(co, "offset", -9999, 9999, m.offset, where) ||
            !r.integer(co, "rxClarifier", 0, 1, m.rxClarifier, where) ||
            !r.integer(co, "txClarifier", 0, 1, m.txClarifier, where) ||
            !r.integer(co, "toneMode", 0, 2, m.toneMode, where) || !r.integer(co, "tone", 0, 49, m.tone, where) ||
            !r.integer(co, "shift", 0, 2, m.shift, where))
            return false;
        f.channels.push_back(ch);
    }
    return true;
}

} // namespace

std::string setupToJson(const SetupFile& f)
{
    QJsonArray menu;
    for (const SavedMenuEntry& e : f.menu) {
        QJsonObject o{{"slot", e.slot},
                      {"number", e.number},
                      {"name", q(e.name)},
                      {"value", static_cast<qint64>(e.value)},
                      {"setting", q(e.setting)}};
        if (e.text)
            o.insert("text", q(*e.text));
        menu.append(o);
    }
    QJsonArray keyer;
    for (const SavedKeyerMemory& k : f.keyer)
        keyer.append(QJsonObject{{"memory", k.memory}, {"text", q(k.text)}});
    const QJsonValue channels = f.channelRange ? channelBlockToJson(*f.channelRange, f.channels) : QJsonValue::Null;
    const QJsonObject root{{"format", q(kSetupFormat)},
                           {"formatVersion", SetupFile::kFormatVersion},
                           {"program", q(f.program)},
                           {"radioId", q(f.radioId)},
                           {"saved", q(f.savedAt)},
                           {"menu", menu},
                           {"keyer", keyer},
                           {"channels", channels}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

QJsonValue channelBlockToJson(const ChannelRange& range, const std::vector<SavedChannel>& channels)
{
    QJsonArray held;
    for (const SavedChannel& c : channels)
        held.append(channelObject(c));
    return QJsonObject{{"first", range.first}, {"last", range.last}, {"held", held}};
}

bool channelBlockFromJson(const QJsonValue& block, ChannelRange& range, std::vector<SavedChannel>& held,
                          std::string& error)
{
    Reader r;
    SetupFile f;
    if (!block.isObject())
        r.fail("channels: must be an object");
    else if (readChannels(r, block, f)) {
        range = f.channelRange.value_or(ChannelRange{});
        held = std::move(f.channels);
        return true;
    }
    error = r.error;
    return false;
}

SetupParse setupFromJson(std::string_view text, const MenuTable& menu)
{
    SetupParse out;
    QJsonParseError err{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &err);
    if (err.error != QJsonParseError::NoError) {
        out.error = "not a set-up file: " + s(err.errorString()) + " at character " + std::to_string(err.offset);
        return out;
    }
    const QJsonObject root = doc.object();
    if (!doc.isObject() || root.value(QLatin1String("format")).toString() != q(kSetupFormat)) {
        out.error = "not a set-up file of this program (no \"format\": \"" + std::string(kSetupFormat) + "\")";
        return out;
    }
    const QJsonValue version = root.value(QLatin1String("formatVersion"));
    if (!version.isDouble() || version.toDouble() != SetupFile::kFormatVersion) {
        out.error = "set-up file format version " + s(QString::number(version.toDouble(), 'g', 6)) +
                    " is not one this program reads (it reads " + std::to_string(SetupFile::kFormatVersion) + ")";
        return out;
    }
    Reader r;
    SetupFile f;
    f.program = s(root.value(QLatin1String("program")).toString());
    f.savedAt = s(root.value(QLatin1String("saved")).toString());
    f.radioId = s(root.value(QLatin1String("radioId")).toString());
    const bool idOk = f.radioId.size() == 4 && f.radioId.find_first_not_of("0123456789") == std::string::npos;
    const QJsonValue menuValue = root.value(QLatin1String("menu"));
    const QJsonValue keyerValue = root.value(QLatin1String("keyer"));
    const bool ok = (idOk || r.fail("\"radioId\" must be four digits")) &&
                    (menuValue.isArray() || r.fail("\"menu\" must be a list")) &&
                    readMenu(r, menuValue.toArray(), menu, f) &&
                    (keyerValue.isArray() || keyerValue.isUndefined() || r.fail("\"keyer\" must be a list")) &&
                    readKeyer(r, keyerValue.toArray(), f) && readChannels(r, root.value(QLatin1String("channels")), f);
    if (!ok) {
        out.error = r.error;
        return out;
    }
    out.file = std::move(f);
    return out;
}

} // namespace qx
