#include "windows/AuxWindow.h"

#include "windows/MacroKeys.h"

#include <QCloseEvent>

namespace qx {

AuxWindow::AuxWindow(AuxKind kind, WindowContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx), kind_(kind)
{
    setModal(false);
}

void AuxWindow::finish(std::uint64_t wParam)
{
    if (finished_)
        return;
    finished_ = true;
    hide();
    ctx_.outbox.sendToWindow({auxWindowRow(kind_).doneMessage, wParam, 0});
}

void AuxWindow::closeEvent(QCloseEvent* e)
{
    finish();
    e->accept();
}

void AuxWindow::reject()
{
    // Esc and the close box end the window the same way.
    finish();
}

void AuxWindow::keyPressEvent(QKeyEvent* e)
{
    if (ctx_.macros && macroKeysAllowed() && ctx_.macros->handleKey(*e, false))
        return;
    QDialog::keyPressEvent(e);
}

} // namespace qx
