// "VCC": shows the radio's supply voltage as the main window polls it.
#pragma once
#include "windows/AuxWindow.h"

class QLabel;

namespace qx {

class CVccDlg : public AuxWindow {
    Q_OBJECT
public:
    explicit CVccDlg(WindowContext& ctx, QWidget* parent = nullptr);

    void onNotification(const Message& m) override;
    QLabel* reading() const { return reading_; }
    void accept() override { finish(); }

    // "Vcc = " and the tenths of a volt printed %5.1f, then " V".
    static QString vccText(int tenths);

private:
    QLabel* reading_ = nullptr;
};

} // namespace qx
