// The function-key macros as the windows see them: the main window and
// every auxiliary window offer each key press here first (an auxiliary
// window before its focused control sees the key) and skip their own
// handling when it is consumed. The main window also calls
// continueSending() when its timer 39 fires.
#pragma once
#include "windows/MacroKeyFile.h"
#include "windows/MacroKeyMap.h"
#include "windows/MacroSender.h"

#include <QKeyEvent>

#include <functional>
#include <optional>

namespace qx {

class MacroKeys {
public:
    MacroKeys(Outbox& outbox, MacroSender::SendRaw sendRaw, std::filesystem::path baseDir,
              std::function<void()> openVersion);

    // True when the key was consumed: plain F1, and a key whose line in the
    // key file holds a command (swallowed while a macro is being sent). A
    // key the file defines nothing for is left to the window. allowF1:
    // plain F1 opens the version window (the main window with no auxiliary
    // window open).
    bool handleKey(const QKeyEvent& e, bool allowF1);
    bool handleKey(MacroKey key, MacroModifier modifier, bool allowF1);
    void continueSending() { sender_.continueSending(); }
    bool busy() const { return sender_.busy(); }

    static std::optional<MacroKey> macroKeyOf(int qtKey);
    static MacroModifier modifierOf(Qt::KeyboardModifiers modifiers);

private:
    MacroSender sender_;
    MacroKeyFile file_;
    std::function<void()> openVersion_;
};

} // namespace qx
