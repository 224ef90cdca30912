#include "windows/RigServerDlg.h"

#include "windows/ProgramIcon.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qx {

CRigServerDlg::CRigServerDlg(const rig::ListenAddress& current, QWidget* parent)
    : QDialog(parent), current_(current)
{
    setWindowTitle(QStringLiteral("Rig Server"));
    setWindowIcon(programIcon());

    serve_ = new QCheckBox(QStringLiteral("Share the radio with Hamlib programs (NET rigctl)"));
    serve_->setChecked(current.enabled);
    port_ = new QSpinBox;
    port_->setRange(1, 65535);
    port_->setValue(current.port > 0 ? current.port : rig::kDefaultPort);
    const QString host = QString::fromStdString(current.host);
    where_ = new QLabel(rig::isLoopback(current.host)
                            ? QStringLiteral("Address %1: this computer only").arg(host)
                            : QStringLiteral("Address %1: open to other computers, without a password "
                                             "(written on the command line or in rcp720.conf)")
                                  .arg(host));
    connect(serve_, &QCheckBox::toggled, port_, &QWidget::setEnabled);
    port_->setEnabled(current.enabled);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Port:"), port_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(serve_);
    layout->addLayout(form);
    layout->addWidget(where_);
    layout->addWidget(buttons);
}

rig::ListenAddress CRigServerDlg::choice() const
{
    rig::ListenAddress a = current_;
    a.enabled = serve_->isChecked();
    a.port = port_->value();
    return a;
}

} // namespace qx
