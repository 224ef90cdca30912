#include "windows/NetworkServiceDlg.h"

#include "windows/ProgramIcon.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qx {

CNetworkServiceDlg::CNetworkServiceDlg(const NetworkServiceTexts& texts, const rig::ListenAddress& current,
                                       QWidget* parent)
    : QDialog(parent), current_(current)
{
    setWindowTitle(texts.title);
    setWindowIcon(programIcon());

    on_ = new QCheckBox(texts.onText);
    on_->setChecked(current.enabled);
    port_ = new QSpinBox;
    port_->setRange(1, 65535);
    port_->setValue(current.port > 0 ? current.port : texts.defaultPort);
    const QString host = QString::fromStdString(current.host);
    auto* where = new QLabel(rig::isLoopback(current.host)
                                 ? texts.thisComputer.arg(host)
                                 : QStringLiteral("Address %1, as given on the command line").arg(host));
    connect(on_, &QCheckBox::toggled, port_, &QWidget::setEnabled);
    port_->setEnabled(current.enabled);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Port:"), port_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(on_);
    layout->addLayout(form);
    layout->addWidget(where);
    layout->addWidget(buttons);
}

rig::ListenAddress CNetworkServiceDlg::choice() const
{
    rig::ListenAddress a = current_;
    a.enabled = on_->isChecked();
    a.port = port_->value();
    return a;
}

} // namespace qx
