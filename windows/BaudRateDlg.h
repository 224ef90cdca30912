// "Baud rate": the four line speeds the radio supports.
#pragma once
#include "windows/PortChoiceDlg.h"

namespace qx {

class CBaudRateDlg : public PortChoiceDlg {
    Q_OBJECT
public:
    CBaudRateDlg(WindowContext& ctx, PortSettings& ports, QWidget* parent = nullptr, OperatorPrompt* prompt = nullptr);

protected:
    void store(int value) override;
};

const std::vector<PortChoice>& baudRateChoices();

} // namespace qx
