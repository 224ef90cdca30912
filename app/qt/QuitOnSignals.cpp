#include "app/qt/QuitOnSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace qx {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};

// The write end for the handler; a signal handler can reach nothing else.
volatile std::sig_atomic_t g_writeFd = -1;

} // namespace

QuitOnSignals::QuitOnSignals(std::function<void()> quit, QObject* parent) : QObject(parent), quit_(std::move(quit)) {}

QuitOnSignals::~QuitOnSignals()
{
    if (installed_) {
        for (int i = 0; i < kSignalCount; ++i)
            ::sigaction(kSignals[i], &previous_[i], nullptr);
        g_writeFd = -1;
    }
    delete notifier_;
    for (int fd : fds_)
        if (fd >= 0)
            ::close(fd);
}

void QuitOnSignals::onSignal(int signal)
{
    const int saved = errno;
    const int fd = g_writeFd;
    if (fd >= 0) {
        const char byte = static_cast<char>(signal);
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

bool QuitOnSignals::install()
{
    if (installed_)
        return true;
    if (g_writeFd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0)
        return false;
    notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignal(); });
    g_writeFd = fds_[0];
    struct sigaction action = {};
    action.sa_handler = &QuitOnSignals::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &action, &previous_[i]);
    installed_ = true;
    return true;
}

void ignoreBrokenPipes()
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, nullptr);
}

void QuitOnSignals::readSignal()
{
    char bytes[16];
    const ssize_t n = ::read(fds_[1], bytes, sizeof bytes);
    if (n <= 0 || caught_ != 0)
        return;
    caught_ = static_cast<unsigned char>(bytes[0]);
    if (quit_)
        quit_();
}

} // namespace qx
