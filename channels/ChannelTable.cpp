#include "channels/ChannelTable.h"

#include "channels/ChannelLimits.h"

namespace qx {

ChannelRow& ChannelTable::at(int channel)
{
    return rows_[static_cast<std::size_t>(channel - MemoryChannel::kFirst)];
}

const ChannelRow& ChannelTable::row(int channel) const
{
    static const ChannelRow none;
    if (!MemoryChannel::validChannel(channel))
        return none;
    return rows_[static_cast<std::size_t>(channel - MemoryChannel::kFirst)];
}

void ChannelTable::put(const ChannelChange& c)
{
    ChannelRow& r = at(c.channel);
    r.content = c.content;
    r.label = c.label;
}

std::vector<RefusedChange> ChannelTable::apply(const std::vector<ChannelChange>& changes)
{
    std::vector<RefusedChange> refused;
    Step step;
    for (const ChannelChange& c : changes) {
        if (!MemoryChannel::validChannel(c.channel)) {
            refused.push_back({c.channel, "channel " + std::to_string(c.channel) + " is not within 1 to 504"});
            continue;
        }
        if (c.content)
            if (auto why = channelProblem(*c.content)) {
                refused.push_back({c.channel, *why});
                continue;
            }
        const ChannelRow& r = at(c.channel);
        ChannelChange after{c.channel, c.content, cleanLabel(c.label)};
        if (r.content == after.content && r.label == after.label)
            continue;
        step.before.push_back({c.channel, r.content, r.label});
        put(after);
        step.after.push_back(std::move(after));
    }
    if (!step.after.empty()) {
        undo_.push_back(std::move(step));
        if (undo_.size() > kUndoDepth)
            undo_.erase(undo_.begin());
        redo_.clear();
    }
    return refused;
}

bool ChannelTable::undo()
{
    if (undo_.empty())
        return false;
    Step s = std::move(undo_.back());
    undo_.pop_back();
    for (const ChannelChange& c : s.before)
        put(c);
    redo_.push_back(std::move(s));
    return true;
}

bool ChannelTable::redo()
{
    if (redo_.empty())
        return false;
    Step s = std::move(redo_.back());
    redo_.pop_back();
    for (const ChannelChange& c : s.after)
        put(c);
    undo_.push_back(std::move(s));
    return true;
}

void ChannelTable::takeReading(int channel, const std::optional<MemoryChannel>& onRadio)
{
    if (!MemoryChannel::validChannel(channel))
        return;
    ChannelRow& r = at(channel);
    const bool untouched = r.read ? !r.edited() : !r.content;
    if (untouched)
        r.content = onRadio;
    r.onRadio = onRadio;
    r.read = true;
}

void ChannelTable::setLabels(const std::vector<std::pair<int, std::string>>& labels)
{
    for (const auto& [channel, text] : labels)
        if (MemoryChannel::validChannel(channel))
            at(channel).label = cleanLabel(text);
}

std::vector<int> ChannelTable::edited() const
{
    std::vector<int> out;
    for (int ch = MemoryChannel::kFirst; ch <= MemoryChannel::kLast; ++ch)
        if (row(ch).edited())
            out.push_back(ch);
    return out;
}

std::vector<int> ChannelTable::overwrites() const
{
    std::vector<int> out;
    for (int ch : edited())
        if (!row(ch).read || row(ch).onRadio)
            out.push_back(ch);
    return out;
}

std::vector<std::pair<int, std::string>> ChannelTable::labels() const
{
    std::vector<std::pair<int, std::string>> out;
    for (int ch = MemoryChannel::kFirst; ch <= MemoryChannel::kLast; ++ch)
        if (!row(ch).label.empty())
            out.emplace_back(ch, row(ch).label);
    return out;
}

std::string ChannelTable::cleanLabel(std::string_view text)
{
    std::string out;
    for (char ch : text) {
        const auto u = static_cast<unsigned char>(ch);
        if (u < 0x20 || u == 0x7f)
            ch = ' ';
        out += ch;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    while (!out.empty() && out.front() == ' ')
        out.erase(0, 1);
    if (out.size() > kLabelMax) {
        out.resize(kLabelMax);
        // Never end on part of a UTF-8 character.
        std::size_t start = out.size() - 1;
        while (start > 0 && (static_cast<unsigned char>(out[start]) & 0xC0) == 0x80)
            --start;
        const auto lead = static_cast<unsigned char>(out[start]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (start + length > out.size())
            out.resize(start);
    }
    return out;
}

} // namespace qx
