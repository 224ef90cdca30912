// The MENU LIST window: every setup-menu entry with its range and setting
// on one line, a setting dialog per entry (double click or Enter), and one
// confirmation that writes all changes to the radio. It works on its own
// copy of the entries; CANCEL drops the copy.
//
// After OK with changes it posts UM_REQ_EX_SET and, with auto-information
// on, reads the flag entries back once the writer has taken them; the
// window reports its end (UM_MENULIST_DONE) after those reads are queued.
#pragma once
#include "menu/ui/MenuListRows.h"
#include "windows/AuxWindow.h"

#include <vector>

class QListWidget;
class QPushButton;
class QTimer;

namespace qx {

// What the window remembers from one opening to the next; the main window
// keeps one for the whole run.
struct MenuListMemory {
    int selectedRow = 0;
};
MenuListMemory& menuListMemory();

class CMenuListDlg : public AuxWindow {
    Q_OBJECT
public:
    CMenuListDlg(WindowContext& ctx, QWidget* parent = nullptr, MenuListMemory* memory = nullptr);

    QListWidget* list() const { return list_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    const MenuListRows& rows() const { return rows_; }

    // Shows the row's setting dialog modally and redraws the row after OK.
    void openSetting(int row);

    // One step of the wait for the writer before the flag read-backs (driven
    // by a 10 ms timer); false once everything is queued and the end reported.
    bool readBackTick();
    bool readingBack() const { return !reads_.empty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PendingRead {
        int slot = 0;
        bool taken = false;   // the writer has cleared the entry's changed flag
        bool queued = false;
    };

    void buildControls();
    void fitWholeRows();
    void refreshRow(int row);
    void confirm();

    MenuListMemory* memory_;
    MenuListRows rows_;
    QListWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* readBackTimer_ = nullptr;
    std::vector<PendingRead> reads_;
    int readBackTicks_ = 0;
};

} // namespace qx
