#include "windows/MemoryWriteDlg.h"

#include "core/MessageIds.h"
#include "state/RadioState.h"
#include "windows/DialogParts.h"
#include "windows/OperatorPrompt.h"
#include "windows/ProgramIcon.h"
#include "windows/WindowRequests.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace qx {

CMemoryWriteDlg::CMemoryWriteDlg(WindowContext& ctx, QWidget* parent, OperatorPrompt* prompt)
    : AuxWindow(AuxKind::MemoryWrite, ctx, parent), prompt_(prompt ? *prompt : messageBoxPrompt())
{
    setWindowTitle(QStringLiteral("MEMORY WRITE"));
    setWindowIcon(programIcon());

    field_ = digitField(3);
    field_->setAlignment(Qt::AlignCenter);
    field_->setFont(displayFont(16));
    field_->setFixedWidth(90);
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addStretch(1);
    fieldRow->addWidget(field_);
    fieldRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(operatorString(116)));
    layout->addWidget(new QLabel(operatorString(117)));
    layout->addLayout(fieldRow);
    layout->addLayout(okCancelRow(this, &ok_, &cancel_));

    probe_ = new QTimer(this);
    probe_->setSingleShot(true);
    connect(probe_, &QTimer::timeout, this, &CMemoryWriteDlg::onProbeTimeout);
    field_->setFocus();
}

bool CMemoryWriteDlg::probeRunning() const
{
    return probe_->isActive();
}

void CMemoryWriteDlg::setEditing(bool editing)
{
    ok_->setEnabled(editing);
    cancel_->setEnabled(editing);
    field_->setReadOnly(!editing);
}

void CMemoryWriteDlg::accept()
{
    if (waiting())
        return;
    const QString text = field_->text();
    if (text.isEmpty()) {
        reject();
        return;
    }
    const int channel = text.toInt();
    if (channel < kFirstChannel || channel > kLastChannel) {
        prompt_.inform(this, operatorString(104));
        return;
    }
    channel_ = channel;
    setEditing(false);
    ctx_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_MR_READ, 0, channel});
    probe_->start(kProbeMs);
}

void CMemoryWriteDlg::reject()
{
    // While the radio is asked, the buttons are off; Esc waits the same way.
    if (!waiting())
        AuxWindow::reject();
}

void CMemoryWriteDlg::closeEvent(QCloseEvent* e)
{
    // Closed from the title bar: nothing may be written afterwards.
    probe_->stop();
    channel_ = 0;
    AuxWindow::closeEvent(e);
}

void CMemoryWriteDlg::onNotification(const Message& m)
{
    if (m.id != UM_ANS_MR || !waiting() || !probeRunning())
        return;
    // An answer about another channel says nothing about ours: keep waiting
    // for ours or for the time-out, so the dialog never stays stuck.
    if (ctx_.radio.get(RadioState::Int::MR) != channel_)
        return;
    probe_->stop();
    if (prompt_.confirm(this, operatorString(115))) {
        write();
        return;
    }
    channel_ = 0;
    setEditing(true);
}

void CMemoryWriteDlg::onProbeTimeout()
{
    probe_->stop();
    if (waiting())
        write();
}

void CMemoryWriteDlg::write()
{
    postRequestId(ctx_.outbox, UM_REQ_MW, channel_);
    finish();
}

} // namespace qx
