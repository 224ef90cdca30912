// The font of a key's caption on the panel: the panel's key size, made
// smaller and then narrower until the caption leaves room at both edges of
// its key (a five-letter caption on a narrow key would otherwise touch them).
#pragma once
#include "panel/PanelLayout.h"

#include <QFont>

namespace qx::panel {

inline constexpr double kKeyCaptionMargin = 3; // px each side

QFont keyCaptionFont(const KeySpot& key);
// The room either side of the caption in that font; negative when it overflows.
double keyCaptionRoom(const KeySpot& key);

} // namespace qx::panel
