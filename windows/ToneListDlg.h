// The modal tone list: the 50 CTCSS tones in five columns reading in
// ascending order along each row, the tone now set marked in red. OK with a
// selection asks the radio for that tone on VFO 0; the display follows only
// the radio's answer.
#pragma once
#include <QDialog>

namespace qx {

class MarkedListBox;
class Outbox;

class CToneListDlg : public QDialog {
    Q_OBJECT
public:
    CToneListDlg(Outbox& outbox, int currentTone, QWidget* parent = nullptr);

    MarkedListBox* list() const { return list_; }
    // The tone code of the selected item; -1 when none is selected.
    int selectedTone() const;

    void accept() override;

private:
    Outbox& outbox_;
    MarkedListBox* list_ = nullptr;
};

} // namespace qx
