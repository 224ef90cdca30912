#include "windows/BaudRateDlg.h"

#include "windows/PortSettings.h"

namespace qx {

const std::vector<PortChoice>& baudRateChoices()
{
    static const std::vector<PortChoice> choices{
        {QStringLiteral("4800"), 4800},
        {QStringLiteral("9600"), 9600},
        {QStringLiteral("19200"), 19200},
        {QStringLiteral("38400"), 38400},
    };
    return choices;
}

CBaudRateDlg::CBaudRateDlg(WindowContext& ctx, PortSettings& ports, QWidget* parent, OperatorPrompt* prompt)
    : PortChoiceDlg(AuxKind::BaudRate, ctx, ports, QStringLiteral("Baud rate"), baudRateChoices(), ports.baudRate(),
                    parent, prompt)
{
}

void CBaudRateDlg::store(int value)
{
    ports_.setBaudRate(value);
}

} // namespace qx
