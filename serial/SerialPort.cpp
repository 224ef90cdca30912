#include "serial/SerialPort.h"

#include "serial/DeviceCheck.h"
#include "serial/DeviceFacts.h"

#include <cerrno>
#include <cstring>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

namespace qx {

namespace {

bool speedFor(int baud, speed_t& out)
{
    switch (baud) {
    case 4800: out = B4800; return true;
    case 9600: out = B9600; return true;
    case 19200: out = B19200; return true;
    case 38400: out = B38400; return true;
    default: return false;
    }
}

bool isHangUp(int err) { return err == EIO || err == ENXIO || err == ENODEV; }

} // namespace

int writeTimeoutMs(std::size_t bytes)
{
    const std::size_t ms = 500 + 10 * bytes;
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

OpenFailure openFailureFor(int err, const std::string& path, const struct stat* st)
{
    OpenFailure f;
    f.path = path;
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        f.kind = OpenFailure::Kind::Missing;
        f.present = presentSerialDevices();
        return f;
    case EACCES:
    case EPERM:
        if (!st)
            break;
        f.kind = OpenFailure::Kind::NoPermission;
        addPermissionFacts(f, *st);
        return f;
    case EBUSY:
        f.kind = OpenFailure::Kind::Busy;
        if (st)
            addHolders(f, st->st_rdev);
        return f;
    default:
        break;
    }
    f.kind = OpenFailure::Kind::Other;
    f.systemText = std::strerror(err);
    return f;
}

std::unique_ptr<SerialPort> SerialPort::open(const std::string& path, int baud, std::string* why)
{
    auto fail = [why](const std::string& reason) -> std::unique_ptr<SerialPort> {
        if (why)
            *why = reason;
        return nullptr;
    };
    speed_t speed{};
    if (!speedFor(baud, speed))
        return fail("unsupported line speed " + std::to_string(baud) + " bit/s");
    // Looked at before opening: opening some things has effects of its own.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return fail(describeOpenFailure(openFailureFor(errno, path, nullptr)));
    if (const auto refused = refusedDevice(path, st))
        return fail(describeOpenFailure(*refused));
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(describeOpenFailure(openFailureFor(errno, path, &st)));
    std::unique_ptr<SerialPort> port(new SerialPort(fd));

    OpenFailure f;
    f.path = path;
    if (!::isatty(fd)) {
        f.kind = OpenFailure::Kind::NotSerial;
        f.what = fileKindText(st.st_mode);
        return fail(describeOpenFailure(f));
    }
    // A terminal that is some session's controlling terminal is a person's
    // shell, never a radio: the commands would land on their screen.
    if (::tcgetsid(fd) == ::getsid(0)) {
        f.kind = OpenFailure::Kind::OwnTerminal;
        return fail(describeOpenFailure(f));
    }
    if (isControllingTerminal(st.st_rdev)) {
        f.kind = OpenFailure::Kind::SessionTerminal;
        return fail(describeOpenFailure(f));
    }
    // Ours alone: the advisory lock stops another copy even where the
    // exclusive mode does not (root passes it), and both stop a second
    // program from splitting the radio's answers with us.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        return fail(describeOpenFailure(openFailureFor(err == EWOULDBLOCK ? EBUSY : err, path, &st)));
    }
    port->exclusive_ = ::ioctl(fd, TIOCEXCL) == 0;

    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return fail(path + ": " + std::strerror(errno));
    ::cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
    t.c_cflag |= CS8 | CSTOPB | CREAD | CLOCAL | CRTSCTS;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::cfsetispeed(&t, speed) != 0 || ::cfsetospeed(&t, speed) != 0 || ::tcsetattr(fd, TCSANOW, &t) != 0)
        return fail(path + ": " + std::strerror(errno));
    port->errorBitsSinceLast(); // start the error counters from here
    return port;
}

SerialPort::SerialPort(int fd) : fd_(fd) {}

SerialPort::~SerialPort()
{
    // Exclusive mode outlives this descriptor while another one is open
    // (the far end of a simulator's pseudo-terminal): lift it, or our own
    // next open would be refused. Only ours: a refused open must not lift
    // the mode of the program that holds the device.
    if (exclusive_)
        ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
}

bool SerialPort::hungUpNow() const
{
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void SerialPort::noteFailure(int err)
{
    if (isHangUp(err))
        hungUp_ = true;
}

std::size_t SerialPort::bytesWaiting()
{
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0) {
        noteFailure(errno);
        return 0;
    }
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

long SerialPort::read(std::span<std::uint8_t> into)
{
    if (into.empty())
        return 0;
    const ssize_t n = ::read(fd_, into.data(), into.size());
    if (n > 0)
        return static_cast<long>(n);
    if (n == 0) {
        // A hung-up terminal reads as end of file, which looks like no data.
        if (hungUpNow()) {
            hungUp_ = true;
            return -1;
        }
        return 0;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
        return 0;
    noteFailure(errno);
    return -1;
}

long SerialPort::write(std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    int budgetMs = writeTimeoutMs(bytes.size());
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            noteFailure(errno);
            return done > 0 ? static_cast<long>(done) : -1;
        }
        // The driver's buffer is full: wait for room, within the time-out.
        if (budgetMs <= 0)
            break;
        pollfd p{fd_, POLLOUT, 0};
        const int slice = budgetMs < 50 ? budgetMs : 50;
        const int r = ::poll(&p, 1, slice);
        budgetMs -= slice;
        if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            hungUp_ = true;
            break;
        }
    }
    return static_cast<long>(done);
}

bool SerialPort::setRts(bool raised)
{
    if (noModemLines_)
        return false;
    if (rtsState_ == static_cast<int>(raised))
        return true;
    int bits = TIOCM_RTS;
    if (::ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &bits) != 0) {
        noModemLines_ = (errno == ENOTTY || errno == EINVAL);
        return false;
    }
    rtsState_ = static_cast<int>(raised);
    return true;
}

std::uint32_t SerialPort::errorBitsSinceLast()
{
#if defined(__linux__) && defined(TIOCGICOUNT)
    if (noCounters_)
        return 0;
    serial_icounter_struct c{};
    if (::ioctl(fd_, TIOCGICOUNT, &c) != 0) {
        noCounters_ = (errno == ENOTTY || errno == EINVAL); // a pty and some adapters keep none
        return 0;
    }
    const std::array<int, 5> now{c.overrun, c.buf_overrun, c.parity, c.frame, c.brk};
    static constexpr std::array<std::uint32_t, 5> bit{CommError::Overrun, CommError::RxOverflow,
                                                      CommError::Parity, CommError::Framing,
                                                      CommError::Break};
    std::uint32_t errors = 0;
    if (countersKnown_) {
        for (std::size_t i = 0; i < now.size(); ++i)
            if (now[i] != lastCounters_[i])
                errors |= bit[i];
    }
    lastCounters_ = now;
    countersKnown_ = true;
    return errors;
#else
    return 0;
#endif
}

LineStatus SerialPort::clearErrors()
{
    LineStatus s;
    s.errors = errorBitsSinceLast();
    s.inQueue = bytesWaiting();
    int out = 0;
    if (::ioctl(fd_, TIOCOUTQ, &out) == 0 && out > 0)
        s.outQueue = static_cast<std::size_t>(out);
    // No modem lines (a pty) means nothing holds the output back.
    int lines = 0;
    if (!noModemLines_) {
        if (::ioctl(fd_, TIOCMGET, &lines) == 0)
            s.ctsHold = (lines & TIOCM_CTS) == 0;
        else
            noModemLines_ = (errno == ENOTTY || errno == EINVAL);
    }

    if (hungUpNow())
        hungUp_ = true;
    s.lineDown = hungUp_;
    return s;
}

} // namespace qx
