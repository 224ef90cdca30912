#include "windows/CwKeyerDlg.h"

#include "cat/KeyerWrite.h"
#include "core/MessageIds.h"
#include "widgets/CapitalsValidator.h"
#include "widgets/FilteredEdit.h"
#include "state/RadioState.h"
#include "windows/CwKeyerText.h"
#include "windows/ProgramIcon.h"
#include "windows/WindowRequests.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace qx {
namespace {

constexpr std::uint32_t kPlayRequests[] = {UM_REQ_KY_6, UM_REQ_KY_7, UM_REQ_KY_8};

} // namespace

CCwKeyerDlg::CCwKeyerDlg(WindowContext& ctx, QWidget* parent) : AuxWindow(AuxKind::Cw, ctx, parent)
{
    setWindowTitle(QStringLiteral("CW"));
    setWindowIcon(programIcon());
    buildControls();

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CCwKeyerDlg::onTimeout);

    postRequestId(ctx_.outbox, UM_REQ_KM_READ_START);
    for (auto* f : fields_)
        f->setReadOnly(true);
    for (auto* b : {play_[0], play_[1], play_[2], write_[0], write_[1], write_[2], stop_, spotOn_, spotOff_})
        b->setEnabled(false);
    state_ = 1;
    startTimeout();
}

void CCwKeyerDlg::buildControls()
{
    auto* play = new QGroupBox(QStringLiteral("Text Play"));
    auto* playRow = new QHBoxLayout(play);
    for (int i = 0; i < kMemories; ++i) {
        play_[static_cast<std::size_t>(i)] = new QPushButton(QStringLiteral("Ch-%1").arg(i + 1));
        playRow->addWidget(play_[static_cast<std::size_t>(i)]);
        connect(play_[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { postRequestId(ctx_.outbox, kPlayRequests[i]); });
    }
    stop_ = new QPushButton(QStringLiteral("STOP"));
    playRow->addWidget(stop_);
    connect(stop_, &QPushButton::clicked, this, [this] { postRequestId(ctx_.outbox, UM_REQ_KY_0); });

    auto* spot = new QGroupBox(QStringLiteral("SPOT"));
    auto* spotRow = new QHBoxLayout(spot);
    spotOn_ = new QPushButton(QStringLiteral("ON"));
    spotOff_ = new QPushButton(QStringLiteral("OFF"));
    spotRow->addWidget(spotOn_);
    spotRow->addWidget(spotOff_);
    connect(spotOn_, &QPushButton::clicked, this, [this] { postRequestId(ctx_.outbox, UM_REQ_CS_SET, 1); });
    connect(spotOff_, &QPushButton::clicked, this, [this] { postRequestId(ctx_.outbox, UM_REQ_CS_SET, 0); });

    auto* top = new QHBoxLayout;
    top->addWidget(play, 3);
    top->addWidget(spot, 2);

    auto* texts = new QGridLayout;
    // The filtered edit takes only what the keyer can send: a ";" would end
    // the command early and the rest would reach the radio as a command of
    // its own.
    for (int i = 0; i < kMemories; ++i) {
        auto* f = new FilteredEdit;
        f->setMaxLength(kTextLength);
        f->setValidator(new CapitalsValidator(f));
        f->setMinimumWidth(f->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 30);
        fields_[static_cast<std::size_t>(i)] = f;
        auto* wr = new QPushButton(QStringLiteral("Ch-%1 WR").arg(i + 1));
        write_[static_cast<std::size_t>(i)] = wr;
        texts->addWidget(new QLabel(QStringLiteral("Text Ch-%1").arg(i + 1)), i, 0);
        texts->addWidget(f, i, 1);
        texts->addWidget(wr, i, 2);
        const int memory = i + 1;
        connect(f, &QLineEdit::textChanged, this, [this, memory] { updateWriteButton(memory); });
        connect(wr, &QPushButton::clicked, this, [this, memory] { writeMemory(memory); });
        // Enter in a text field stores that text, as its WR button would;
        // nothing else, and nothing while the button could not be pressed.
        connect(f, &QLineEdit::returnPressed, this, [this, memory] {
            if (write_[static_cast<std::size_t>(memory - 1)]->isEnabled())
                writeMemory(memory);
        });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(texts);
}

bool CCwKeyerDlg::timerRunning() const
{
    return timer_->isActive();
}

void CCwKeyerDlg::startTimeout()
{
    timer_->start(kTimeoutMs);
}

void CCwKeyerDlg::stopTimeout()
{
    timer_->stop();
}

void CCwKeyerDlg::showMemory(int memory)
{
    if (memory < 1 || memory > kMemories)
        return;
    const std::string shown = keyerTextForField(ctx_.radio.keyerText(memory), kTextLength);
    fields_[static_cast<std::size_t>(memory - 1)]->setText(QString::fromLatin1(shown.data(), static_cast<qsizetype>(shown.size())));
}

void CCwKeyerDlg::updateWriteButton(int memory)
{
    if (state_ >= 1 && state_ <= 3)
        return; // the read enables the buttons when it ends
    FilteredEdit* f = fields_[static_cast<std::size_t>(memory - 1)];
    const QByteArray typed = f->text().toLatin1();
    const bool differs = keyerTextDiffers(std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())),
                                          ctx_.radio.keyerText(memory), kTextLength);
    write_[static_cast<std::size_t>(memory - 1)]->setEnabled(!typed.isEmpty() && differs);
}

void CCwKeyerDlg::finishRead()
{
    stopTimeout();
    state_ = Idle;
    for (auto* b : {play_[0], play_[1], play_[2], stop_, spotOn_, spotOff_})
        b->setEnabled(true);
    for (auto* f : fields_)
        f->setReadOnly(false);
    for (int m = 1; m <= kMemories; ++m)
        updateWriteButton(m);
    play_[0]->setFocus();
}

void CCwKeyerDlg::onNotification(const Message& m)
{
    if (m.id != UM_ANS_KM)
        return;
    if (state_ == Idle) {
        const int memory = ctx_.radio.get(RadioState::Int::KM_SELECTED);
        showMemory(memory);
        if (memory >= 1 && memory <= kMemories)
            updateWriteButton(memory);
    } else if (state_ <= 3) {
        // Each answer names its memory: one the line lost (an answer that
        // could not be framed) is passed over, not waited for until the
        // time-out.
        const int memory = ctx_.radio.get(RadioState::Int::KM_SELECTED);
        if (memory < state_ || memory > kMemories)
            return;
        for (; state_ <= memory; ++state_)
            showMemory(state_);
        if (state_ > kMemories)
            finishRead();
    } else {
        const int memory = state_ - 3;
        state_ = Idle;
        showMemory(memory);
        updateWriteButton(memory);
        play_[0]->setFocus();
        stopTimeout();
    }
}

void CCwKeyerDlg::onTimeout()
{
    if (state_ <= 3) {
        for (int m = 1; m <= kMemories; ++m)
            showMemory(m);
        finishRead();
    } else {
        stopTimeout();
    }
    state_ = Idle;
}

void CCwKeyerDlg::writeMemory(int memory)
{
    const QByteArray text = fields_[static_cast<std::size_t>(memory - 1)]->text().toLatin1();
    if (text.isEmpty() || text.size() > kTextLength)
        return;
    const auto texts = keyerWrite(memory, text.toStdString());
    if (texts && ctx_.sendRaw) {
        ctx_.sendRaw(texts->write);
        ctx_.sendRaw(texts->readBack);
    }
    state_ = 3 + memory;
    startTimeout();
}

void CCwKeyerDlg::closeEvent(QCloseEvent* e)
{
    stopTimeout();
    AuxWindow::closeEvent(e);
}

} // namespace qx
