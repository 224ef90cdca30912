#include "app/ConsoleCommand.h"

#include "app/WindowMessageNames.h"

#include <charconv>
#include <optional>
#include <vector>

namespace qx {
namespace {

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t')
            ++j;
        if (j > i)
            out.push_back(line.substr(i, j - i));
        i = j;
    }
    return out;
}

// Words of which a double-quoted one may hold blanks; nothing for a quote left open.
std::optional<std::vector<std::string>> quotedWords(std::string_view line)
{
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i == line.size())
            break;
        if (line[i] == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string_view::npos)
                return std::nullopt;
            out.emplace_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t')
            ++j;
        out.emplace_back(line.substr(i, j - i));
        i = j;
    }
    return out;
}

// "all", "none", "N" or "N-M", within 1 to 504.
bool channelRange(std::string_view w, int& first, int& last)
{
    if (w == "all") {
        first = 1;
        last = 504;
        return true;
    }
    if (w == "none") {
        first = last = 0;
        return true;
    }
    const std::size_t dash = w.find('-');
    const std::string_view a = w.substr(0, dash);
    const std::string_view b = dash == std::string_view::npos ? a : w.substr(dash + 1);
    auto [ea, ca] = std::from_chars(a.data(), a.data() + a.size(), first);
    auto [eb, cb] = std::from_chars(b.data(), b.data() + b.size(), last);
    return ca == std::errc() && cb == std::errc() && ea == a.data() + a.size() && eb == b.data() + b.size() &&
           first >= 1 && last <= 504 && first <= last;
}

bool number(std::string_view w, std::int64_t& out)
{
    int base = 10;
    if (w.size() > 2 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X')) {
        w.remove_prefix(2);
        base = 16;
    }
    auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), out, base);
    return ec == std::errc() && end == w.data() + w.size();
}

// Milliseconds a wait or sleep may hold the console.
bool holdTime(std::string_view w, std::int64_t& out)
{
    return number(w, out) && out >= 0 && out <= ConsoleCommand::kMaxHoldMs;
}

const std::string kHoldLimit = "at most " + std::to_string(ConsoleCommand::kMaxHoldMs) + " (one hour)";

ConsoleCommand invalid(std::string why)
{
    ConsoleCommand c;
    c.verb = ConsoleCommand::Verb::Invalid;
    c.error = std::move(why);
    return c;
}

} // namespace

ConsoleCommand parseConsoleLine(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    const auto w = words(line);
    ConsoleCommand c;
    if (w.empty() || w[0].front() == '#')
        return c;
    const std::string_view verb = w[0];
    using V = ConsoleCommand::Verb;

    if (verb == "post") {
        if (w.size() < 2 || w.size() > 4)
            return invalid("usage: post NAME [SELECTOR] [VALUE]");
        c.verb = V::Post;
        c.name = w[1];
        if (w.size() >= 3 && !number(w[2], c.selector))
            return invalid("post: SELECTOR must be a number");
        if (w.size() == 4 && !number(w[3], c.value))
            return invalid("post: VALUE must be a number");
        return c;
    }
    if (verb == "send") {
        // The text is everything after the verb, as typed.
        const std::size_t at = line.find("send") + 4;
        std::string_view text = line.substr(at);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        if (text.empty())
            return invalid("usage: send TEXT");
        c.verb = V::Send;
        c.name = text;
        return c;
    }
    if (verb == "get") {
        if (w.size() != 2)
            return invalid("usage: get ENTRY");
        c.verb = V::Get;
        c.name = w[1];
        return c;
    }
    if (verb == "menu") {
        if (w.size() != 2 || !number(w[1], c.value))
            return invalid("usage: menu SLOT");
        c.verb = V::Menu;
        return c;
    }
    if (verb == "wait") {
        if (w.size() < 2 || w.size() > 3)
            return invalid("usage: wait NAME [MS]");
        c.verb = V::Wait;
        c.name = w[1];
        c.value = ConsoleCommand::kDefaultWaitMs;
        if (w.size() == 3 && !holdTime(w[2], c.value))
            return invalid("wait: MS must be a number of milliseconds, " + kHoldLimit);
        // Any other name would never come, and the wait would only time out.
        if (!isWindowMessageName(c.name))
            return invalid("wait: " + c.name + " never reaches the console (not a notification or window message)");
        return c;
    }
    if (verb == "sleep") {
        if (w.size() != 2 || !holdTime(w[1], c.value))
            return invalid("usage: sleep MS (milliseconds, " + kHoldLimit + ")");
        c.verb = V::Sleep;
        return c;
    }
    if (verb == "backup" || verb == "compare" || verb == "restore") {
        const auto q = quotedWords(line);
        if (!q || q->size() < 2 || q->at(1).empty())
            return invalid(verb == "backup"    ? "usage: backup FILE [all|none|N|N-M]"
                           : verb == "compare" ? "usage: compare FILE"
                                               : "usage: restore FILE [NAME...]");
        c.name = q->at(1);
        if (verb == "backup") {
            c.verb = V::Backup;
            if (q->size() > 3 || (q->size() == 3 && !channelRange(q->at(2), c.firstChannel, c.lastChannel)))
                return invalid("backup: channels are all, none, N or N-M within 1 to 504");
        } else if (verb == "compare") {
            c.verb = V::Compare;
            if (q->size() != 2)
                return invalid("usage: compare FILE");
        } else {
            c.verb = V::Restore;
            c.names.assign(q->begin() + 2, q->end());
        }
        return c;
    }
    if (verb == "channels") {
        const auto q = quotedWords(line);
        const std::string usage =
            "usage: channels read [N|N-M] | channels export FILE | channels import FILE [--write] | channels recall N";
        if (!q || q->size() < 2)
            return invalid(usage);
        c.verb = V::Channels;
        const std::string& action = q->at(1);
        using A = ConsoleCommand::ChannelAction;
        if (action == "read") {
            c.channelAction = A::Read;
            if (q->size() > 3 || (q->size() == 3 && (!channelRange(q->at(2), c.firstChannel, c.lastChannel) ||
                                                     c.firstChannel == 0)))
                return invalid("channels read: channels are N or N-M within 1 to 504");
        } else if (action == "export" || action == "import") {
            c.channelAction = action == "export" ? A::Export : A::Import;
            if (q->size() < 3 || q->at(2).empty())
                return invalid(usage);
            c.name = q->at(2);
            if (q->size() == 4 && action == "import" && q->at(3) == "--write")
                c.writeToRadio = true;
            else if (q->size() > 3)
                return invalid(usage);
        } else if (action == "recall") {
            c.channelAction = A::Recall;
            if (q->size() != 3 || !channelRange(q->at(2), c.firstChannel, c.lastChannel) || c.firstChannel == 0 ||
                c.firstChannel != c.lastChannel)
                return invalid("channels recall: N is one channel within 1 to 504");
        } else {
            return invalid(usage);
        }
        return c;
    }
    if (verb == "quit" || verb == "exit") {
        c.verb = V::Quit;
        return c;
    }
    return invalid("unknown command: " + std::string(verb));
}

} // namespace qx
