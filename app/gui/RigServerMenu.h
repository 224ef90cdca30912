// The rig server in the main window: a "Rig Server..." item in the Setup
// menu that moves or stops the server and remembers the choice, and the
// operator's message box when the server could not listen.
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QMainWindow;
class QAction;

namespace qx {

class RigServerHost;

class RigServerMenu : public QObject {
    Q_OBJECT
public:
    // `showNotice` puts the server's standing warning (open to the network)
    // where the operator keeps seeing it; it gets an empty text when none holds.
    using ShowNotice = std::function<void(const QString&)>;
    RigServerMenu(QMainWindow& window, RigServerHost& host, ShowNotice noticeLine = {});

    QAction* action() const { return action_; }
    // The dialog, or the message box, open now (null when none).
    QWidget* openWindow() const;

private:
    void openDialog();
    void showProblem();
    void showNotice();

    QMainWindow& window_;
    RigServerHost& host_;
    ShowNotice showNotice_;
    QAction* action_ = nullptr;
    QPointer<QWidget> open_;
};

} // namespace qx
