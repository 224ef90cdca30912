// The system's sound devices by the names an operator or a script gives:
// the sound server's own name (e.g. "radio_rx.monitor") or the description
// it shows (e.g. "USB Audio CODEC"), whole or in part.
#pragma once
#include <QAudioDevice>
#include <QStringList>

#include <optional>

namespace qx::audio {

enum class Direction { Capture, Playback };

QStringList deviceNames(Direction d);
// Mono 16-bit at that rate: what the remote audio records and plays.
QAudioFormat monoFormat(int rate);
// An empty name is the system's default device. Empty when nothing matches
// or no device of that direction exists.
std::optional<QAudioDevice> findDevice(Direction d, const QString& name);

} // namespace qx::audio
