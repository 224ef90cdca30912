#include "app/SingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qx {

std::string SingleInstance::defaultLockPath()
{
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir)
        return std::string(dir) + "/RCP-720.lock";
    return "/tmp/RCP-720-" + std::to_string(::getuid()) + ".lock";
}

SingleInstance::SingleInstance(std::string lockPath)
{
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return;
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0)
        second_ = (errno == EWOULDBLOCK);
}

SingleInstance::~SingleInstance()
{
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace qx
