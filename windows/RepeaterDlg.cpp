#include "windows/RepeaterDlg.h"

#include "core/MessageIds.h"
#include "widgets/ColouredStatic.h"
#include "state/RadioState.h"
#include "windows/ProgramIcon.h"
#include "windows/RepeaterTexts.h"
#include "windows/ToneListDlg.h"
#include "windows/WindowRequests.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {
namespace {

constexpr int kDisplayFontPx = 50;

QString fromStd(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

CRepeaterDlg::CRepeaterDlg(WindowContext& ctx, QWidget* parent) : AuxWindow(AuxKind::Repeater, ctx, parent)
{
    setWindowTitle(QStringLiteral("Repeater"));
    setWindowIcon(programIcon());

    const bool vfoB = ctx_.radio.get(RadioState::Int::VS) == 1;
    vfo_ = new QLabel(vfoB ? QStringLiteral("<VFO-B>") : QStringLiteral("<VFO-A>"));
    postRequestId(ctx_.outbox, UM_REQ_IF_OI_READ);

    QFont display(QStringLiteral("Sans Serif"));
    display.setStyleHint(QFont::SansSerif);
    display.setPixelSize(kDisplayFontPx);
    display.setWeight(QFont::Normal);

    auto* grid = new QGridLayout;
    const char* captions[] = {"CTCSS MODE", "CTCSS TONE FREQUENCY", "REPEATER SHIFT DIRECTION"};
    ColouredStatic** displays[] = {&mode_, &tone_, &shift_};
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(QString::fromLatin1(captions[i]));
        caption->setAlignment(Qt::AlignCenter);
        auto* d = new ColouredStatic;
        d->setAlignment(Qt::AlignCenter);
        d->setFrameShape(QFrame::Panel);
        d->setFrameShadow(QFrame::Sunken);
        d->setFont(display);
        d->setTextColour(QColor(255, 255, 255));
        d->setBackgroundColour(QColor(0, 0, 0));
        const char* widest = i == 0 ? "Tone Squelch" : i == 1 ? "254.1 Hz" : "Minus Shift";
        d->setMinimumWidth(QFontMetrics(display).horizontalAdvance(QString::fromLatin1(widest)) + 24);
        d->setMinimumHeight(kDisplayFontPx + 16);
        *displays[i] = d;
        grid->addWidget(caption, 0, i);
        grid->addWidget(d, 1, i);
    }

    auto addButtons = [this, grid](int column, std::initializer_list<std::pair<const char*, std::function<void()>>> list) {
        auto* row = new QHBoxLayout;
        for (const auto& [text, action] : list) {
            auto* b = new QPushButton(QString::fromLatin1(text));
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, action);
            row->addWidget(b);
        }
        grid->addLayout(row, 2, column);
    };
    addButtons(0, {{"OFF", [this] { setToneMode(UM_REQ_CT_0); }},
                   {"ENC", [this] { setToneMode(UM_REQ_CT_2); }},
                   {"SQL", [this] { setToneMode(UM_REQ_CT_1); }}});
    addButtons(1, {{"Freq", [this] {
                        const int tone = ctx_.radio.get(RadioState::Int::CN0);
                        if (runToneList_)
                            runToneList_(tone);
                        else {
                            CToneListDlg dlg(ctx_.outbox, tone, this);
                            dlg.exec();
                        }
                    }}});
    addButtons(2, {{"S", [this] { postRequestId(ctx_.outbox, UM_REQ_OS_0); }},
                   {"-", [this] { postRequestId(ctx_.outbox, UM_REQ_OS_2); }},
                   {"+", [this] { postRequestId(ctx_.outbox, UM_REQ_OS_1); }}});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(vfo_);
    layout->addLayout(grid);

    refreshMode();
    refreshTone();
    refreshShift();
}

QPushButton* CRepeaterDlg::button(const QString& caption) const
{
    for (auto* b : findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

void CRepeaterDlg::setToneMode(std::uint32_t request)
{
    if (toneModeSettable(ctx_.radio.get(RadioState::Int::MD0)))
        postRequestId(ctx_.outbox, request);
}

void CRepeaterDlg::refreshMode()
{
    mode_->setText(fromStd(ctcssModeText(ctx_.radio.get(RadioState::Int::CT0))));
}

void CRepeaterDlg::refreshTone()
{
    tone_->setText(fromStd(toneFrequencyText(ctx_.radio.get(RadioState::Int::CN0))));
}

void CRepeaterDlg::refreshShift()
{
    shift_->setText(fromStd(shiftDirectionText(ctx_.radio.get(RadioState::Int::OS0))));
}

void CRepeaterDlg::onNotification(const Message& m)
{
    if (m.id == UM_ANS_CT)
        refreshMode();
    else if (m.id == UM_ANS_CN)
        refreshTone();
    else if (m.id == UM_ANS_OS)
        refreshShift();
}

} // namespace qx
