#include "windows/PortChoiceDlg.h"

#include "core/MessageIds.h"
#include "widgets/MarkedComboBox.h"
#include "state/RadioState.h"
#include "windows/DialogParts.h"
#include "windows/PortSettings.h"
#include "windows/ProgramIcon.h"
#include "windows/WindowRequests.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace qx {

PortChoiceDlg::PortChoiceDlg(AuxKind kind, WindowContext& ctx, PortSettings& ports, const QString& title,
                             const std::vector<PortChoice>& choices, int current, QWidget* parent)
    : AuxWindow(kind, ctx, parent), ports_(ports), current_(current)
{
    setWindowTitle(title);
    setWindowIcon(programIcon());

    list_ = new MarkedComboBox;
    list_->setMarkedIndex(-1);
    for (const auto& c : choices) {
        list_->addItem(c.text, c.value);
        if (c.value == current) {
            list_->setCurrentIndex(list_->count() - 1);
            list_->setMarkedIndex(list_->count() - 1);
        }
    }
    // Picking from the list: activated fires for the operator only, never
    // for the selection made above.
    connect(list_, &QComboBox::activated, this, [this](int index) { chosen_ = list_->itemData(index).toInt(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(okCancelRow(this, &ok_, &cancel_));

    aiTimer_ = new QTimer(this);
    connect(aiTimer_, &QTimer::timeout, this, &PortChoiceDlg::checkAiOff);
}

bool PortChoiceDlg::waitingForAiOff() const
{
    return aiTimer_->isActive();
}

void PortChoiceDlg::accept()
{
    if (waitingForAiOff())
        return;
    if (!hasNewChoice()) {
        finish();
        return;
    }
    if (!choiceUsable(chosen_))
        return;
    if (ctx_.radio.get(RadioState::Int::AI) == 0) {
        complete(true);
        return;
    }
    postRequestId(ctx_.outbox, UM_REQ_AI_TOGGLE);
    setControlsEnabled(false);
    checks_ = 0;
    aiTimer_->start(kAiCheckMs);
}

void PortChoiceDlg::setControlsEnabled(bool enabled)
{
    ok_->setEnabled(enabled);
    cancel_->setEnabled(enabled);
    list_->setEnabled(enabled);
}

void PortChoiceDlg::checkAiOff()
{
    if (!waitingForAiOff())
        return;
    ++checks_;
    if (ctx_.radio.get(RadioState::Int::AI) == 0) {
        aiTimer_->stop();
        complete(true);
    } else if (checks_ >= kAiChecks) {
        // The radio never confirmed: the port stays open, the choice is kept.
        aiTimer_->stop();
        complete(false);
    }
}

void PortChoiceDlg::complete(bool closePort)
{
    if (closePort)
        ports_.closePort();
    store(chosen_);
    ports_.save();
    finish();
}

} // namespace qx
