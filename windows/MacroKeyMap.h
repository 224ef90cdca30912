// Which macro line a key stands for, by modifier: Shift is tested before
// Ctrl, Alt only applies to system key presses. Keys not in the map keep
// their normal meaning (Alt+F4 closes, plain F10 opens the menu bar).
#pragma once

namespace qx {

enum class MacroKey { F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12, PageUp, PageDown, Home, End };
enum class MacroModifier { None, Shift, Ctrl, Alt };

struct MacroKeyAction {
    enum Kind { NotHandled, OpenVersion, SendLine } kind = NotHandled;
    int line = -1;
};

MacroKeyAction macroKeyAction(MacroKey key, MacroModifier modifier);

} // namespace qx
