#include "core/KeyValueFile.h"

#include "core/FileIo.h"

#include <algorithm>
#include <system_error>

namespace qx {

namespace {

std::string trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// Keys and values are single lines; anything else could not be read back.
std::string oneLine(std::string s)
{
    std::replace(s.begin(), s.end(), '\n', ' ');
    std::replace(s.begin(), s.end(), '\r', ' ');
    return trimmed(s);
}

} // namespace

bool KeyValueFile::load()
{
    lines_.clear();
    const FileRead r = readRegularFile(path_, kMaxBytes);
    if (!r.text) {
        error_ = r.error;
        return false;
    }
    std::size_t at = 0;
    const std::string& text = *r.text;
    while (at < text.size()) {
        auto end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        const auto eq = line.find('=');
        std::string key = eq == std::string::npos || line.starts_with('#') ? "" : trimmed(line.substr(0, eq));
        if (key.empty())
            lines_.push_back({"", line});
        else
            lines_.push_back({key, trimmed(line.substr(eq + 1))});
    }
    error_.clear();
    return true;
}

bool KeyValueFile::save()
{
    std::error_code ec;
    if (path_.has_parent_path())
        std::filesystem::create_directories(path_.parent_path(), ec);
    std::string text;
    for (const Line& l : lines_)
        text += l.key.empty() ? l.text + "\n" : l.key + " = " + l.text + "\n";
    return writeFileAtomically(path_, text, error_);
}

std::optional<std::string> KeyValueFile::get(const std::string& key) const
{
    for (const Line& l : lines_)
        if (!l.key.empty() && l.key == key)
            return l.text;
    return std::nullopt;
}

void KeyValueFile::set(const std::string& key, const std::string& value)
{
    const std::string k = oneLine(key);
    if (k.empty() || k.find('=') != std::string::npos)
        return;
    for (Line& l : lines_)
        if (l.key == k) {
            l.text = oneLine(value);
            return;
        }
    lines_.push_back({k, oneLine(value)});
}

void KeyValueFile::erase(const std::string& key)
{
    std::erase_if(lines_, [&](const Line& l) { return !l.key.empty() && l.key == key; });
}

} // namespace qx
