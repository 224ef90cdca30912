#include "serial/ComSettingsFile.h"

#include "serial/ComLink.h"
#include "serial/CsvTable.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <string>
#include <system_error>
#include <unistd.h>

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

bool ComSettingsFile::read(ComLink& link) const
{
    if (pathTooLong())
        return false;
    const auto table = readCsvFile(path());
    std::size_t fieldCount = 0;
    if (table) {
        for (const auto& row : *table)
            fieldCount += row.size();
    }
    if (fieldCount == 0) {
        link.setPortNumber(ComLink::kDefaultPort);
        link.setBaudRate(ComLink::kDefaultBaud);
        link.setReserved(0);
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

bool ComSettingsFile::write(const ComLink& link) const
{
    if (pathTooLong())
        return false;
    std::error_code ec;
    fs::create_directories(baseDir_ / kFolder, ec);
    if (ec && !fs::is_directory(baseDir_ / kFolder))
        return false;

    char line[64];
    const int len = std::snprintf(line, sizeof line, "%d,%d,%d\n", link.portNumber(), link.baudRate(),
                                  link.reserved());
    if (len <= 0 || static_cast<std::size_t>(len) >= sizeof line)
        return false;

    const fs::path target = path();
    std::string tmp = target.native() + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return false;
    bool ok = true;
    for (int done = 0; ok && done < len;) {
        const ssize_t n = ::write(fd, line + done, static_cast<std::size_t>(len - done));
        if (n > 0)
            done += static_cast<int>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            ok = false;
    }
    ok = ok && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int dir = ::open((baseDir_ / kFolder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace qx
