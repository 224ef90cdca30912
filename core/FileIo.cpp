#include "core/FileIo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace qx {

namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

std::string systemError() { return std::strerror(errno); }

const char* kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a file";
}

std::string notRegular(mode_t mode)
{
    return std::string("not a regular file (") + kindOf(mode) + "); it was left as it is";
}

} // namespace

bool checkWriteTarget(const std::filesystem::path& target, std::string& why)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        // Absent (or a dangling link): the write creates it. Anything else
        // (no permission to look) the write itself will report.
        return true;
    }
    if (S_ISREG(st.st_mode))
        return true;
    why = notRegular(st.st_mode);
    return false;
}

int openRegularFileForWriting(const std::filesystem::path& target, WriteMode mode, std::string& why)
{
    if (!checkWriteTarget(target, why))
        return -1;
    const int how = mode == WriteMode::Append ? O_APPEND : O_TRUNC;
    Fd fd(::open(target.c_str(), O_WRONLY | O_CREAT | how | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        // A FIFO put there after the check, with no reader, ends here (ENXIO).
        why = errno == ENXIO ? std::string("not a regular file (a FIFO); it was left as it is") : systemError();
        return -1;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        why = systemError();
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        why = notRegular(st.st_mode);
        return -1;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    return fd.release();
}

FileRead readRegularFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    FileRead r;
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        r.error = systemError();
        return r;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        r.error = systemError();
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.error = "not a regular file";
        return r;
    }
    std::string text;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            r.error = systemError();
            return r;
        }
        if (n == 0)
            break;
        if (text.size() + static_cast<std::size_t>(n) > maxBytes) {
            r.error = "larger than " + std::to_string(maxBytes) + " bytes";
            return r;
        }
        text.append(buf, static_cast<std::size_t>(n));
    }
    r.text = std::move(text);
    return r;
}

bool writeFileAtomically(const std::filesystem::path& target, std::string_view content, std::string& why)
{
    if (!checkWriteTarget(target, why))
        return false;
    std::string tmp = target.native() + ".XXXXXX";
    Fd fd(::mkstemp(tmp.data()));
    if (fd.get() < 0) {
        why = systemError();
        return false;
    }
    bool ok = true;
    for (std::size_t done = 0; ok && done < content.size();) {
        const ssize_t n = ::write(fd.get(), content.data() + done, content.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            ok = false;
    }
    ok = ok && ::fchmod(fd.get(), 0644) == 0 && ::fsync(fd.get()) == 0;
    if (!ok)
        why = systemError();
    if (::close(fd.release()) != 0 && ok) {
        why = systemError();
        ok = false;
    }
    // Once more just before the rename: the write may have taken a while.
    if (ok && !checkWriteTarget(target, why))
        ok = false;
    else if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) {
        why = systemError();
        ok = false;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    // Make the rename itself durable.
    const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return true;
}

} // namespace qx
