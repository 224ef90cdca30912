#include "menu/MenuExParam.h"

#include "menu/MenuKind.h"
#include "menu/MenuValue.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace qx {
namespace {

bool isSignedKind(int kind) { return kind == 4 || kind == 5 || kind == 11 || (kind >= 25 && kind <= 30); }
bool isSignedFractionKind(int kind) { return kind == 6 || kind == 7; }
bool isFractionKind(int kind) { return kind == 3; }

int flagWeight0(int kind) { return kind == MenuKind::BandFlags ? 1024 : 32; }

// `digits` right-aligned in a field of `width` "0"s; nothing when they do not fit.
std::optional<std::string> rightAligned(std::string_view digits, int width)
{
    const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    if (digits.size() > w)
        return std::nullopt;
    std::string field(w, '0');
    field.replace(w - digits.size(), digits.size(), digits);
    return field;
}

std::string wholeDigits(long long n) { return std::to_string(n); }

std::string fractionDigits(double magnitude)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.6f", magnitude);
    return buf;
}

std::optional<std::string> signedField(double value, int width, bool fraction)
{
    if (width <= 0 || std::isnan(value))
        return std::nullopt;
    const double magnitude = std::fabs(value);
    const std::string digits = fraction ? fractionDigits(magnitude) : wholeDigits(truncatedValue(magnitude));
    const auto field = rightAligned(digits, width - 1);
    if (!field)
        return std::nullopt;
    return (value >= 0 ? "+" : "-") + *field;
}

// Nothing for a value with a flag the field has no place for.
std::optional<std::string> flagField(int kind, int width, double value)
{
    const long long bits = truncatedValue(value);
    if (bits < 0)
        return std::nullopt;
    std::string field;
    long long shown = 0;
    for (int j = 0; j < width; ++j) {
        const int weight = j < 31 ? flagWeight0(kind) >> j : 0;
        const bool set = weight != 0 && (bits & weight) != 0;
        field += set ? '1' : '0';
        shown |= set ? weight : 0;
    }
    if (shown != bits)
        return std::nullopt;
    return field;
}

// The radio takes ";" as the end of a command and only printable ASCII in a
// beacon, so anything else in the operator's text is left out.
std::optional<std::string> beaconField(double value, std::string_view text)
{
    const long long channel = truncatedValue(value);
    if (channel < 0 || channel > 9)
        return std::nullopt;
    std::string field(1, static_cast<char>('0' + channel));
    for (char c : text.substr(0, kBeaconTextMax))
        if (c >= 0x20 && c <= 0x7E && c != ';')
            field += c;
    return field;
}

// [+|-]digits and nothing else.
bool parseDecimal(std::string_view s, double& out)
{
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 15)
        return false;
    long long n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    out = static_cast<double>(negative ? -n : n);
    return true;
}

} // namespace

int exCommandWidth(int kind, int width, int widthAdjust)
{
    const bool narrower = widthAdjust == 0 && (kind == 31 || kind == 32 || kind == 34 || kind == 35);
    return narrower && width > 0 ? width - 1 : width;
}

int exAnswerWidth(int kind, int width, int widthAdjust)
{
    const bool narrower = widthAdjust == 0 && (kind == 32 || kind == 35);
    return narrower && width > 0 ? width - 1 : width;
}

std::string exReadCommand(int slot)
{
    if (slot < 1 || slot > 999)
        return {};
    char buf[8];
    std::snprintf(buf, sizeof buf, "EX%03d;", slot);
    return buf;
}

std::optional<std::string> exParameter(int kind, int width, double value, std::string_view text)
{
    if (kind == MenuKind::BeaconText)
        return beaconField(value, text);
    if (kind == MenuKind::BandFlags || kind == MenuKind::ModeFlags)
        return flagField(kind, width, value);
    if (isSignedKind(kind))
        return signedField(value, width, false);
    if (isSignedFractionKind(kind))
        return signedField(value, width, true);
    if (value < 0 || std::isnan(value))
        return std::nullopt;
    if (isFractionKind(kind))
        return rightAligned(fractionDigits(value), width);
    return rightAligned(wholeDigits(truncatedValue(value)), width);
}

std::string exSetCommand(int slot, const MenuItem& item, int widthAdjust)
{
    if (item.kind == MenuKind::Vacant || item.kind == MenuKind::Dimmer)
        return {};
    std::string command = exReadCommand(slot);
    const auto field = exParameter(item.kind, exCommandWidth(item.kind, item.width, widthAdjust), item.newValue,
                                   item.newText.view());
    if (command.empty() || !field)
        return {};
    command.pop_back();
    command += *field;
    command += ';';
    return command;
}

ExAnswerResult storeExAnswer(MenuTable& table, std::string_view answer, int widthAdjust)
{
    ExAnswerResult result;
    if (answer.size() < 5 || answer.substr(0, 2) != "EX")
        return result;
    int slot = 0;
    for (char c : answer.substr(2, 3))
        if (c >= '0' && c <= '9')
            slot = slot * 10 + (c - '0');
    if (slot < 1 || slot > table.count())
        return result;

    std::string_view param = answer.substr(5);
    if (const auto end = param.find(';'); end != std::string_view::npos)
        param = param.substr(0, end);

    const bool changed = table.update(slot, [&](MenuItem& item) {
        result.kind = item.kind;
        if (item.kind == MenuKind::Vacant)
            return false;
        double value = 0;
        if (item.kind == MenuKind::BeaconText) {
            // The text is as long as the answer holds, never more than the entry keeps.
            if (param.empty() || param[0] < '0' || param[0] > '9')
                return false;
            value = param[0] - '0';
            item.text = param.substr(1, kBeaconTextMax);
        } else {
            const int width = exAnswerWidth(item.kind, item.width, widthAdjust);
            if (width <= 0 || param.size() < static_cast<std::size_t>(width))
                return false;
            const std::string_view field = param.substr(0, static_cast<std::size_t>(width));
            if (item.kind == MenuKind::BandFlags || item.kind == MenuKind::ModeFlags) {
                for (std::size_t j = 0; j < field.size() && j < 31; ++j)
                    if (field[j] == '1')
                        value += flagWeight0(item.kind) >> j;
            } else if (!parseDecimal(field, value)) {
                return false;
            }
        }
        if (value == item.value)
            return false;
        item.value = value;
        return true;
    });
    if (result.kind != MenuKind::Vacant)
        result.slot = slot;
    result.changed = changed;
    return result;
}

} // namespace qx
