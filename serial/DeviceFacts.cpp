#include "serial/DeviceFacts.h"

#include "core/FileIo.h"
#include "serial/DevicePaths.h"

#include <charconv>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <sys/sysmacros.h>
#include <system_error>
#include <unistd.h>

namespace qx {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kNamedHolders = 4;
// A machine with more descriptors than this is not searched further.
constexpr std::size_t kScannedDescriptors = 200'000;
// A process's one-line status files are far shorter.
constexpr std::size_t kProcLineLimit = 4096;

bool isNumber(const std::string& s)
{
    unsigned long n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

std::string programName(const fs::path& processDir)
{
    const FileRead comm = readRegularFile(processDir / "comm", kProcLineLimit);
    const std::string name = comm.text ? comm.text->substr(0, comm.text->find('\n')) : std::string();
    return name.empty() ? "a program" : name;
}

bool sessionInGroup(gid_t gid)
{
    if (::getegid() == gid)
        return true;
    const int n = ::getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(n));
    const int got = ::getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid)
            return true;
    return false;
}

} // namespace

void addPermissionFacts(OpenFailure& f, const struct stat& st)
{
    f.groupIsRoot = st.st_gid == 0;
    std::vector<char> buf(16 * 1024);
    group g{};
    group* found = nullptr;
    if (::getgrgid_r(st.st_gid, &g, buf.data(), buf.size(), &found) == 0 && found)
        f.group = found->gr_name;
    f.sessionHasGroup = sessionInGroup(st.st_gid);
    if (!found || f.sessionHasGroup)
        return;
    std::vector<char> pbuf(16 * 1024);
    passwd p{};
    passwd* user = nullptr;
    if (::getpwuid_r(::geteuid(), &p, pbuf.data(), pbuf.size(), &user) != 0 || !user)
        return;
    if (user->pw_gid == st.st_gid) {
        f.userListedInGroup = true;
        return;
    }
    for (char** m = found->gr_mem; m && *m; ++m)
        if (std::string_view(*m) == user->pw_name)
            f.userListedInGroup = true;
}

void addHolders(OpenFailure& f, dev_t rdev, const fs::path& procDir)
{
    const std::string self = std::to_string(::getpid());
    std::size_t scanned = 0;
    std::error_code ec;
    for (fs::directory_iterator p(procDir, ec), end; !ec && p != end; p.increment(ec)) {
        const std::string pid = p->path().filename().string();
        if (!isNumber(pid))
            continue;
        std::error_code fdError;
        for (fs::directory_iterator d(p->path() / "fd", fdError), dend; !fdError && d != dend;
             d.increment(fdError)) {
            if (++scanned > kScannedDescriptors)
                return;
            struct stat st {};
            if (::stat(d->path().c_str(), &st) != 0 || !S_ISCHR(st.st_mode) || st.st_rdev != rdev)
                continue;
            if (pid == self)
                f.heldHere = true;
            else if (f.holders.size() < kNamedHolders)
                f.holders.push_back(programName(p->path()) + " (process " + pid + ")");
            break;
        }
    }
}

bool isControllingTerminal(dev_t rdev, const fs::path& procDir)
{
    std::error_code ec;
    for (fs::directory_iterator p(procDir, ec), end; !ec && p != end; p.increment(ec)) {
        if (!isNumber(p->path().filename().string()))
            continue;
        const FileRead file = readRegularFile(p->path() / "stat", kProcLineLimit);
        const std::string stat = file.text ? file.text->substr(0, file.text->find('\n')) : std::string();
        // pid (comm) state ppid pgrp session tty_nr: comm may hold anything but ')'s last.
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream fields(stat.substr(close + 1));
        std::string state;
        long long ppid = 0, pgrp = 0, session = 0, ttyNr = 0;
        if (!(fields >> state >> ppid >> pgrp >> session >> ttyNr) || ttyNr == 0)
            continue;
        const auto nr = static_cast<unsigned long long>(ttyNr);
        const unsigned maj = static_cast<unsigned>((nr >> 8) & 0xfff);
        const unsigned min = static_cast<unsigned>((nr & 0xff) | ((nr >> 12) & 0xfff00));
        if (maj == major(rdev) && min == minor(rdev))
            return true;
    }
    return false;
}

std::optional<std::string> characterDeviceClass(dev_t rdev, const fs::path& sysDir)
{
    const fs::path entry =
        sysDir / "dev" / "char" / (std::to_string(major(rdev)) + ":" + std::to_string(minor(rdev))) / "subsystem";
    std::error_code ec;
    const fs::path target = fs::read_symlink(entry, ec);
    if (ec || target.filename().empty())
        return std::nullopt;
    return target.filename().string();
}

std::string fileKindText(mode_t mode)
{
    if (S_ISREG(mode))
        return "a regular file";
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISCHR(mode))
        return "a character device that is no terminal";
    return "not a device";
}

std::vector<PresentDevice> presentSerialDevices(const fs::path& devDir)
{
    const DevicePaths paths({}, devDir);
    std::vector<PresentDevice> out;
    for (auto& path : paths.serialDevices()) {
        PresentDevice d{path, paths.byIdName(path).value_or("")};
        out.push_back(std::move(d));
    }
    return out;
}

} // namespace qx
