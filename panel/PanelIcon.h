// The program's icon, drawn in code so that the binary needs no files.
#pragma once
#include <QIcon>

namespace qx::panel {

QIcon panelIcon();
QPixmap panelIconPixmap(int size);

} // namespace qx::panel
