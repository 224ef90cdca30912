#include "audio/AudioDevices.h"

#include <QMediaDevices>

namespace qx::audio {
namespace {

QList<QAudioDevice> devices(Direction d)
{
    return d == Direction::Capture ? QMediaDevices::audioInputs() : QMediaDevices::audioOutputs();
}

} // namespace

QAudioFormat monoFormat(int rate)
{
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

QStringList deviceNames(Direction d)
{
    QStringList names;
    for (const QAudioDevice& dev : devices(d))
        names << QString::fromUtf8(dev.id());
    return names;
}

std::optional<QAudioDevice> findDevice(Direction d, const QString& name)
{
    const QList<QAudioDevice> all = devices(d);
    if (all.isEmpty())
        return std::nullopt;
    if (name.isEmpty()) {
        const QAudioDevice def = d == Direction::Capture ? QMediaDevices::defaultAudioInput()
                                                        : QMediaDevices::defaultAudioOutput();
        return def.isNull() ? std::optional<QAudioDevice>(all.front()) : def;
    }
    // The exact name first, so that "radio" never picks "radio.monitor" by chance.
    for (const QAudioDevice& dev : all) {
        if (QString::fromUtf8(dev.id()) == name || dev.description() == name)
            return dev;
    }
    for (const QAudioDevice& dev : all) {
        if (dev.description().contains(name, Qt::CaseInsensitive))
            return dev;
    }
    return std::nullopt;
}

} // namespace qx::audio
