#include "serial/ComSettingsFile.h"

#include "core/FileIo.h"
#include "serial/ComLink.h"
#include "serial/CsvTable.h"

#include <charconv>
#include <optional>
#include <cstdio>
#include <string>
#include <system_error>

namespace qx {

namespace fs = std::filesystem;

ComSettingsFile::ComSettingsFile(fs::path baseDir, bool secondInstance)
    : baseDir_(std::move(baseDir)), fileName_(secondInstance ? kSecondFileName : kFileName)
{
}

fs::path ComSettingsFile::path() const { return baseDir_ / kFolder / fileName_; }

bool ComSettingsFile::pathTooLong() const
{
    return baseDir_.native().size() + kFolder.size() + fileName_.size() >= kPathLimit;
}

namespace {

void tell(std::string* why, std::string text)
{
    if (why)
        *why = std::move(text);
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// A whole decimal number with an optional sign and blanks around it.
std::optional<int> wholeNumber(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return v;
}

// The field as the operator may recognise it: short, bytes that do not
// print written as \xNN.
std::string shown(std::string_view field)
{
    std::string out;
    for (const char c : field.substr(0, 24)) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        }
    }
    return field.size() > 24 ? out + "..." : out;
}

// Field k (0: port, 1: speed, 2: reserved) into the link; what was wrong
// with it, or nothing.
std::string takeField(ComLink& link, std::size_t k, std::string_view field)
{
    static constexpr const char* kNames[] = {"the port number", "the speed", "the third value"};
    const auto v = wholeNumber(field);
    if (!v) {
        if (k == 0)
            link.setPortNumber(ComLink::kDefaultPort);
        else if (k == 1)
            link.setBaudRate(ComLink::kDefaultBaud);
        else
            link.setReserved(0);
        return std::string(kNames[k]) + " \"" + shown(field) + "\" is not a number";
    }
    if (k == 0 && !link.setPortNumber(*v))
        return "port " + std::to_string(*v) + " is outside 1 to 20";
    if (k == 1 && !link.setBaudRate(*v))
        return "speed " + std::to_string(*v) + " is not one of 4800, 9600, 19200 and 38400 bit/s";
    if (k == 2)
        link.setReserved(*v);
    return {};
}

} // namespace

std::string ComSettingsFile::keepAside() const
{
    const fs::path from = path();
    fs::path to = from;
    to += std::string(kBadSuffix);
    std::string refused;
    if (!checkWriteTarget(to, refused))
        return "; it could not be renamed to " + to.filename().string() + " (" + refused + ")";
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec)
        return "; it could not be renamed to " + to.filename().string() + " (" + ec.message() + ")";
    return "; it was renamed to " + to.filename().string();
}

bool ComSettingsFile::read(ComLink& link, std::string* why) const
{
    if (pathTooLong()) {
        tell(why, path().string() + ": the path is " + std::to_string(kPathLimit) + " characters or longer");
        return false;
    }
    std::error_code ec;
    const bool present = fs::exists(fs::symlink_status(path(), ec));
    std::string error;
    const auto table = readCsvFile(path(), kMaxBytes, &error);
    std::size_t fieldCount = 0;
    if (table) {
        for (const auto& row : *table)
            fieldCount += row.size();
    }
    if (fieldCount == 0) {
        link.setPortNumber(ComLink::kDefaultPort);
        link.setBaudRate(ComLink::kDefaultBaud);
        link.setReserved(0);
        const bool empty = table && fs::file_size(path(), ec) == 0 && !ec;
        if (!present || empty)
            tell(why, path().string() + (present ? ": the file is empty" : ": no such file"));
        else
            tell(why, path().string() + ": " + (table ? std::string("no settings in it") : error) + keepAside());
        return false;
    }
    // Every field is judged: a value that cannot be taken is named, the file
    // is kept aside and the default stands for it, so the save at shutdown
    // does not replace what the operator wrote unseen.
    std::string problem;
    std::size_t k = 0;
    for (const auto& row : *table) {
        for (const auto& field : row) {
            if (k < 3) {
                std::string fault = takeField(link, k, field);
                if (problem.empty())
                    problem = std::move(fault);
            }
            ++k;
        }
    }
    if (problem.empty())
        return true;
    tell(why, path().string() + ": " + problem + keepAside());
    return false;
}

bool ComSettingsFile::write(const ComLink& link, std::string* why) const
{
    if (pathTooLong()) {
        tell(why, path().string() + ": the path is " + std::to_string(kPathLimit) + " characters or longer");
        return false;
    }
    const fs::path folder = baseDir_ / kFolder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec && !fs::is_directory(folder)) {
        tell(why, folder.string() + ": " + ec.message());
        return false;
    }

    char line[64];
    const int len = std::snprintf(line, sizeof line, "%d,%d,%d\n", link.portNumber(), link.baudRate(),
                                  link.reserved());
    if (len <= 0 || static_cast<std::size_t>(len) >= sizeof line)
        return false;

    std::string reason;
    if (writeFileAtomically(path(), std::string_view(line, static_cast<std::size_t>(len)), reason))
        return true;
    tell(why, path().string() + ": " + reason);
    return false;
}

} // namespace qx
