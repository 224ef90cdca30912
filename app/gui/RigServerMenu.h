// The rig server in the main window: a "Rig Server..." item in the Setup
// menu that moves or stops the server and remembers the choice, and the
// operator's message box when the server could not listen.
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

class QMainWindow;
class QAction;

namespace qx {

class RigServerHost;

class RigServerMenu : public QObject {
    Q_OBJECT
public:
    RigServerMenu(QMainWindow& window, RigServerHost& host);

    QAction* action() const { return action_; }
    // The dialog, or the message box, open now (null when none).
    QWidget* openWindow() const;

private:
    void openDialog();
    void showProblem();

    QMainWindow& window_;
    RigServerHost& host_;
    QAction* action_ = nullptr;
    QPointer<QWidget> open_;
};

} // namespace qx
