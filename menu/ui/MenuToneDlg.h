// Setting dialog of the CTCSS tone: the 50 tones in a five-column list that
// reads in ascending order along each row. A double click acts as OK.
#pragma once
#include "menu/ui/MenuSettingDlg.h"

class QListWidget;

namespace qx {

class CMenuToneDlg : public MenuSettingDlg {
    Q_OBJECT
public:
    CMenuToneDlg(MenuItem& item, QWidget* parent = nullptr);

    QListWidget* tones() const { return list_; }

public slots:
    void accept() override;

private:
    QListWidget* list_;
};

} // namespace qx
