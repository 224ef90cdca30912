#include "sim/audio/SimAudio.h"

#include "audio/AudioDevices.h"
#include "sim/SimulatedRadio.h"

#include <QAudioSink>
#include <QAudioSource>
#include <QIODevice>
#include <QTimer>

#include <vector>

namespace qx::sim {

// Pulled by the sound server as it plays: always the signal as it sounds now.
class SimAudio::SignalDevice : public QIODevice {
public:
    explicit SignalDevice(SimAudio& owner) : owner_(owner) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return 4800 + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxlen) override
    {
        const int count = static_cast<int>(maxlen / 2);
        owner_.signal_.render(owner_.dialHz_, owner_.transmitting_, reinterpret_cast<std::int16_t*>(data), count);
        return static_cast<qint64>(count) * 2;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    SimAudio& owner_;
};

namespace {

QAudioFormat monoFormat()
{
    QAudioFormat f;
    f.setSampleRate(ReceiveSignal::kRate);
    f.setChannelCount(1);
    f.setSampleFormat(QAudioFormat::Int16);
    return f;
}

} // namespace

SimAudio::SimAudio(SimulatedRadio& radio, SimAudioOptions options)
    : radio_(radio), options_(std::move(options)), signal_(options_.stationHz, options_.beacon, options_.beaconText), poll_(new QTimer(this))
{
    connect(poll_, &QTimer::timeout, this, [this] { look(); });
}

SimAudio::~SimAudio()
{
    if (sink_)
        sink_->stop();
    if (source_)
        source_->stop();
}

bool SimAudio::start()
{
    look();
    poll_->start(10);
    if (!options_.playback.empty()) {
        const auto dev = audio::findDevice(audio::Direction::Playback, QString::fromStdString(options_.playback));
        if (!dev) {
            error_ = "no playback device \"" + options_.playback + "\"";
            return false;
        }
        signalDevice_ = std::make_unique<SignalDevice>(*this);
        sink_ = new QAudioSink(*dev, monoFormat(), this);
        // Generous: the simulator is not what is being measured, and a starved sink gaps.
        sink_->setBufferSize(ReceiveSignal::kRate / 1000 * 100 * 2);
        sink_->start(signalDevice_.get());
    }
    if (!options_.capture.empty()) {
        const auto dev = audio::findDevice(audio::Direction::Capture, QString::fromStdString(options_.capture));
        if (!dev) {
            error_ = "no capture device \"" + options_.capture + "\"";
            return false;
        }
        if (!options_.recording.empty() && !wav_.open(options_.recording, ReceiveSignal::kRate)) {
            error_ = "cannot write " + options_.recording;
            return false;
        }
        source_ = new QAudioSource(*dev, monoFormat(), this);
        source_->setBufferSize(ReceiveSignal::kRate / 1000 * 20 * 2);
        input_ = source_->start();
        if (!input_) {
            error_ = "cannot record from \"" + options_.capture + "\"";
            return false;
        }
        connect(input_, &QIODevice::readyRead, this, [this] { captured(); });
    }
    return true;
}

void SimAudio::look()
{
    const RadioModel m = radio_.model();
    dialHz_ = m.frequency(m.activeVfo());
    transmitting_ = m.transmitting();
}

void SimAudio::captured()
{
    const QByteArray bytes = input_->readAll();
    // The modulation input only modulates while the radio transmits.
    look();
    if (!transmitting_ || !wav_.isOpen())
        return;
    wav_.append(reinterpret_cast<const std::int16_t*>(bytes.constData()), static_cast<int>(bytes.size() / 2));
}

} // namespace qx::sim
