// Setting dialog of the number and list entries: an always-open list of the
// entry's choices with the current value selected and marked in red. A
// double click acts as OK.
#pragma once
#include "menu/ui/MenuSettingDlg.h"

namespace qx {

class MarkedListBox;

class CMenuChoiceDlg : public MenuSettingDlg {
    Q_OBJECT
public:
    CMenuChoiceDlg(MenuItem& item, QWidget* parent = nullptr);

    MarkedListBox* choices() const { return list_; }

public slots:
    void accept() override;

private:
    MarkedListBox* list_;
};

} // namespace qx
