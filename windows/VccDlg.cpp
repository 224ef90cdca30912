#include "windows/VccDlg.h"

#include "core/MessageIds.h"
#include "state/RadioState.h"
#include "windows/DialogParts.h"
#include "windows/ProgramIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

namespace qx {

CVccDlg::CVccDlg(WindowContext& ctx, QWidget* parent) : AuxWindow(AuxKind::Vcc, ctx, parent)
{
    setWindowTitle(QStringLiteral("VCC"));
    setWindowIcon(programIcon());

    reading_ = new QLabel;
    reading_->setAlignment(Qt::AlignCenter);
    reading_->setFont(displayFont(18));
    reading_->setMinimumWidth(200);
    reading_->setMinimumHeight(32);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CVccDlg::accept);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reading_);
    layout->addLayout(row);
}

QString CVccDlg::vccText(int tenths)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "Vcc = %5.1f V", tenths * 0.1);
    return QString::fromLatin1(buf);
}

void CVccDlg::onNotification(const Message& m)
{
    if (m.id == UM_ANS_VC)
        reading_->setText(vccText(ctx_.radio.get(RadioState::Int::VC)));
}

} // namespace qx
