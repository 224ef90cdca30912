// "Version information": the program's version and one line about it.
#pragma once
#include <QDialog>

class QLabel;

namespace qx {

class CVersionDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVersionDlg(QWidget* parent = nullptr);

    QLabel* versionLine() const { return version_; }
    QLabel* infoLine() const { return info_; }

private:
    QLabel* version_ = nullptr;
    QLabel* info_ = nullptr;
};

} // namespace qx
