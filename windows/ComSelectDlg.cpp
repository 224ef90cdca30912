#include "windows/ComSelectDlg.h"

#include "core/ErrorMessages.h"
#include "widgets/MarkedComboBox.h"
#include "serial/NetworkAddress.h"
#include "serial/PortList.h"
#include "windows/OperatorPrompt.h"
#include "windows/PortSettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
                    ports.networkDevice() ? 0 : ports.portNumber(), parent, prompt),
      currentNetwork_(ports.networkDevice())
{
    list()->setMinimumContentsLength(22);

    network_ = new QLineEdit;
    network_->setPlaceholderText(QStringLiteral("host:port or rfc2217://host:port"));
    network_->setMaxLength(300);
    if (currentNetwork_) {
        network_->setText(QString::fromStdString(*currentNetwork_));
        // The numbered port waits behind the network radio: shown, not marked as in use.
        list()->setCurrentIndex(list()->findData(ports.portNumber()));
    }
    network_->setMinimumWidth(network_->fontMetrics().horizontalAdvance(QStringLiteral("rfc2217://shack.example.org:2001")));
    auto* label = new QLabel(QStringLiteral("Or a radio on the network:"));
    label->setBuddy(network_);
    if (auto* box = qobject_cast<QVBoxLayout*>(layout())) {
        box->insertWidget(1, label);
        box->insertWidget(2, network_);
        if (const auto device = ports.commandLineDevice()) {
            // Which one is used must not be left to guessing.
            commandLineNote_ = new QLabel(
                QStringLiteral("Started with --device %1: it serves every COM number. A network radio entered "
                               "here takes its place for this run (and is remembered for runs without --device).")
                    .arg(QString::fromStdString(*device)));
            commandLineNote_->setWordWrap(true);
            box->insertWidget(0, commandLineNote_);
        }
    }
    // Tab goes down the dialog as it reads: list, address, OK, CANCEL.
    auto* ok = findChild<QPushButton*>(QStringLiteral("ok"));
    auto* cancel = findChild<QPushButton*>(QStringLiteral("cancel"));
    if (ok && cancel) {
        setTabOrder(list(), network_);
        setTabOrder(network_, ok);
        setTabOrder(ok, cancel);
    }
    connect(network_, &QLineEdit::textEdited, this, [this] { networkEdited_ = true; });
    // A numbered port picked from the list replaces the network radio.
    connect(list(), &QComboBox::activated, this, [this] {
        networkEdited_ = false;
        network_->clear();
    });
}

CComSelectDlg::~CComSelectDlg()
{
    cancelProbe_ = true;
    if (probe_.joinable())
        probe_.join();
}

std::optional<std::string> CComSelectDlg::typedNetworkDevice() const
{
    if (!networkEdited_)
        return std::nullopt;
    const auto a = parseNetworkAddress(network_->text().trimmed().toStdString(), true);
    return a ? std::optional<std::string>(a->text()) : std::nullopt;
}

bool CComSelectDlg::hasNewChoice() const
{
    if (networkEdited_) {
        if (network_->text().trimmed().isEmpty()) // emptied: back to the numbered port
            return currentNetwork_.has_value() || PortChoiceDlg::hasNewChoice();
        return typedNetworkDevice() != currentNetwork_;
    }
    // Any numbered port, the remembered one too, replaces a network radio.
    if (currentNetwork_ && chosen() != 0)
        return true;
    return PortChoiceDlg::hasNewChoice();
}

void CComSelectDlg::accept()
{
    if (probing_ || waitingForAiOff())
        return;
    const QString text = network_->text().trimmed();
    if (networkEdited_ && !text.isEmpty()) {
        std::string why;
        const auto a = parseNetworkAddress(text.toStdString(), true, &why);
        if (!a) {
            prompt_.inform(this, QStringLiteral("\"%1\" is no network address: %2.\nExamples: shack.local:2000, "
                                                "rfc2217://192.168.1.20:2001")
                                     .arg(text, QString::fromStdString(why)));
            return;
        }
        if (hasNewChoice() && probed_ != a->text()) {
            startProbe(a->text());
            return;
        }
    }
    PortChoiceDlg::accept();
}

void CComSelectDlg::startProbe(const std::string& address)
{
    if (probe_.joinable())
        probe_.join(); // an earlier probe, long finished
    probing_ = true;
    setControlsEnabled(false);
    cancelProbe_ = false;
    probe_ = std::thread([this, address] {
        std::string why;
        const bool ok = ports_.probeNetwork(address, why, cancelProbe_);
        // Queued to the dialog's thread; dropped if the dialog is gone by then.
        QMetaObject::invokeMethod(
            this, [this, ok, address, why] { probeFinished(ok, address, why); }, Qt::QueuedConnection);
    });
}

void CComSelectDlg::probeFinished(bool ok, const std::string& address, const std::string& why)
{
    probing_ = false;
    setControlsEnabled(true);
    if (!ok) {
        const auto a = parseNetworkAddress(address);
        const std::string where = a ? a->hostPort() : address;
        prompt_.inform(this, operatorString(118) + QStringLiteral("\n") + QString::fromStdString(where + ": " + why));
        return;
    }
    probed_ = address;
    accept();
}

bool CComSelectDlg::choiceUsable(int value)
{
    if (typedNetworkDevice())
        return true; // tried before accept() got here
    if (value == 0)
        return true; // the field emptied: back to the port in use before
    if (ports_.probe(value))
        return true;
    const auto failed = operatorText(118).value_or("");
    prompt_.inform(this, QString::fromStdString(withDetail(failed, ports_.lastFailure())));
    return false;
}

void CComSelectDlg::store(int value)
{
    std::string why;
    bool saved = true;
    if (const auto network = typedNetworkDevice()) {
        saved = ports_.setNetworkDevice(network, why);
    } else {
        if (currentNetwork_)
            saved = ports_.setNetworkDevice(std::nullopt, why);
        if (value != 0)
            ports_.setPortNumber(value);
    }
    if (!saved)
        prompt_.inform(this, QStringLiteral("The choice holds until the program ends, but it could not be "
                                            "remembered:\n%1")
                                 .arg(QString::fromStdString(why)));
}

void CComSelectDlg::setControlsEnabled(bool enabled)
{
    PortChoiceDlg::setControlsEnabled(enabled);
    network_->setEnabled(enabled);
}

} // namespace qx
