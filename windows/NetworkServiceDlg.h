// The dialog of a network service the program offers beside the rig server
// ("XML-RPC Server", "Radio Info Broadcast"): whether it runs and on which
// port. The address stays the one the program was started with; only the
// command line reaches other computers.
#pragma once
#include "rigserver/ListenAddress.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace qx {

struct NetworkServiceTexts {
    QString title;     // the window title and the Setup item, without "..."
    QString onText;    // the check box: what running it means
    QString thisComputer;  // "Address %1: this computer only" or what suits the service
    int defaultPort;
};

class CNetworkServiceDlg : public QDialog {
    Q_OBJECT
public:
    CNetworkServiceDlg(const NetworkServiceTexts& texts, const rig::ListenAddress& current, QWidget* parent = nullptr);

    // What the operator chose (meaningful once accepted).
    rig::ListenAddress choice() const;

    QCheckBox* onBox() const { return on_; }
    QSpinBox* portBox() const { return port_; }

private:
    rig::ListenAddress current_;
    QCheckBox* on_ = nullptr;
    QSpinBox* port_ = nullptr;
};

} // namespace qx
