// Base of the modeless auxiliary windows and dialogs. The main window
// creates one on demand, forwards it the notifications of its row in
// AuxWindowKind.h, and destroys it when the window reports its end.
#pragma once
#include "core/Message.h"
#include "windows/AuxWindowKind.h"
#include "windows/WindowContext.h"

#include <QDialog>

class QKeyEvent;
class QShowEvent;

namespace qx {

class AuxKeyTap;

class AuxWindow : public QDialog {
    Q_OBJECT
public:
    AuxWindow(AuxKind kind, WindowContext& ctx, QWidget* parent = nullptr);
    ~AuxWindow() override;

    AuxKind kind() const { return kind_; }
    // A notification forwarded by the main window; only the ids of this
    // window's row arrive here.
    virtual void onNotification(const Message& m) { (void)m; }
    // True once the end has been reported.
    bool finished() const { return finished_; }

protected:
    // Reports the end to the main window once (sends the row's done message
    // with wParam) and hides the window; the main window destroys it.
    void finish(std::uint64_t wParam = 0);
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    // Enter presses only a button the window made its default on purpose
    // (the OK of a one-field dialog); every other button loses the dialog's
    // habit of taking Enter, so a key typed in a field never plays, keys or
    // switches anything on the radio.
    void showEvent(QShowEvent* e) override;
    // Every key pressed in the window, whichever control has the focus, is
    // offered to the function-key macros before anything else sees it;
    // while this is false the keys keep their normal meaning.
    virtual bool macroKeysAllowed() const { return true; }

    WindowContext& ctx_;

private:
    friend class AuxKeyTap;
    // True when the macros consumed the key.
    bool offerToMacros(const QKeyEvent& e);

    AuxKind kind_;
    bool finished_ = false;
    AuxKeyTap* keyTap_ = nullptr;
};

} // namespace qx
