#include "menu/MenuText.h"

#include "menu/MenuKind.h"
#include "menu/MenuValue.h"
#include "menu/ToneTable.h"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace qx {
namespace {

using namespace MenuKind;

constexpr std::string_view kUnknown = " ????????????";
constexpr int kMaxListIndex = 60;
// A table row with a tiny step must not make a dialog of millions of lines.
constexpr int kMaxChoices = 10000;

std::string format(const char* fmt, double v)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

std::string formatInt(const char* fmt, int v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

std::string withBlank(std::string_view s) { return " " + std::string(s); }

// Index into the value texts: "????" from 61 on (or negative), empty from the
// number of texts up to 60.
std::string listIndexText(const MenuItem& item, int index)
{
    if (index < 0 || index > kMaxListIndex)
        return std::string(kUnknown);
    return withBlank(item.valueText(index));
}

int pitchGroup(int v)
{
    if (v >= 0 && v <= 2)
        return 0;
    if (v >= 3 && v <= 4)
        return 1;
    if (v >= 5 && v <= 6)
        return 2;
    if (v >= 7 && v <= 8)
        return 3;
    return 4;
}

int levelPercent(double value) { return menuInt(value * 100.0 / 255.0 + 0.5); }

std::string volumeLinkText(const MenuItem& item, int v)
{
    if (v >= 0 && v <= 100)
        return std::string(item.valueText(0)) + formatInt(" %d", v);
    if (v >= 101 && v <= 201)
        return std::string(item.valueText(1)) + formatInt(" %d", v - 151);
    return {};
}

std::string scaledText(const MenuItem& item, double v)
{
    switch (item.decimals) {
    case 1: return format(" %.1f", v * 0.1);
    case 2: return format(" %.2f", v * 0.01);
    case 3: return format(" %.3f", v * 0.001);
    default: return format(" %f", v);
    }
}

int flagIndex(const MenuItem& item, int flag)
{
    return flag >= 0 && flag < item.valueCount ? flag : item.valueCount - 1;
}

// The setting without units; `named` tells whether a named value was shown.
std::string bareSetting(const MenuItem& item, const ListLineView& view, bool& named)
{
    const double v = item.changed ? item.newValue : item.value;
    named = false;
    const int kind = item.kind;
    if (kind == Number || kind == Signed)
        return formatInt(" %d", menuInt(v * item.effectiveMultiplier()));
    if (kind == List)
        return listIndexText(item, menuInt(v - item.min));
    if (isPlainList(kind) || kind == Tone)
        return listIndexText(item, menuInt(v));
    if (kind == Hundredths)
        return scaledText(item, v);
    if (kind == Tenths)
        return format(" %.1f", v * 0.1);
    if (kind == BandFlags || kind == ModeFlags) {
        const int i = flagIndex(item, view.flag);
        if (i < 0)
            return {};
        return withBlank(item.valueText(i)) + (flagIsSet(kind, v, i) ? " ON" : " OFF");
    }
    if (kind == NamedNumber) {
        const int mult = item.effectiveMultiplier();
        if (v >= item.min / mult)
            return formatInt(" %d", menuInt(v * mult));
        named = true;
        return withBlank(item.valueText(0));
    }
    if (kind == Pitch)
        return withBlank(item.valueText(pitchGroup(menuInt(v))));
    if (kind == MicEq || kind == Dimmer)
        return formatInt(" %d", menuInt(v));
    if (kind == BeaconText) {
        const std::string_view text = item.changed ? item.newText.view() : item.text.view();
        std::string_view shown = text;
        if (text.size() > kBeaconTextShown)
            shown = text.substr(view.textOffset < text.size() ? view.textOffset : 0, kBeaconTextShown);
        return formatInt(" %d", menuInt(v)) + withBlank(shown);
    }
    if (kind == Level) {
        if (item.valueCount > 0 && v == item.min)
            return withBlank(item.valueText(0));
        return formatInt(" %d", levelPercent(v));
    }
    if (kind == VolumeLink) {
        const std::string s = volumeLinkText(item, menuInt(v));
        return s.empty() ? std::string(kUnknown) : withBlank(s);
    }
    return {};
}

std::string padded(std::string s, std::size_t width)
{
    if (s.size() < width)
        s.append(width - s.size(), ' ');
    return s;
}

// min, min + step, ... while not above max, computed by index so that a step
// such as 0.01 does not drift past the last value.
std::vector<double> numberRun(double min, double max, double step)
{
    std::vector<double> run;
    if (!(step > 0) || !(min <= max))
        return run;
    const double n = std::floor((max - min) / step + 1e-9);
    for (int i = 0; i <= n && i < kMaxChoices; ++i)
        run.push_back(min + i * step);
    return run;
}

std::vector<double> numberChoices(const MenuItem& item)
{
    switch (item.kind) {
    case Hundredths: return numberRun(item.min * 0.01, item.max * 0.01, item.step);
    case Tenths: return numberRun(item.min * 0.1, item.max * 0.1, item.step);
    default: return numberRun(item.min, item.max, item.step);
    }
}

int roundedInt(double v) { return static_cast<int>(std::lround(v)); }

std::vector<std::string> valueTexts(const MenuItem& item)
{
    std::vector<std::string> texts;
    for (int i = 0; i < item.valueCount && i < MenuItem::kMaxValueTexts; ++i)
        texts.emplace_back(item.valueText(i));
    return texts;
}

int selectedNumber(const MenuItem& item, const std::vector<double>& run)
{
    for (std::size_t i = 0; i < run.size(); ++i) {
        const double c = run[i];
        bool match = false;
        switch (item.kind) {
        case Number:
        case Signed: match = menuInt(item.value * item.effectiveMultiplier()) == roundedInt(c); break;
        case MicEq:
        case Dimmer: match = menuInt(item.value) == roundedInt(c); break;
        case Hundredths: match = menuInt(c * 100) == menuInt(item.value); break;
        case Tenths: match = menuInt(c * 10) == menuInt(item.value); break;
        case Level: match = levelPercent(item.value) == roundedInt(c); break;
        default: break;
        }
        if (match)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

int flagWeight(int kind, int i)
{
    if (i < 0 || i > 30)
        return 0;
    if (kind == BandFlags)
        return 1024 >> i;
    if (kind == ModeFlags)
        return 32 >> i;
    return 0;
}

bool flagIsSet(int kind, double value, int i)
{
    const int w = flagWeight(kind, i);
    return w != 0 && (menuInt(value) & w) != 0;
}

std::string settingText(const MenuItem& item, const ListLineView& view)
{
    bool named = false;
    std::string s = bareSetting(item, view, named);
    if (item.hasUnits && !named)
        s += item.units.view();
    return s;
}

std::string listLine(const MenuItem& item, const ListLineView& view)
{
    return formatInt("%03d ", item.number) + padded(std::string(item.name.view()), 8)
        + padded(withBlank(item.rangeText.view()), 88) + settingText(item, view);
}

MenuChoices menuChoices(const MenuItem& item)
{
    MenuChoices c;
    const int kind = item.kind;
    if (kind == List || isPlainList(kind) || kind == Pitch || kind == BandFlags || kind == ModeFlags) {
        c.texts = valueTexts(item);
        if (kind == List)
            c.selected = menuInt(item.value - item.min);
        else if (kind == Pitch)
            c.selected = pitchGroup(menuInt(item.value));
        else if (isPlainList(kind))
            c.selected = menuInt(item.value);
    } else if (kind == Tone) {
        for (int i = 0; i < kToneCount; ++i) {
            const ToneEntry& e = kToneTable[static_cast<std::size_t>(i)];
            c.texts.emplace_back(e.view());
            if (e.code == menuInt(item.value))
                c.selected = i;
        }
    } else if (kind == NamedNumber) {
        c.texts.emplace_back(item.valueText(0));
        const int mult = item.effectiveMultiplier();
        const std::vector<double> run = numberRun(item.min, item.max, item.step);
        for (double v : run)
            c.texts.push_back(formatInt("%d", roundedInt(v)));
        if (item.value < item.min / mult) {
            c.selected = 0;
        } else {
            for (std::size_t i = 0; i < run.size(); ++i)
                if (menuInt(run[i] / mult) == menuInt(item.value))
                    c.selected = static_cast<int>(i) + 1;
        }
    } else if (kind == VolumeLink) {
        for (double v : numberRun(item.min, item.max, item.step))
            c.texts.push_back(volumeLinkText(item, roundedInt(v)));
        c.selected = menuInt(item.value);
    } else if (kind == Number || kind == Signed || kind == MicEq || kind == Dimmer || kind == Hundredths
               || kind == Tenths || kind == Level) {
        const std::vector<double> run = numberChoices(item);
        for (double v : run) {
            if (kind == Hundredths)
                c.texts.push_back(format("%.2f", v));
            else if (kind == Tenths)
                c.texts.push_back(format("%.1f", v));
            else
                c.texts.push_back(formatInt("%d", roundedInt(v)));
        }
        if (kind == Level && item.valueCount > 0 && !c.texts.empty())
            c.texts.front() = item.valueText(0);
        c.selected = selectedNumber(item, run);
    }
    if (c.selected < 0 || c.selected >= static_cast<int>(c.texts.size()))
        c.selected = -1;
    return c;
}

std::optional<double> storedValueFromChoice(const MenuItem& item, int index)
{
    const MenuChoices c = menuChoices(item);
    if (index < 0 || index >= static_cast<int>(c.texts.size()))
        return std::nullopt;
    const int kind = item.kind;
    const double i = index;
    if (kind == List)
        return item.min + i;
    if (isPlainList(kind) || kind == VolumeLink)
        return i;
    if (kind == Pitch)
        return 2 * i + 2;
    if (kind == Tone)
        return kToneTable[static_cast<std::size_t>(index)].code;
    if (kind == NamedNumber)
        return i + item.min / item.effectiveMultiplier() - item.valueCount;
    if (kind == BandFlags || kind == ModeFlags)
        return std::nullopt;
    const double choice = numberChoices(item)[static_cast<std::size_t>(index)];
    switch (kind) {
    case Number:
    case Signed: return std::round(choice / item.effectiveMultiplier());
    // The chosen number is a decimal text's value; rounding keeps 0.29 from
    // being stored as 28.999... and then sent as 28.
    case Hundredths: return std::round(choice * 100);
    case Tenths: return std::round(choice * 10);
    case Level:
        if (index == 0 && item.valueCount > 0)
            return item.min;
        return menuInt(choice * 2.55 + 0.5);
    default: return std::round(choice);
    }
}

double storedValueFromFlags(const MenuItem& item, const std::vector<bool>& ticked)
{
    double sum = 0;
    for (std::size_t i = 0; i < ticked.size() && static_cast<int>(i) < item.valueCount; ++i)
        if (ticked[i])
            sum += flagWeight(item.kind, static_cast<int>(i));
    return sum;
}

} // namespace qx
