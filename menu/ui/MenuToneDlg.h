// Setting dialog of the CTCSS tone: the 50 tones in a five-column list that
// reads in ascending order along each row, the tone now set marked in red.
// A double click acts as OK.
#pragma once
#include "menu/ui/MenuSettingDlg.h"

namespace qx {

class MarkedListBox;

class CMenuToneDlg : public MenuSettingDlg {
    Q_OBJECT
public:
    CMenuToneDlg(MenuItem& item, QWidget* parent = nullptr);

    MarkedListBox* tones() const { return list_; }

public slots:
    void accept() override;

private:
    MarkedListBox* list_;
};

} // namespace qx
