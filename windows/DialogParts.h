// Pieces the small dialogs share: a digits-only field, the OK/CANCEL row
// (OK default) wired to accept and reject, and the display font.
#pragma once
#include <QFont>

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace qx {

QLineEdit* digitField(int maxDigits);
// Returns the row; the OK and CANCEL buttons are its first two widgets.
QHBoxLayout* okCancelRow(QDialog* dialog, QPushButton** ok = nullptr, QPushButton** cancel = nullptr);
QFont displayFont(int pixelSize);

} // namespace qx
