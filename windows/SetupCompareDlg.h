// File > "Compare with radio...": opens a saved set-up and lists, side by
// side, every setting that differs from the radio now, each with a check
// box; "Restore checked" writes the checked ones back one at a time and
// shows, row by row, what the radio confirmed. Settings that only the
// operator can change (the line speed) are listed without a check box.
#pragma once
#include "windows/SetupJobWindow.h"

#include <vector>

class QTableWidget;

namespace qx {

class CSetupCompareDlg : public SetupJobWindow {
    Q_OBJECT
public:
    explicit CSetupCompareDlg(WindowContext& ctx, QWidget* parent = nullptr);

    QPushButton* compareButton() const { return compare_; }
    QPushButton* restoreButton() const { return restore_; }
    QTableWidget* table() const { return table_; }

    enum Column { Setting, Saved, Now, Note };

private:
    void startCompare();
    void startRestore();
    void jobFinished();
    void showDifferences();
    void showResults();

    QPushButton* compare_ = nullptr;
    QPushButton* restore_ = nullptr;
    QTableWidget* table_ = nullptr;
    std::vector<SetupDifference> shown_;
    bool restoring_ = false;
};

} // namespace qx
