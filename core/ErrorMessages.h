// The operator error messages that threads raise with UM_SHOW_ERROR (lParam
// is the row), and the texts of the program's string table they show.
#pragma once
#include <array>
#include <optional>
#include <string_view>

namespace qx {

struct ErrorMessageRow {
    bool show;
    int stringId;
};

inline constexpr std::array<ErrorMessageRow, 5> kErrorMessageTable{{
    {true, 106},
    {false, 107},
    {true, 108},
    {true, 111},
    {true, 121},
}};

// The row raised at a start without a COM settings file (a first start).
inline constexpr long kSettingsMissingRow = 2;
// The row raised when the transceiver keeps refusing auto-information.
inline constexpr long kAiRefusedRow = 4;

// The operator texts by string id; nothing for an unknown id.
std::optional<std::string_view> operatorText(int stringId);

// The text UM_SHOW_ERROR row `row` shows, or nothing when the row does not
// exist or is never shown.
std::optional<std::string_view> errorMessageText(long row);

} // namespace qx
