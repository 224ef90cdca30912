// How the radio words its answers: the plain settings as stored, and the
// answers it puts together from its state (status, meters, memories).
#include "sim/RadioModel.h"

#include "cat/CatCommand.h"
#include "sim/BandPlan.h"
#include "sim/CodeLayout.h"
#include "sim/Digits.h"

namespace qx::sim {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

std::string text(std::string_view code, std::string_view body)
{
    return std::string(code) + std::string(body) + ";";
}

// Every answer leaves with exactly its table length, or not at all.
std::optional<std::string> checked(std::string answer)
{
    const CodeLayout layout = layoutOf(std::string_view(answer).substr(0, 2));
    if (layout.answerLength != static_cast<int>(answer.size()))
        return std::nullopt;
    return answer;
}

std::optional<int> selectorDigit(std::string_view sel)
{
    if (sel.size() != 1 || !isDigit(sel.front()))
        return std::nullopt;
    return sel.front() - '0';
}

} // namespace

std::optional<std::string> RadioModel::answerFor(std::string_view key) const
{
    if (key.size() < 2)
        return std::nullopt;
    const std::string_view code = key.substr(0, 2);
    const std::string_view sel = key.substr(2);
    const auto digit = selectorDigit(sel);

    if (code == "ID" && sel.empty())
        return checked(text(code, config_.id));
    if (code == "AI" && sel.empty())
        return checked(text(code, autoInfo_ ? "1" : "0"));
    if (code == "PS" && sel.empty())
        return checked(text(code, power_ == Power::On ? "1" : "0"));
    if (code == "IF" && sel.empty())
        return checked(infoAnswer(code, activeVfo()));
    if (code == "OI" && sel.empty())
        return checked(infoAnswer(code, 1 - activeVfo()));
    if (code == "BS" && sel.empty())
        return checked(text(code, rightAlignedField(2, BandPlan::bandOf(frequency(activeVfo())))));
    if (code == "UL" && sel.empty())
        return checked(text(code, "0"));
    if (code == "VC" && sel.empty())
        return checked(text(code, rightAlignedField(3, meters_.supplyTenths())));
    if (code == "BY" && sel.empty()) {
        const bool busy = !transmitting() && meters_.reading(Meters::kSMeter) > settings_.number("SQ0");
        return checked(text(code, busy ? "10" : "00"));
    }
    if (code == "MD") {
        if (!digit || *digit > 1)
            return std::nullopt;
        const int vfo = *digit == 0 ? activeVfo() : 1 - activeVfo();
        return checked(text(code, std::string(sel) + kHexDigits[static_cast<std::size_t>(mode(vfo) & 15)]));
    }
    if (code == "RM")
        return digit ? meterAnswer(*digit) : std::nullopt;
    if (code == "SM") {
        if (!digit || *digit > 1)
            return std::nullopt;
        return checked(text(code, std::string(sel) + rightAlignedField(3, meters_.reading(Meters::kSMeter))));
    }
    if (code == "KM") {
        if (!digit || *digit < 1 || *digit > static_cast<int>(keyer_.size()))
            return std::nullopt;
        return checked(text(code, std::string(sel) + keyer_[static_cast<std::size_t>(*digit - 1)]));
    }
    if (code == "MR") {
        if (sel.size() != 3 || !allDigits(sel))
            return std::nullopt;
        const auto content = memories_.recall(static_cast<int>(*parseSigned(sel)));
        return content ? checked(text(code, std::string(sel) + *content)) : std::nullopt;
    }
    if (!settings_.has(key))
        return std::nullopt;
    return checked(text(code, std::string(sel) + settings_.value(key)));
}

std::string RadioModel::infoAnswer(std::string_view code, int vfo) const
{
    const std::string suffix = vfo == activeVfo() ? "0" : "1";
    std::string body = settings_.value("MC");
    body += rightAlignedField(8, frequency(vfo));
    body += clarifier_ < 0 ? '-' : '+';
    body += rightAlignedField(4, clarifier_ < 0 ? -clarifier_ : clarifier_);
    body += settings_.value("RT");
    body += '0';  // transmit clarifier: the radio has no command for it
    body += kHexDigits[static_cast<std::size_t>(mode(vfo) & 15)];
    body += memoryMode_ ? '1' : '0';
    body += settings_.value("CT" + suffix);
    body += settings_.value("CN" + suffix);
    body += settings_.value("OS" + suffix);
    return text(code, body);
}

std::optional<std::string> RadioModel::meterAnswer(int meter) const
{
    if (meter < 0 || meter > Meters::kTransmitMeters)
        return std::nullopt;
    return checked(text("RM", rightAlignedField(1, meter) + rightAlignedField(3, meters_.reading(meter))));
}

std::string RadioModel::memoryContent() const
{
    // The layout "MW" writes and "MR" reads back, after the channel number.
    std::string content = rightAlignedField(8, frequency(0));
    content += clarifier_ < 0 ? '-' : '+';
    content += rightAlignedField(4, clarifier_ < 0 ? -clarifier_ : clarifier_);
    content += settings_.value("RT");
    content += '0';
    content += kHexDigits[static_cast<std::size_t>(mode(0) & 15)];
    content += '0';
    content += settings_.value("CT0");
    content += settings_.value("CN0");
    content += settings_.value("OS0");
    return content;
}

} // namespace qx::sim
