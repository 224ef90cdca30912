// The panel's palette.
#pragma once
#include <QColor>

namespace qx::panel::colours {

inline const QColor kBodyTop{58, 60, 64};
inline const QColor kBodyBottom{28, 29, 32};
inline const QColor kLcdGlass{14, 22, 30};
inline const QColor kLcdGlassEdge{6, 10, 14};
inline const QColor kLit{255, 176, 64};
inline const QColor kLitSoft{255, 200, 120};
inline const QColor kGhost{40, 50, 58};
inline const QColor kSelected{120, 220, 255};
inline const QColor kCaption{205, 208, 214};
inline const QColor kKeyTop{88, 90, 96};
inline const QColor kKeyBottom{52, 54, 58};
inline const QColor kLampOn{90, 255, 120};
inline const QColor kLampOff{30, 60, 36};
inline const QColor kPointer{255, 0, 0};
inline const QColor kLabelLit{255, 150, 40};

} // namespace qx::panel::colours
