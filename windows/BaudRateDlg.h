// "Baud rate": the four line speeds the radio supports. For a radio on the
// network the speed is set at the far port over RFC 2217; a raw TCP
// connection cannot set it, and the dialog says so.
#pragma once
#include "windows/PortChoiceDlg.h"

class QLabel;

namespace qx {

class CBaudRateDlg : public PortChoiceDlg {
    Q_OBJECT
public:
    CBaudRateDlg(WindowContext& ctx, PortSettings& ports, QWidget* parent = nullptr);
    // What the speed applies to when the radio is on the network; null for a local port.
    QLabel* networkNote() const { return note_; }

protected:
    void store(int value) override;

private:
    QLabel* note_ = nullptr;
};

const std::vector<PortChoice>& baudRateChoices();

} // namespace qx
