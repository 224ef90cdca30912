// A network service's Setup item (the XML-RPC server, the radio-info
// broadcasts): the dialog that moves or stops it and remembers the choice,
// and the operator's message box when it could not start or reaches other
// computers.
#pragma once
#include "rigserver/ListenAddress.h"
#include "windows/NetworkServiceDlg.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

class QMainWindow;
class QAction;

namespace qx {

struct NetworkServiceControl {
    std::function<rig::ListenAddress()> address;
    std::function<bool(const rig::ListenAddress&)> apply;  // false: the reason is in problem()
    std::function<std::string()> problem;
};

class NetworkServiceMenu : public QObject {
    Q_OBJECT
public:
    NetworkServiceMenu(QMainWindow& window, NetworkServiceTexts texts, NetworkServiceControl control);

    QAction* action() const { return action_; }
    QWidget* openWindow() const { return open_.data(); }

private:
    void openDialog();
    void showProblem();

    QMainWindow& window_;
    NetworkServiceTexts texts_;
    NetworkServiceControl control_;
    QAction* action_ = nullptr;
    QPointer<QWidget> open_;
};

} // namespace qx
