// Setting dialog of the beacon text: one filtered edit field of at most 40
// characters, letters shown in capitals as the radio's display shows them.
#pragma once
#include "menu/ui/MenuSettingDlg.h"

namespace qx {

class FilteredEdit;

class CMenuTextDlg : public MenuSettingDlg {
    Q_OBJECT
public:
    CMenuTextDlg(MenuItem& item, QWidget* parent = nullptr);

    FilteredEdit* field() const { return field_; }

public slots:
    void accept() override;

private:
    FilteredEdit* field_;
};

} // namespace qx
