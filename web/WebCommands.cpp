#include "web/WebCommands.h"

#include "core/MessageIds.h"
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"
#include "state/TypedFrequency.h"

#include <QJsonValue>

#include <array>
#include <cmath>

namespace qx::web {
namespace {

constexpr int kLowestHz = 30000;
constexpr int kHighestHz = 60000000;

// The bands in the order of the page's keys, as the panel's band list.
constexpr std::array<std::uint32_t, 11> kBandRequests{UM_REQ_BS_00, UM_REQ_BS_01, UM_REQ_BS_03, UM_REQ_BS_04,
                                                      UM_REQ_BS_05, UM_REQ_BS_06, UM_REQ_BS_07, UM_REQ_BS_08,
                                                      UM_REQ_BS_09, UM_REQ_BS_10, UM_REQ_BS_11};
constexpr std::array<std::uint32_t, 8> kModeRequests{0,
                                                     UM_REQ_MD_MODE_1,
                                                     UM_REQ_MD_MODE_2,
                                                     UM_REQ_MD_MODE_3,
                                                     UM_REQ_MD_MODE_4,
                                                     UM_REQ_MD_MODE_5,
                                                     UM_REQ_MD_MODE_6,
                                                     UM_REQ_MD_MODE_7};
// The keyer memories the CW window plays (1 to 3), and the one a sent text
// goes through, as the rig server sends its texts.
constexpr std::array<std::uint32_t, 3> kPlayMemory{UM_REQ_KY_6, UM_REQ_KY_7, UM_REQ_KY_8};
constexpr std::size_t kMaxMorseLength = 40;

bool keyable(QChar c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || QStringLiteral(".,/?=+-@'():").contains(c);
}

std::optional<int> intIn(const QJsonObject& o, const char* key, int lo, int hi)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (!(d >= lo && d <= hi) || d != std::floor(d))
        return std::nullopt;
    return static_cast<int>(d);
}

QString setFrequency(int hz, rig::RigWriter& writer, rig::RigStateView& radio)
{
    if (hz < kLowestHz || hz > kHighestHz)
        return QStringLiteral("The frequency is outside the radio's range.");
    const int vfo = radio.activeVfo();
    writer.request(vfo == 1 ? UM_REQ_FB_SET : UM_REQ_FA_SET, 0, hz);
    radio.expect(vfo == 1 ? RadioState::Int::FB : RadioState::Int::FA, hz);
    return {};
}

QString level(const QJsonObject& c, std::uint32_t request, RadioState::Int entry, rig::RigWriter& writer,
              rig::RigStateView& radio)
{
    const auto v = intIn(c, "v", 0, 255);
    if (!v)
        return QStringLiteral("A level goes from 0 to 255.");
    writer.request(request, 0, *v);
    radio.expect(entry, *v);
    return {};
}

QString sendText(const QString& text, rig::RigWriter& writer)
{
    const QString upper = text.toUpper();
    if (upper.isEmpty() || upper.size() > static_cast<qsizetype>(kMaxMorseLength))
        return QStringLiteral("A text to send has 1 to 40 characters.");
    for (QChar ch : upper) {
        // A ";" would end the keyer command early.
        if (!keyable(ch))
            return QStringLiteral("The keyer cannot send \"%1\".").arg(ch);
    }
    if (!writer.sendText("KM5" + upper.toStdString() + ";"))
        return QStringLiteral("The text could not be queued.");
    writer.request(UM_REQ_KY_A, 0, 0);
    return {};
}

} // namespace

QString runRadioCommand(const QJsonObject& c, rig::RigWriter& writer, rig::RigStateView& radio)
{
    using R = RadioState::Int;
    const QString t = c.value("t").toString();
    if (t == "freq") {
        if (c.value("text").isString()) {
            // The rule VFO SET reads a typed frequency by, refusals worded for
            // the operator as there.
            const TypedFrequency typed = readTypedFrequency(c.value("text").toString().toStdString());
            if (typed.empty())
                return QString::fromUtf8(kTypedFrequencyRule.data(), static_cast<qsizetype>(kTypedFrequencyRule.size()));
            if (!typed.hz)
                return QString::fromStdString(typed.refusal);
            return setFrequency(static_cast<int>(*typed.hz), writer, radio);
        }
        const auto hz = intIn(c, "hz", kLowestHz, kHighestHz);
        return hz ? setFrequency(*hz, writer, radio) : QStringLiteral("The frequency is outside the radio's range.");
    }
    if (t == "step") {
        const auto step = intIn(c, "hz", -10000000, 10000000);
        if (!step)
            return QStringLiteral("That step is too large.");
        return setFrequency(radio.frequency(radio.activeVfo()) + *step, writer, radio);
    }
    if (t == "band") {
        const auto b = intIn(c, "b", 0, static_cast<int>(kBandRequests.size()) - 1);
        if (!b)
            return QStringLiteral("No such band.");
        writer.request(kBandRequests[static_cast<std::size_t>(*b)], 0, 0);
        return {};
    }
    if (t == "mode") {
        const auto m = intIn(c, "m", 1, 7);
        if (!m)
            return QStringLiteral("No such mode.");
        writer.request(kModeRequests[static_cast<std::size_t>(*m)], 0, 0);
        radio.expect(R::MD0, *m);
        return {};
    }
    if (t == "vfo") {
        const auto v = intIn(c, "v", 0, 1);
        if (!v)
            return QStringLiteral("The VFO is A or B.");
        if (*v != radio.activeVfo()) {
            writer.request(*v == 1 ? UM_REQ_VS_1 : UM_REQ_VS_0, 0, 0);
            radio.expect(R::VS, *v);
        }
        return {};
    }
    if (t == "aeqb") {
        writer.request(UM_REQ_AB, 0, 0);
        return {};
    }
    if (t == "split") {
        const int rx = radio.activeVfo();
        // Split transmits on the VFO that does not receive.
        const int target = c.value("on").toBool() ? 1 - rx : rx;
        writer.request(UM_REQ_QS_FT, 0, target);
        radio.expect(R::FT, target);
        return {};
    }
    if (t == "af")
        return level(c, UM_REQ_AG_SET_0, R::AG0, writer, radio);
    if (t == "rf")
        return level(c, UM_REQ_RG_SET_0, R::RG0, writer, radio);
    if (t == "sql")
        return level(c, UM_REQ_SQ_SET_0, R::SQ0, writer, radio);
    if (t == "att") {
        const int v = c.value("on").toBool() ? 3 : 0;
        writer.request(UM_REQ_RA_SET, 0, v);
        radio.expect(R::RA, v);
        return {};
    }
    if (t == "ipo") {
        const int v = c.value("on").toBool() ? 0 : 1;
        writer.request(UM_REQ_PA_SET, 0, v);
        radio.expect(R::PA, v);
        return {};
    }
    if (t == "nb") {
        const auto v = intIn(c, "v", 0, 2);
        if (!v)
            return QStringLiteral("NB is 0, 1 or 2.");
        writer.request(UM_REQ_NB_SET, 0, *v);
        radio.expect(R::NB, *v);
        return {};
    }
    if (t == "dnr") {
        writer.request(UM_REQ_NR_TOGGLE, 0, 0);
        return {};
    }
    if (t == "agc") {
        const auto v = intIn(c, "v", 0, 4);
        if (!v || *v == 3)
            return QStringLiteral("AGC is off, auto, fast or slow.");
        writer.request(UM_REQ_GT_SET, 0, *v);
        return {};
    }
    if (t == "kmem") {
        const auto n = intIn(c, "n", 1, static_cast<int>(kPlayMemory.size()));
        if (!n)
            return QStringLiteral("Keyer memories 1 to 3 can be played.");
        writer.request(kPlayMemory[static_cast<std::size_t>(*n - 1)], 0, 0);
        return {};
    }
    if (t == "kstop") {
        writer.request(UM_REQ_KY_0, 0, 0);
        return {};
    }
    if (t == "cw")
        return sendText(c.value("text").toString(), writer);
    return QStringLiteral("Unknown operation.");
}

} // namespace qx::web
