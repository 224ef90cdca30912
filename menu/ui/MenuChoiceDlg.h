// Setting dialog of the number and list entries: an always-open list of the
// entry's choices with the current value selected. A double click acts as OK.
#pragma once
#include "menu/ui/MenuSettingDlg.h"

class QListWidget;

namespace qx {

class CMenuChoiceDlg : public MenuSettingDlg {
    Q_OBJECT
public:
    CMenuChoiceDlg(MenuItem& item, QWidget* parent = nullptr);

    QListWidget* choices() const { return list_; }

public slots:
    void accept() override;

private:
    QListWidget* list_;
};

} // namespace qx
