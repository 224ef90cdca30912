#include "app/gui/AudioSetupDlg.h"

#include "audio/AudioDevices.h"
#include "audio/AudioLevel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace qx {
namespace {

// The system's devices, with the saved choice first even when it is missing
// now (a USB codec unplugged), so that OK does not forget it.
void fill(QComboBox* box, audio::Direction d, const QString& chosen)
{
    box->addItem(QStringLiteral("(system default)"), QString());
    for (const QString& name : audio::deviceNames(d))
        box->addItem(name, name);
    if (!chosen.isEmpty() && box->findData(chosen) < 0)
        box->addItem(chosen + QStringLiteral(" (not present)"), chosen);
    box->setCurrentIndex(std::max(0, box->findData(chosen)));
}

} // namespace

AudioSetupDlg::AudioSetupDlg(const QString& capture, const QString& playback, QWidget* parent)
    : QDialog(parent), capture_(new QComboBox(this)), playback_(new QComboBox(this)), meter_(new QProgressBar(this)),
      note_(new QLabel(this)), tick_(new QTimer(this)), preview_(20, [](const std::int16_t*, int, std::uint64_t) {})
{
    setWindowTitle(QStringLiteral("Audio"));
    fill(capture_, audio::Direction::Capture, capture);
    fill(playback_, audio::Direction::Playback, playback);
    meter_->setRange(-60, 0);
    meter_->setFormat(QStringLiteral("%v dB"));
    note_->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Receive audio from (the radio's audio out):"), capture_);
    form->addRow(QStringLiteral("Level:"), meter_);
    form->addRow(QStringLiteral("Microphone audio to (the radio's modulation in):"), playback_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note_);
    layout->addWidget(buttons);
    connect(capture_, &QComboBox::currentIndexChanged, this, [this] { listenTo(capture_->currentData().toString()); });
    connect(tick_, &QTimer::timeout, this, &AudioSetupDlg::showLevel);
    tick_->start(100);
    listenTo(capture);
}

QString AudioSetupDlg::capture() const { return capture_->currentData().toString(); }
QString AudioSetupDlg::playback() const { return playback_->currentData().toString(); }

void AudioSetupDlg::listenTo(const QString& name)
{
    preview_.stop();
    const auto device = audio::findDevice(audio::Direction::Capture, name);
    if (!device)
        note_->setText(QStringLiteral("No such capture device: the remote station works without audio."));
    else if (!preview_.start(*device))
        note_->setText(preview_.error());
    else
        note_->clear();
}

void AudioSetupDlg::showLevel()
{
    meter_->setValue(static_cast<int>(std::lround(std::max(-60.0f, audio::levelDb(preview_.level())))));
}

} // namespace qx
