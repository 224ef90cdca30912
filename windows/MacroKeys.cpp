#include "windows/MacroKeys.h"

namespace qx {

MacroKeys::MacroKeys(Outbox& outbox, MacroSender::SendRaw sendRaw, std::filesystem::path baseDir,
                     std::function<void()> openVersion)
    : sender_(outbox, std::move(sendRaw)), file_(std::move(baseDir)), openVersion_(std::move(openVersion))
{
}

std::optional<MacroKey> MacroKeys::macroKeyOf(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return static_cast<MacroKey>(qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_PageUp: return MacroKey::PageUp;
    case Qt::Key_PageDown: return MacroKey::PageDown;
    case Qt::Key_Home: return MacroKey::Home;
    case Qt::Key_End: return MacroKey::End;
    default: return std::nullopt;
    }
}

MacroModifier MacroKeys::modifierOf(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        return MacroModifier::Shift;
    if (modifiers & Qt::ControlModifier)
        return MacroModifier::Ctrl;
    if (modifiers & Qt::AltModifier)
        return MacroModifier::Alt;
    return MacroModifier::None;
}

bool MacroKeys::handleKey(const QKeyEvent& e, bool allowF1)
{
    const auto key = macroKeyOf(e.key());
    return key && handleKey(*key, modifierOf(e.modifiers()), allowF1);
}

bool MacroKeys::handleKey(MacroKey key, MacroModifier modifier, bool allowF1)
{
    const MacroKeyAction action = macroKeyAction(key, modifier);
    switch (action.kind) {
    case MacroKeyAction::NotHandled:
        return false;
    case MacroKeyAction::OpenVersion:
        if (allowF1 && openVersion_)
            openVersion_();
        return true;
    case MacroKeyAction::SendLine:
        break;
    }
    // A key the file gives no command keeps its own meaning: Home and End
    // move the caret, Page Up and Down scroll.
    const auto table = file_.read();
    if (!table)
        return false;
    const std::string& line = (*table)[static_cast<std::size_t>(action.line)];
    if (line.find(';') == std::string::npos)
        return false;
    if (!sender_.busy())
        sender_.start(line);
    return true;
}

} // namespace qx
