// Common frame of the modal setting dialogs: the "MENU LIST SETTING" title,
// the caption line, the body the dialog adds, and OK / CANCEL. Each dialog
// works on the list window's copy of one entry and writes only its pending
// change (changed flag, new value, new text), and only on OK.
#pragma once
#include "menu/MenuItem.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace qx {

class MenuSettingDlg : public QDialog {
    Q_OBJECT
public:
    QLabel* caption() const { return caption_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    MenuSettingDlg(MenuItem& item, const std::string& caption, QWidget* parent);
    // Puts the dialog's controls between the caption and the buttons.
    void setBody(QWidget* body);

    MenuItem& item_;

private:
    QLabel* caption_;
    QVBoxLayout* bodyLayout_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace qx
