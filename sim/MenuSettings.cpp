#include "sim/MenuSettings.h"

#include "cat/CatCommand.h"
#include "menu/MenuDefinition.h"
#include "menu/MenuKind.h"
#include "sim/Digits.h"

#include <cmath>

namespace qx::sim {
namespace {

constexpr std::size_t kMaxBeaconText = 40;

const MenuRow* rowFor(int slot)
{
    for (const MenuRow& row : menuDefinition()) {
        if (row.slot == slot)
            return &row;
    }
    return nullptr;
}

int bitWeight(int kind, int position)
{
    return (kind == MenuKind::BandFlags ? 1024 : 32) >> position;
}

bool isBitKind(int kind)
{
    return kind == MenuKind::BandFlags || kind == MenuKind::ModeFlags;
}

bool isListKind(int kind)
{
    return kind == MenuKind::List || MenuKind::isPlainList(kind);
}

bool beaconTextOk(std::string_view text)
{
    if (text.size() > kMaxBeaconText)
        return false;
    // The characters the radio's display has; the program frames beacon
    // answers on exactly these.
    for (char c : text) {
        if ((c < 0x20 || c > 0x5F || c == ';') && c != '{')
            return false;
    }
    return true;
}

std::optional<long long> parseParameter(const MenuRow& row, std::string_view field)
{
    if (static_cast<int>(field.size()) != row.width)
        return std::nullopt;
    if (isBitKind(row.kind)) {
        long long v = 0;
        for (std::size_t j = 0; j < field.size(); ++j) {
            if (field[j] != '0' && field[j] != '1')
                return std::nullopt;
            if (field[j] == '1')
                v += bitWeight(row.kind, static_cast<int>(j));
        }
        return v;
    }
    if (row.kind == MenuKind::Signed)
        return field.front() == '+' || field.front() == '-' ? parseSigned(field) : std::nullopt;
    if (!allDigits(field))
        return std::nullopt;
    return parseSigned(field);
}

bool inRange(const MenuRow& row, long long v)
{
    if (isListKind(row.kind)) {
        const long long index = v - static_cast<long long>(row.min);
        return index >= 0 && index < static_cast<long long>(row.valueTexts.size());
    }
    return v >= 0 || row.kind == MenuKind::Signed;
}

} // namespace

MenuSettings::MenuSettings()
{
    for (const MenuRow& row : menuDefinition()) {
        if (row.slot > 0 && row.slot < static_cast<int>(slots_.size()))
            slots_[static_cast<std::size_t>(row.slot)] = Slot{row.defaultValue, std::string(row.defaultText)};
    }
}

std::optional<std::string> MenuSettings::answer(int slot) const
{
    const MenuRow* row = rowFor(slot);
    if (!row || row->kind == MenuKind::Vacant || row->kind == MenuKind::Dimmer)
        return std::nullopt;
    const Slot& s = slots_[static_cast<std::size_t>(slot)];
    const auto v = static_cast<long long>(std::trunc(s.value));
    std::string field;
    if (row->kind == MenuKind::BeaconText) {
        field = rightAlignedField(1, v) + s.text;
    } else if (isBitKind(row->kind)) {
        for (int j = 0; j < row->width; ++j)
            field += (v & bitWeight(row->kind, j)) != 0 ? '1' : '0';
    } else if (row->kind == MenuKind::Signed) {
        field = std::string(1, v < 0 ? '-' : '+') + rightAlignedField(row->width - 1, v < 0 ? -v : v);
    } else {
        field = rightAlignedField(row->width, v);
    }
    return "EX" + rightAlignedField(3, slot) + field + ";";
}

std::optional<int> MenuSettings::apply(std::string_view params)
{
    if (params.size() < 3 || !allDigits(params.substr(0, 3)))
        return std::nullopt;
    const int slot = static_cast<int>(*parseSigned(params.substr(0, 3)));
    const MenuRow* row = rowFor(slot);
    if (!row || row->kind == MenuKind::Vacant || row->kind == MenuKind::Dimmer)
        return std::nullopt;
    const std::string_view field = params.substr(3);
    Slot& s = slots_[static_cast<std::size_t>(slot)];
    if (row->kind == MenuKind::BeaconText) {
        if (field.empty() || !isDigit(field.front()) || field.front() - '0' > row->max
            || !beaconTextOk(field.substr(1)))
            return std::nullopt;
        s.value = field.front() - '0';
        s.text.assign(field.substr(1));
        return slot;
    }
    const auto v = parseParameter(*row, field);
    if (!v || !inRange(*row, *v))
        return std::nullopt;
    s.value = static_cast<double>(*v);
    return slot;
}

double MenuSettings::value(int slot) const
{
    return slot > 0 && slot < static_cast<int>(slots_.size()) ? slots_[static_cast<std::size_t>(slot)].value : 0;
}

std::string_view MenuSettings::text(int slot) const
{
    return slot > 0 && slot < static_cast<int>(slots_.size()) ? std::string_view(slots_[static_cast<std::size_t>(slot)].text)
                                                             : std::string_view{};
}

int MenuSettings::lineRate() const
{
    static constexpr int kRates[] = {4800, 9600, 19200, 38400};
    const MenuRow* row = rowFor(kCatRateSlot);
    const long long index = static_cast<long long>(value(kCatRateSlot)) - (row ? static_cast<long long>(row->min) : 0);
    return index >= 0 && index < 4 ? kRates[index] : 4800;
}

} // namespace qx::sim
