// Setting dialog of the beacon text: one edit field of at most 40
// characters that the radio's display can show.
#pragma once
#include "menu/ui/MenuSettingDlg.h"

class QLineEdit;

namespace qx {

class CMenuTextDlg : public MenuSettingDlg {
    Q_OBJECT
public:
    CMenuTextDlg(MenuItem& item, QWidget* parent = nullptr);

    QLineEdit* field() const { return field_; }

public slots:
    void accept() override;

private:
    QLineEdit* field_;
};

} // namespace qx
