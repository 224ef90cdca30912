#include "panel/boxes/BoxText.h"

#include "core/ErrorMessages.h"

#include <QLabel>

namespace qx {

QLabel* boxLabel(int stringId, QWidget* parent)
{
    const auto text = operatorText(stringId).value_or("");
    auto* label = new QLabel(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 1.1);
    label->setFont(f);
    return label;
}

// 218 x 81 dialog units at the usual 1.5 / 1.625 pixels per unit.
QSize boxSize() { return {327, 132}; }

} // namespace qx
