// Setting dialog of "MY BAND" and "MY MODE": one check box per flag, laid
// out down each column first (three columns of four for the bands, of two
// for the modes).
#pragma once
#include "menu/ui/MenuSettingDlg.h"

#include <vector>

class QCheckBox;

namespace qx {

class CMenuFlagsDlg : public MenuSettingDlg {
    Q_OBJECT
public:
    CMenuFlagsDlg(MenuItem& item, QWidget* parent = nullptr);

    const std::vector<QCheckBox*>& boxes() const { return boxes_; }

public slots:
    void accept() override;

private:
    std::vector<QCheckBox*> boxes_;
};

} // namespace qx
