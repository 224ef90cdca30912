#include "sim/PtyLine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace qx::sim {

PtyLine::~PtyLine()
{
    close();
    unlink();
}

bool PtyLine::open()
{
    close();
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return false;
    char name[PATH_MAX] = {};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0) {
        ::close(master);
        return false;
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0) {
        ::close(master);
        return false;
    }
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    master_ = master;
    slave_ = slave;
    slaveName_ = name;
    return true;
}

void PtyLine::close()
{
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = -1;
    slave_ = -1;
}

bool PtyLine::link(const std::string& path)
{
    if (path.empty() || slaveName_.empty())
        return false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode) || ::unlink(path.c_str()) != 0)
            return false;
    }
    if (::symlink(slaveName_.c_str(), path.c_str()) != 0)
        return false;
    linkPath_ = path;
    return true;
}

void PtyLine::unlink()
{
    struct stat st {};
    if (!linkPath_.empty() && ::lstat(linkPath_.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        ::unlink(linkPath_.c_str());
    linkPath_.clear();
}

long PtyLine::read(char* buffer, std::size_t size)
{
    if (master_ < 0)
        return -1;
    const ssize_t n = ::read(master_, buffer, size);
    if (n >= 0)
        return n;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

long PtyLine::write(std::string_view bytes)
{
    if (master_ < 0)
        return -1;
    const ssize_t n = ::write(master_, bytes.data(), bytes.size());
    if (n >= 0)
        return n;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

} // namespace qx::sim
