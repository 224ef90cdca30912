#include "windows/AuxWindowFactory.h"

namespace qx {

AuxWindow* createAuxWindow(AuxKind kind, WindowContext& ctx, QWidget* parent)
{
    // One case per built window.
    switch (kind) {
    default:
        break;
    }
    (void)ctx;
    (void)parent;
    return nullptr;
}

} // namespace qx
