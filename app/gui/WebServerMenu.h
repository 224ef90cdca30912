// The remote station in the main window: "Web Server..." in the Setup menu
// (where it listens, or off; remembered), "Web Control at the Radio" (the
// operator here takes control from the web and gives it back), and a
// message box when the server could not start or the transmitter guard
// released the transmitter.
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

class QAction;
class QMainWindow;

namespace qx {

class WebHost;

class WebServerMenu : public QObject {
    Q_OBJECT
public:
    WebServerMenu(QMainWindow& window, WebHost& host);

    QAction* addressAction() const { return address_; }
    QAction* controlAction() const { return control_; }
    // A message for the operator at the radio (a transmit time-out).
    void tell(const QString& text);

private:
    void openDialog();
    void showProblem();

    QMainWindow& window_;
    WebHost& host_;
    QAction* address_ = nullptr;
    QAction* control_ = nullptr;
    QPointer<QWidget> open_;
};

} // namespace qx
