// Turns SIGTERM, SIGINT, SIGHUP and SIGQUIT into an orderly quit on the Qt thread,
// so that a program stopped by the desktop, Ctrl+C or a closed terminal
// leaves the radio as a closed window does. The handler only writes the
// signal's number to a socket pair; a notifier on the event loop reads it
// and runs `quit` once. One instance at a time; the handlers it replaced
// come back when it goes.
#pragma once
#include <QObject>

#include <csignal>
#include <functional>

class QSocketNotifier;

namespace qx {

class QuitOnSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignals(std::function<void()> quit, QObject* parent = nullptr);
    ~QuitOnSignals() override;
    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;

    // False when the socket pair or a handler cannot be set up.
    bool install();
    // The signal that asked for the quit; 0 while none has.
    int caught() const { return caught_; }

private:
    static void onSignal(int signal);
    void readSignal();

    std::function<void()> quit_;
    int fds_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    static constexpr int kSignalCount = 4;
    struct sigaction previous_[kSignalCount] = {};
    bool installed_ = false;
    int caught_ = 0;
};

// A peer that hangs up (a rig-server client, a network radio) makes a write
// fail with EPIPE rather than end the program: for the whole process, once,
// before any thread starts.
void ignoreBrokenPipes();

} // namespace qx
