// "Audio..." in the Setup menu: the remote audio's devices, kept in the
// settings file and used at once.
#pragma once
#include <QObject>

class QAction;
class QMainWindow;

namespace qx {

class AudioHost;

class AudioMenu : public QObject {
    Q_OBJECT
public:
    AudioMenu(QMainWindow& window, AudioHost& host);
    QAction* action() const { return action_; }

private:
    void openDialog();

    QMainWindow& window_;
    AudioHost& host_;
    QAction* action_;
};

} // namespace qx
