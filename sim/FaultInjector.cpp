#include "sim/FaultInjector.h"

#include <algorithm>

namespace qx::sim {

FaultInjector::FaultInjector(std::uint32_t seed) : random_(seed) {}

void FaultInjector::configure(FaultSettings settings)
{
    settings.dropShare = std::clamp(settings.dropShare, 0.0, 1.0);
    settings.corruptShare = std::clamp(settings.corruptShare, 0.0, 1.0);
    settings.splitGap = std::max(settings.splitGap, std::chrono::milliseconds(0));
    settings.delay = std::max(settings.delay, std::chrono::milliseconds(0));
    settings_ = settings;
}

bool FaultInjector::chance(double share)
{
    if (share <= 0)
        return false;
    if (share >= 1)
        return true;
    return static_cast<double>(random_()) < share * 4294967296.0;
}

char FaultInjector::randomByte()
{
    char c = ';';
    while (c == ';')
        c = static_cast<char>(random_() & 0xFF);
    return c;
}

std::vector<FaultInjector::Piece> FaultInjector::shape(std::string_view answer)
{
    if (settings_.silent)
        return {};
    std::string bytes;
    for (char c : answer) {
        if (chance(settings_.dropShare))
            continue;
        if (chance(settings_.corruptShare)) {
            char replacement = randomByte();
            while (replacement == c)
                replacement = randomByte();
            c = replacement;
        }
        bytes += c;
    }
    if (settings_.splitGap.count() > 0 && bytes.size() >= 2) {
        const std::size_t middle = bytes.size() / 2;
        return {Piece{bytes.substr(0, middle), settings_.delay}, Piece{bytes.substr(middle), settings_.splitGap}};
    }
    return {Piece{std::move(bytes), settings_.delay}};
}

std::string FaultInjector::noise(std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes += randomByte();
    return bytes;
}

} // namespace qx::sim
