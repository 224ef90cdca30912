#include "windows/ComSelectDlg.h"

#include "core/ErrorMessages.h"
#include "widgets/MarkedComboBox.h"
#include "serial/PortList.h"
#include "windows/OperatorPrompt.h"
#include "windows/PortSettings.h"

namespace qx {

std::vector<PortChoice> comPortChoices(const PortSettings& ports)
{
    std::vector<PortChoice> choices;
    for (const PortListRow& row : portList()) {
        const auto device = ports.deviceFor(row.number);
        const QString name = QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size()));
        QString behind = device ? QString::fromStdString(*device) : QStringLiteral("none");
        if (const auto byId = device ? ports.byIdName(*device) : std::nullopt)
            behind += QStringLiteral("  ") + QString::fromStdString(*byId);
        choices.push_back({QStringLiteral("%1  (%2)").arg(name, behind), row.number});
    }
    return choices;
}

CComSelectDlg::CComSelectDlg(WindowContext& ctx, PortSettings& ports, QWidget* parent, OperatorPrompt* prompt)
    : PortChoiceDlg(AuxKind::ComSelect, ctx, ports, QStringLiteral("COM Select"), comPortChoices(ports),
                    ports.portNumber(), parent, prompt)
{
    list()->setMinimumContentsLength(22);
}

bool CComSelectDlg::choiceUsable(int value)
{
    if (ports_.probe(value))
        return true;
    const auto failed = operatorText(118).value_or("");
    prompt_.inform(this, QString::fromStdString(withDetail(failed, ports_.lastFailure())));
    return false;
}

void CComSelectDlg::store(int value)
{
    ports_.setPortNumber(value);
}

} // namespace qx
