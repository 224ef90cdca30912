// The common look of the two message boxes: a centred operator text in a
// box of the dialogs' size.
#pragma once
#include <QSize>

class QLabel;
class QWidget;

namespace qx {

QLabel* boxLabel(int stringId, QWidget* parent);
QSize boxSize();

} // namespace qx
