// "Connecting the COM port now." (dialog 902), shown by the panel while the
// connection attempts run. Its OK and Cancel buttons exist but stay hidden.
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace qx {

class CConnectingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CConnectingDlg(QWidget* parent = nullptr);
    QLabel* text() const { return text_; }

private:
    QLabel* text_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace qx
