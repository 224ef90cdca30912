#include "rigserver/RigLineParser.h"

namespace qx::rig {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool isText(std::string_view line)
{
    for (char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 || (c < 0x20 && !isBlank(ch)) || c == 0x7F)
            return false;
    }
    return true;
}

bool isPunct(char c)
{
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') || (c >= '{' && c <= '~');
}

// A leading punctuation mark asks for the extended response; these few are
// commands or reserved instead, as in Hamlib's own server.
bool marksExtended(char c)
{
    return isPunct(c) && c != '\\' && c != '_' && c != '#' && c != '(' && c != ')' && c != '?';
}

class Cursor {
public:
    explicit Cursor(std::string_view s) : s_(s) {}
    bool atEnd()
    {
        skipBlanks();
        return pos_ >= s_.size();
    }
    char peek() const { return s_[pos_]; }
    char next() { return s_[pos_++]; }
    std::string_view peekWord()
    {
        const std::size_t from = pos_;
        const std::string_view w = word();
        pos_ = from;
        return w;
    }
    std::string_view word()
    {
        skipBlanks();
        const std::size_t from = pos_;
        while (pos_ < s_.size() && !isBlank(s_[pos_]))
            ++pos_;
        return s_.substr(from, pos_ - from);
    }
    // The rest of the line after one blank, blanks inside kept.
    std::string_view rest()
    {
        if (pos_ < s_.size() && isBlank(s_[pos_]))
            ++pos_;
        std::string_view r = s_.substr(pos_);
        pos_ = s_.size();
        while (!r.empty() && (r.back() == '\r' || r.back() == '\n'))
            r.remove_suffix(1);
        return r;
    }

private:
    void skipBlanks()
    {
        while (pos_ < s_.size() && isBlank(s_[pos_]))
            ++pos_;
    }
    std::string_view s_;
    std::size_t pos_ = 0;
};

bool isVfoToken(std::string_view w)
{
    for (std::string_view v : {"VFOA", "VFOB", "VFOC", "currVFO", "VFO", "MEM", "Main", "Sub", "TX", "RX", "MainA",
                               "MainB", "MainC", "SubA", "SubB", "SubC", "None"})
        if (w == v)
            return true;
    return false;
}

// Reads the arguments of `c`; false when the line ends before they do.
bool readArguments(Cursor& in, ParsedCommand& c)
{
    // A VFO name cannot be mistaken for any argument, so clients in VFO mode
    // and clients without it are both understood.
    if (!c.entry->noVfo && isVfoToken(in.peekWord()))
        c.vfo = std::string(in.word());
    if (c.entry->restOfLine) {
        const std::string_view r = in.rest();
        if (r.empty())
            return false;
        c.args.emplace_back(r);
        return true;
    }
    for (int i = 0; i < c.entry->args; ++i) {
        const std::string_view w = in.word();
        if (w.empty())
            return false;
        c.args.emplace_back(w);
        if (i == 0 && w == "?")
            break;
    }
    return true;
}

} // namespace

std::vector<ParsedCommand> parseLine(std::string_view line)
{
    std::vector<ParsedCommand> out;
    if (!isText(line)) {
        ParsedCommand bad;
        bad.status = kInvalid;
        out.push_back(bad);
        return out;
    }
    Cursor in(line);
    while (!in.atEnd()) {
        if (in.peek() == '#')
            break;
        ParsedCommand c;
        if (in.peek() == '+' || marksExtended(in.peek())) {
            c.extended = true;
            const char mark = in.next();
            c.separator = mark == '+' ? '\n' : mark;
        }
        if (!in.atEnd() && in.peek() == '\\') {
            in.next();
            c.entry = findByName(in.word());
        } else if (!in.atEnd()) {
            c.entry = findByLetter(in.next());
        }
        if (!c.entry) {
            c.status = kNotImplemented;
            out.push_back(c);
            break;
        }
        if (!readArguments(in, c))
            c.status = kInvalid;
        out.push_back(std::move(c));
    }
    return out;
}

} // namespace qx::rig
