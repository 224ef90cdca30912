// The radio's setup menu as built-in data: one row per slot 1-67, from which
// the table is filled at every start.
#pragma once
#include "menu/MenuItem.h"

#include <span>
#include <string_view>

namespace qx {

inline constexpr int kMenuSlotCount = 67;

struct MenuRow {
    constexpr MenuRow(int slot_, int number_, std::string_view name_, std::string_view rangeText_, int kind_,
                      int width_, double defaultValue_, std::string_view units_ = {}, double min_ = 0,
                      double max_ = 0, double step_ = 0, int multiplier_ = 0,
                      std::span<const std::string_view> valueTexts_ = {}, int decimals_ = 0,
                      std::string_view defaultText_ = {})
        : slot(slot_), number(number_), name(name_), rangeText(rangeText_), kind(kind_), width(width_),
          defaultValue(defaultValue_), units(units_), min(min_), max(max_), step(step_), multiplier(multiplier_),
          valueTexts(valueTexts_), decimals(decimals_), defaultText(defaultText_)
    {
    }

    int slot = 0;
    int number = 0;
    std::string_view name;
    std::string_view rangeText;
    int kind = 0;
    int width = 0;
    double defaultValue = 0;
    std::string_view units;
    double min = 0;
    double max = 0;
    double step = 0;
    int multiplier = 0;
    std::span<const std::string_view> valueTexts;
    int decimals = 0;
    std::string_view defaultText;
};

// Rows for slots 1 to kMenuSlotCount, in slot order.
std::span<const MenuRow> menuDefinition();

// A fresh entry with the row's built-in values; everything else zero.
MenuItem makeMenuItem(const MenuRow& row);

// The 52 functions a custom key can be given, by code.
std::span<const std::string_view> customKeyTexts();

} // namespace qx
