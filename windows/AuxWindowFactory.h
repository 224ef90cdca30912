// Makes the window of a kind; null for a kind that has no window yet (its
// menu command then does nothing).
#pragma once
#include "windows/AuxWindow.h"

namespace qx {

AuxWindow* createAuxWindow(AuxKind kind, WindowContext& ctx, QWidget* parent);

} // namespace qx
