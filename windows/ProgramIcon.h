// The program's icon, drawn in code: a small transceiver front with its
// display and dial, set on every dialog the program opens.
#pragma once
#include <QIcon>

namespace qx {

QIcon programIcon();

} // namespace qx
