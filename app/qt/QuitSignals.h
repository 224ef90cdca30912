// SIGINT, SIGTERM and SIGHUP end the program the orderly way (the Qt loop
// quits, then the usual shutdown releases the transmitter and closes the
// port), as a service manager or a Ctrl-C expects of a rig daemon. The
// handler only writes a byte to a pipe; the UI thread does the rest.
#pragma once
#include <QObject>

class QSocketNotifier;

namespace qx {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace qx
