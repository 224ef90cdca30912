#include "serial/ComSettingsFile.h"

#include "core/FileIo.h"
#include "serial/ComLink.h"
#include "serial/CsvTable.h"

#include <climits>
#include <cstdio>
#include <string>
#include <system_error>

namespace qx {

namespace fs = std::filesystem;

int decimalToInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-v);
    return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

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

} // namespace

std::string ComSettingsFile::keepAside() const
{
    const fs::path from = path();
    fs::path to = from;
    to += std::string(kBadSuffix);
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
    std::size_t k = 0;
    for (const auto& row : *table) {
        for (const auto& field : row) {
            const int v = decimalToInt(field);
            if (k == 0)
                link.setPortNumber(v);
            else if (k == 1)
                link.setBaudRate(v);
            else if (k == 2)
                link.setReserved(v);
            ++k;
        }
    }
    return true;
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
