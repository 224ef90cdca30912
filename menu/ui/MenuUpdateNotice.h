// The box the main window raises when the radio's menu changed under an
// open MENU LIST window ("EX" answer, UM_ANS_OTHER or UM_ANS_DA): the list
// then shows stale values and the operator should reopen it. One box at a
// time; it is modal but does not block the caller, so answers keep flowing.
#pragma once
#include <QPointer>

class QMessageBox;
class QWidget;

namespace qx {

class MenuUpdateNotice {
public:
    // Raises the box unless one is up; true when a box was raised.
    bool raise(QWidget* parent);
    bool showing() const { return !box_.isNull(); }
    QMessageBox* box() const { return box_.data(); }

private:
    QPointer<QMessageBox> box_;
};

} // namespace qx
