#include "windows/PlaybackDlg.h"

#include "core/MessageIds.h"
#include "widgets/ColouredStatic.h"
#include "state/RadioState.h"
#include "windows/ProgramIcon.h"
#include "windows/WindowRequests.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {
namespace {

const QColor kRecordingColour(255, 0, 0);
const QColor kPlayingColour(0, 255, 0);

} // namespace

CPlaybackDlg::CPlaybackDlg(WindowContext& ctx, QWidget* parent) : AuxWindow(AuxKind::Playback, ctx, parent)
{
    setWindowTitle(QStringLiteral("Playback"));
    setWindowIcon(programIcon());

    rec_ = new ColouredStatic(QStringLiteral("REC"));
    play_ = new ColouredStatic(QStringLiteral("PLAY"));
    for (auto* l : {rec_, play_}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setTextColour(Qt::black);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setMinimumSize(64, 24);
    }

    auto* voice = new QGroupBox(QStringLiteral("Voice Memory"));
    auto* vg = new QGridLayout(voice);
    struct Row {
        const char* caption;
        std::uint32_t ch1, ch2, stop;
    };
    const Row rows[] = {
        {"REC", UM_REQ_LM_01, UM_REQ_LM_02, UM_REQ_LM_00},
        {"PLAY", UM_REQ_PB_1, UM_REQ_PB_2, UM_REQ_PB_0},
        {"TX", UM_REQ_PB_7, UM_REQ_PB_8, UM_REQ_PB_0_C},
    };
    for (int r = 0; r < 3; ++r) {
        vg->addWidget(new QLabel(QString::fromLatin1(rows[r].caption)), r, 0);
        vg->addWidget(addButton(QStringLiteral("Ch-1"), rows[r].ch1), r, 1);
        vg->addWidget(addButton(QStringLiteral("Ch-2"), rows[r].ch2), r, 2);
        vg->addWidget(addButton(QStringLiteral("STOP"), rows[r].stop), r, 3);
    }

    auto* audio = new QGroupBox(QStringLiteral("Audio Playback"));
    auto* ag = new QGridLayout(audio);
    ag->addWidget(addButton(QStringLiteral("REC"), UM_REQ_LM_11), 0, 0);
    ag->addWidget(addButton(QStringLiteral("STOP"), UM_REQ_LM_10), 0, 1);
    ag->addWidget(addButton(QStringLiteral("PLAY"), UM_REQ_PB_6), 1, 0);
    ag->addWidget(addButton(QStringLiteral("STOP"), UM_REQ_PB_0_B), 1, 1);
    ag->setRowStretch(2, 1);

    auto* lamps = new QHBoxLayout;
    lamps->addStretch(1);
    lamps->addWidget(rec_);
    lamps->addWidget(play_);

    auto* groups = new QHBoxLayout;
    groups->addWidget(voice, 3);
    groups->addWidget(audio, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lamps);
    layout->addLayout(groups);

    refreshIndicators();
}

QPushButton* CPlaybackDlg::addButton(const QString& caption, std::uint32_t request)
{
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    buttons_.emplace_back(b, request);
    connect(b, &QPushButton::clicked, this, [this, request] { postRequestId(ctx_.outbox, request); });
    return b;
}

void CPlaybackDlg::refreshIndicators()
{
    rec_->setBackgroundColour(ctx_.radio.get(kRecordingFlag) != 0 ? kRecordingColour : QColor(Qt::white));
    play_->setBackgroundColour(ctx_.radio.get(kPlayingFlag) != 0 ? kPlayingColour : QColor(Qt::white));
    rec_->setText(QStringLiteral("REC"));
    play_->setText(QStringLiteral("PLAY"));
}

void CPlaybackDlg::onNotification(const Message& m)
{
    if (m.id == UM_ANS_RI)
        refreshIndicators();
}

} // namespace qx
