#include "channels/ChirpCsv.h"

#include "channels/ChannelLimits.h"
#include "channels/ChannelTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

namespace qx {
namespace {

struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

struct Split {
    std::vector<Record> records;
    std::string error;
};

// RFC 4180 with either line ending; a record's line is the one it starts on.
Split splitCsv(std::string_view text)
{
    Split out;
    Record rec;
    std::string field;
    bool quoted = false;
    bool fieldWasQuoted = false;
    bool any = false;
    int line = 1;
    int quoteLine = 0;
    rec.line = 1;
    auto endField = [&] {
        rec.fields.push_back(std::move(field));
        field.clear();
        fieldWasQuoted = false;
    };
    auto endRecord = [&] {
        if (any || !rec.fields.empty()) {
            endField();
            out.records.push_back(std::move(rec));
        }
        rec = Record{};
        any = false;
        rec.line = line;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\0') {
            out.error = "not a text file (it holds NUL bytes)";
            return out;
        }
        if (quoted) {
            if (ch == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == '\n')
                    ++line;
                field += ch;
            }
            continue;
        }
        if (ch == '"' && field.empty() && !fieldWasQuoted) {
            quoted = fieldWasQuoted = any = true;
            quoteLine = line;
        } else if (ch == ',') {
            endField();
            any = true;
        } else if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        } else if (ch == '\n' || ch == '\r') {
            ++line;
            endRecord();
        } else if (fieldWasQuoted) {
            out.error = "line " + std::to_string(line) + ": text after a closing quote; not CSV";
            return out;
        } else {
            field += ch;
            any = true;
        }
    }
    if (quoted) {
        out.error = "line " + std::to_string(quoteLine) + ": a quote is never closed; not CSV";
        return out;
    }
    endRecord();
    return out;
}

std::string upper(std::string_view s)
{
    std::string u(s);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::optional<long long> wholeNumber(std::string_view s, long long lo, long long hi)
{
    s = trim(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 9)
        return std::nullopt;
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    v = negative ? -v : v;
    if (v < lo || v > hi)
        return std::nullopt;
    return v;
}

// CHIRP's mode names first, then the radio's own.
struct ModeName {
    std::string_view chirp;
    int mode;
};
constexpr std::array<ModeName, 9> kChirpModes = {{{"LSB", 1},
                                                  {"USB", 2},
                                                  {"CW", 3},
                                                  {"FM", 4},
                                                  {"AM", 5},
                                                  {"RTTY", 6},
                                                  {"CWR", 7},
                                                  {"DIG", 8},
                                                  {"RTTYR", 9}}};

std::optional<int> modeOf(std::string_view name)
{
    const std::string u = upper(trim(name));
    for (const ModeName& m : kChirpModes)
        if (u == m.chirp)
            return m.mode;
    return channelModeFromName(u);
}

std::string_view chirpModeName(int mode)
{
    for (const ModeName& m : kChirpModes)
        if (m.mode == mode)
            return m.chirp;
    return "";
}

constexpr std::array<std::string_view, 24> kColumns = {
    "Location", "Name",     "Frequency", "Duplex",   "Offset",   "Tone",     "rToneFreq", "cToneFreq",
    "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep", "Skip",     "Power",
    "Comment",  "URCALL",   "RPT1CALL",  "RPT2CALL", "DVCODE",   "Clarifier", "ClarRX",   "ClarTX"};

class RowReader {
public:
    RowReader(const std::map<std::string, std::size_t>& columns, const Record& rec, std::optional<long long> shift,
              ChannelImport& out)
        : columns_(columns), rec_(rec), shift_(shift), out_(out)
    {
    }

    bool has(const char* column) const { return columns_.count(upper(column)) != 0; }

    std::string_view field(const char* column) const
    {
        const auto it = columns_.find(upper(column));
        if (it == columns_.end() || it->second >= rec_.fields.size())
            return {};
        return trim(rec_.fields[it->second]);
    }

    void note(int channel, std::string text, bool refused)
    {
        out_.notes.push_back({rec_.line, channel, std::move(text), refused});
    }

    std::optional<ChannelEntry> read()
    {
        const std::string_view location = field("Location");
        const auto number = wholeNumber(location, -999999999, 999999999);
        if (!number) {
            note(0, "Location \"" + std::string(location) + "\" is not a channel number", true);
            return std::nullopt;
        }
        if (!MemoryChannel::validChannel(*number)) {
            note(0, "channel " + std::to_string(*number) + " is outside 1 to 504", true);
            return std::nullopt;
        }
        ChannelEntry e;
        e.channel = static_cast<int>(*number);
        const int ch = e.channel;
        const std::string_view freqText = field("Frequency");
        const auto hz = hertzFromMegahertz(freqText);
        if (!hz) {
            note(ch, "Frequency \"" + std::string(freqText) + "\" is not a frequency in MHz", true);
            return std::nullopt;
        }
        e.content = defaultChannel(*hz);
        MemoryChannel& c = e.content;

        if (has("Mode")) {
            const std::string_view mode = field("Mode");
            const auto m = modeOf(mode);
            if (!m) {
                note(ch, "mode \"" + std::string(mode) + "\" is not one the radio has", true);
                return std::nullopt;
            }
            c.mode = *m;
        } else {
            note(ch, "no Mode column: " + std::string(channelModeName(c.mode)) + " taken for the frequency", false);
        }

        const std::string duplex = upper(field("Duplex"));
        if (duplex == "SPLIT") {
            note(ch, "a separate transmit frequency (Duplex \"split\") cannot be held: the radio's channels hold one "
                     "frequency and its repeater shift", true);
            return std::nullopt;
        }
        if (duplex == "OFF") {
            note(ch, "transmit off (Duplex \"off\") cannot be held", true);
            return std::nullopt;
        }
        if (duplex == "+" || duplex == "-") {
            c.shift = duplex == "+" ? 1 : 2;
            const std::string_view offsetText = field("Offset");
            const auto offset = hertzFromMegahertz(offsetText);
            if (!offset) {
                note(ch, "Offset \"" + std::string(offsetText) + "\" is not a frequency in MHz", true);
                return std::nullopt;
            }
            if (!shift_)
                note(ch, "offset " + megahertzText(*offset) +
                             " MHz could not be checked: the radio's repeater shift is not known", false);
            else if (*offset != *shift_)
                note(ch, "offset " + megahertzText(*offset) + " MHz is not the radio's repeater shift (" +
                             megahertzText(*shift_) + " MHz); the radio will shift by its own", false);
        } else if (!duplex.empty()) {
            note(ch, "Duplex \"" + std::string(field("Duplex")) + "\" is not one of \"\", \"+\", \"-\"", true);
            return std::nullopt;
        }

        if (!readTone(ch, c))
            return std::nullopt;
        if (!readClarifier(ch, c))
            return std::nullopt;

        if (auto why = channelProblem(c)) {
            note(ch, *why, true);
            return std::nullopt;
        }
        if (!field("Power").empty())
            note(ch, "power level \"" + std::string(field("Power")) + "\" not kept: the radio's channels have none",
                 false);
        if (!field("Skip").empty())
            note(ch, "scan skip \"" + std::string(field("Skip")) + "\" not kept: the radio's channels have none",
                 false);
        if (!field("Comment").empty())
            note(ch, "comment not kept: \"" + std::string(field("Comment")) + "\"", false);
        const std::string_view name = field("Name");
        e.label = ChannelTable::cleanLabel(name);
        if (e.label != name)
            note(ch, "name kept as \"" + e.label + "\" (at most " + std::to_string(ChannelTable::kLabelMax) +
                         " printable characters)", false);
        return e;
    }

private:
    bool readTone(int ch, MemoryChannel& c)
    {
        const std::string tone = upper(field("Tone"));
        const std::string_view rTone = field("rToneFreq");
        const std::string_view cTone = field("cToneFreq");
        if (tone.empty()) {
            c.toneMode = 0;
            if (auto t = toneFromHzText(rTone))
                c.tone = *t;
            return true;
        }
        if (tone == "TONE" || tone == "TSQL") {
            const std::string_view hz = tone == "TONE" ? rTone : cTone;
            const auto t = toneFromHzText(hz);
            if (!t) {
                note(ch, "tone " + std::string(hz) + " Hz is not one of the radio's 50 CTCSS tones", true);
                return false;
            }
            c.toneMode = tone == "TONE" ? 2 : 1;
            c.tone = *t;
            return true;
        }
        if (tone == "DTCS" || tone == "DTCS-R")
            note(ch, "DTCS (code " + std::string(field("DtcsCode")) + ") cannot be held: the radio has CTCSS only", true);
        else if (tone == "CROSS")
            note(ch, "cross tone mode \"" + std::string(field("CrossMode")) + "\" cannot be held", true);
        else if (tone == "TSQL-R")
            note(ch, "reverse tone squelch (TSQL-R) cannot be held", true);
        else
            note(ch, "Tone \"" + std::string(field("Tone")) + "\" is not a tone mode", true);
        return false;
    }

    bool readClarifier(int ch, MemoryChannel& c)
    {
        const std::string_view offset = field("Clarifier");
        const std::string_view rx = field("ClarRX");
        const std::string_view tx = field("ClarTX");
        const auto o = offset.empty() ? std::optional<long long>(0) : wholeNumber(offset, -9999, 9999);
        const auto r = rx.empty() ? std::optional<long long>(0) : wholeNumber(rx, 0, 1);
        const auto t = tx.empty() ? std::optional<long long>(0) : wholeNumber(tx, 0, 1);
        if (!o || !r || !t) {
            note(ch, "the clarifier columns hold an offset of -9999 to 9999 Hz and two flags of 0 or 1", true);
            return false;
        }
        c.offset = static_cast<int>(*o);
        c.rxClarifier = static_cast<int>(*r);
        c.txClarifier = static_cast<int>(*t);
        return true;
    }

    const std::map<std::string, std::size_t>& columns_;
    const Record& rec_;
    std::optional<long long> shift_;
    ChannelImport& out_;
};

bool isComment(const Record& r)
{
    return !r.fields.empty() && !r.fields.front().empty() && trim(r.fields.front()).substr(0, 1) == "#";
}

bool isBlank(const Record& r)
{
    return std::all_of(r.fields.begin(), r.fields.end(), [](const std::string& f) { return trim(f).empty(); });
}

std::string csvField(std::string_view s)
{
    if (s.find_first_of(",\"\r\n") == std::string_view::npos && trim(s) == s)
        return std::string(s);
    std::string out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

ChannelImport readChirpCsv(std::string_view text, std::optional<long long> repeaterShiftHz)
{
    ChannelImport out;
    if (text.size() > kChannelFileLimit) {
        out.error = "larger than " + std::to_string(kChannelFileLimit) + " bytes; not a channel list";
        return out;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    Split split = splitCsv(text);
    if (!split.error.empty()) {
        out.error = split.error;
        return out;
    }
    std::size_t at = 0;
    while (at < split.records.size() && (isComment(split.records[at]) || isBlank(split.records[at])))
        ++at;
    if (at == split.records.size()) {
        out.error = "no header line: not a CHIRP CSV file";
        return out;
    }
    const Record& header = split.records[at];
    std::map<std::string, std::size_t> columns;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = upper(trim(header.fields[i]));
        if (name.empty())
            continue;
        if (!columns.emplace(name, i).second) {
            out.error = "line " + std::to_string(header.line) + ": column \"" + std::string(trim(header.fields[i])) +
                        "\" appears twice";
            return out;
        }
    }
    for (std::string_view needed : {std::string_view("Location"), std::string_view("Frequency")})
        if (!columns.count(upper(needed))) {
            out.error = "line " + std::to_string(header.line) + ": no \"" + std::string(needed) + "\" column: not a CHIRP CSV file (its columns are Location, Name, Frequency, Duplex, Offset, "
                        "Tone, ...)";
            return out;
        }
    std::map<int, int> lineOf;
    for (std::size_t i = at + 1; i < split.records.size(); ++i) {
        const Record& rec = split.records[i];
        if (isComment(rec) || isBlank(rec))
            continue;
        RowReader row(columns, rec, repeaterShiftHz, out);
        if (rec.fields.size() > header.fields.size()) {
            row.note(0, "has " + std::to_string(rec.fields.size()) + " fields, the header " +
                            std::to_string(header.fields.size()), true);
            continue;
        }
        auto e = row.read();
        if (!e)
            continue;
        if (auto [it, fresh] = lineOf.emplace(e->channel, rec.line); !fresh) {
            out.channels.clear();
            out.notes.clear();
            out.error = "line " + std::to_string(rec.line) + ": channel " + std::to_string(e->channel) +
                        " is already on line " + std::to_string(it->second) + "; which one is meant is not clear";
            return out;
        }
        out.channels.push_back(std::move(*e));
    }
    std::sort(out.channels.begin(), out.channels.end(),
              [](const ChannelEntry& a, const ChannelEntry& b) { return a.channel < b.channel; });
    return out;
}

std::string writeChirpCsv(const std::vector<ChannelEntry>& channels, std::optional<long long> repeaterShiftHz)
{
    std::string out;
    for (std::size_t i = 0; i < kColumns.size(); ++i)
        out += (i ? "," : "") + std::string(kColumns[i]);
    out += "\r\n";
    for (const ChannelEntry& e : channels) {
        const MemoryChannel& c = e.content;
        const std::string tone(toneHzText(c.tone).empty() ? "88.5" : toneHzText(c.tone));
        const std::string offset = c.shift == 0 ? megahertzText(0) : megahertzText(repeaterShiftHz.value_or(0));
        const std::array<std::string, kColumns.size()> fields = {
            std::to_string(e.channel),
            csvField(e.label),
            megahertzText(c.frequency),
            c.shift == 1 ? "+" : c.shift == 2 ? "-" : "",
            offset,
            c.toneMode == 2 ? "Tone" : c.toneMode == 1 ? "TSQL" : "",
            tone,
            tone,
            "023",
            "NN",
            "023",
            "Tone->Tone",
            std::string(chirpModeName(c.mode)),
            "5.00",
            "",
            "",
            "",
            "",
            "",
            "",
            "",
            std::to_string(c.offset),
            std::to_string(c.rxClarifier),
            std::to_string(c.txClarifier)};
        for (std::size_t i = 0; i < fields.size(); ++i)
            out += (i ? "," : "") + fields[i];
        out += "\r\n";
    }
    return out;
}

std::string noteText(const ImportNote& n)
{
    std::string s = n.line > 0 ? "line " + std::to_string(n.line) : std::string("file");
    if (n.channel > 0)
        s += " (channel " + std::to_string(n.channel) + ")";
    s += ": " + n.text;
    if (n.rowRefused)
        s += "; row left out";
    return s;
}

} // namespace qx
