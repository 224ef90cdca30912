#include "sim/audio/ReceiveSignal.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>

namespace qx::sim {
namespace {

constexpr double kAmplitude = 0.3 * 32767;
constexpr int kDotSamples = ReceiveSignal::kRate * 60 / 1000;  // 20 words a minute

const std::map<char, const char*>& morse()
{
    static const std::map<char, const char*> table{
        {'A', ".-"},   {'B', "-..."}, {'C', "-.-."}, {'D', "-.."},  {'E', "."},    {'F', "..-."}, {'G', "--."},
        {'H', "...."}, {'I', ".."},   {'J', ".---"}, {'K', "-.-"},  {'L', ".-.."}, {'M', "--"},   {'N', "-."},
        {'O', "---"},  {'P', ".--."}, {'Q', "--.-"}, {'R', ".-."},  {'S', "..."},  {'T', "-"},    {'U', "..-"},
        {'V', "...-"}, {'W', ".--"},  {'X', "-..-"}, {'Y', "-.--"}, {'Z', "--.."}, {'0', "-----"}, {'1', ".----"},
        {'2', "..---"}, {'3', "...--"}, {'4', "....-"}, {'5', "....."}, {'6', "-...."}, {'7', "--..."},
        {'8', "---.."}, {'9', "----."}};
    return table;
}

} // namespace

ReceiveSignal::ReceiveSignal(long long stationHz, bool beacon, std::string text)
    : stationHz_(stationHz), beacon_(beacon)
{
    for (char ch : text) {
        if (ch == ' ') {
            keying_.insert(keying_.end(), 4, false);  // with the letter gap before: 7 dots
            continue;
        }
        const auto it = morse().find(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))));
        if (it == morse().end())
            continue;
        for (const char* e = it->second; *e; ++e) {
            keying_.insert(keying_.end(), *e == '-' ? 3 : 1, true);
            keying_.push_back(false);
        }
        keying_.insert(keying_.end(), 2, false);
    }
    if (keying_.empty())
        keying_.push_back(true);
}

long long ReceiveSignal::pitchFor(long long stationHz, long long dialHz)
{
    const long long pitch = std::llabs(stationHz - dialHz);
    return pitch >= kLowestPitch && pitch <= kHighestPitch ? pitch : 0;
}

bool ReceiveSignal::keyedAt(std::uint64_t sample) const
{
    if (!beacon_)
        return true;
    return keying_[(sample / kDotSamples) % keying_.size()];
}

void ReceiveSignal::render(long long dialHz, bool transmitting, std::int16_t* out, int count)
{
    const long long pitch = transmitting ? 0 : pitchFor(stationHz_, dialHz);
    const double step = 2 * M_PI * static_cast<double>(pitch) / kRate;
    for (int i = 0; i < count; ++i, ++sample_) {
        const bool on = pitch != 0 && keyedAt(sample_);
        out[i] = on ? static_cast<std::int16_t>(std::lround(kAmplitude * std::sin(phase_))) : 0;
        phase_ = std::fmod(phase_ + step, 2 * M_PI);
    }
}

} // namespace qx::sim
