#include "windows/BaudRateDlg.h"

#include "serial/NetworkAddress.h"
#include "windows/PortSettings.h"

#include <QLabel>
#include <QVBoxLayout>

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

CBaudRateDlg::CBaudRateDlg(WindowContext& ctx, PortSettings& ports, QWidget* parent)
    : PortChoiceDlg(AuxKind::BaudRate, ctx, ports, QStringLiteral("Baud rate"), baudRateChoices(), ports.baudRate(),
                    parent)
{
    const auto network = ports.networkDevice();
    const auto address = network ? parseNetworkAddress(*network) : std::nullopt;
    if (!address)
        return;
    const QString where = QString::fromStdString(address->hostPort());
    note_ = new QLabel(address->kind == NetworkAddress::Kind::Rfc2217
                           ? QStringLiteral("Sets the line speed of the radio's port at %1 (RFC 2217).").arg(where)
                           : QStringLiteral("A raw TCP connection (%1) cannot set the line speed of the radio's "
                                            "port: set it where ser2net runs.")
                                 .arg(where));
    note_->setWordWrap(true);
    note_->setMinimumWidth(note_->fontMetrics().horizontalAdvance(QStringLiteral("A raw TCP connection (shack.example.org:2001)")));
    if (auto* box = qobject_cast<QVBoxLayout*>(layout()))
        box->insertWidget(1, note_);
}

void CBaudRateDlg::store(int value)
{
    ports_.setBaudRate(value);
}

} // namespace qx
