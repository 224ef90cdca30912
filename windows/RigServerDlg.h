// "Rig Server": whether other programs (WSJT-X, fldigi, a logger) may share
// the radio through the Hamlib network protocol, and on which port. The
// address stays the one the program was started with; only an address
// written out (command line or rcp720.conf) opens the server to other
// computers.
#pragma once
#include "rigserver/ListenAddress.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace qx {

class CRigServerDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRigServerDlg(const rig::ListenAddress& current, QWidget* parent = nullptr);

    // What the operator chose (meaningful once accepted).
    rig::ListenAddress choice() const;

    QCheckBox* serveBox() const { return serve_; }
    QSpinBox* portBox() const { return port_; }

private:
    rig::ListenAddress current_;
    QCheckBox* serve_ = nullptr;
    QSpinBox* port_ = nullptr;
    QLabel* where_ = nullptr;
};

} // namespace qx
