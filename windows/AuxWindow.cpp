#include "windows/AuxWindow.h"

#include "windows/MacroKeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>

namespace qx {

// Sees key presses before the focused control does: a text field would
// otherwise keep Home and End, a list Page Up and Page Down, and the window
// would never learn of them. It watches the whole application because
// controls come and go with the window's state; anything that belongs to
// another window is let through untouched.
class AuxKeyTap : public QObject {
public:
    explicit AuxKeyTap(AuxWindow& window) : QObject(&window), window_(window)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~AuxKeyTap() override
    {
        if (auto* app = QCoreApplication::instance())
            app->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        if (windowOf(static_cast<QWidget*>(watched)) != &window_)
            return false;
        return window_.offerToMacros(*static_cast<QKeyEvent*>(event));
    }

private:
    // A drop-down's open list is a window of its own; its keys belong to the
    // window that holds the drop-down.
    static QWidget* windowOf(QWidget* w)
    {
        QWidget* top = w->window();
        while (top->windowType() == Qt::Popup && top->parentWidget())
            top = top->parentWidget()->window();
        return top;
    }

    AuxWindow& window_;
};

AuxWindow::AuxWindow(AuxKind kind, WindowContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx), kind_(kind)
{
    setModal(false);
    keyTap_ = new AuxKeyTap(*this);
}

AuxWindow::~AuxWindow()
{
    // Gone before the window is half destroyed, so no key reaches a window
    // that no longer exists.
    delete keyTap_;
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

void AuxWindow::showEvent(QShowEvent* e)
{
    // Runs before QDialog would pick the first such button as its default.
    for (QPushButton* b : findChildren<QPushButton*>())
        if (!b->isDefault())
            b->setAutoDefault(false);
    QDialog::showEvent(e);
}

void AuxWindow::reject()
{
    // Esc and the close box end the window the same way.
    finish();
}

bool AuxWindow::offerToMacros(const QKeyEvent& e)
{
    // Auxiliary windows never open the version window with F1.
    return ctx_.macros && macroKeysAllowed() && ctx_.macros->handleKey(e, false);
}

} // namespace qx
