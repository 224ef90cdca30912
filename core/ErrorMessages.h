// The operator error messages that threads raise with UM_SHOW_ERROR (lParam
// is the row), and the texts of the program's string table they show.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

struct ErrorMessageRow {
    bool show;
    int stringId;
};

// The rows by what they report.
inline constexpr long kPortOpenFailedRow = 0;
inline constexpr long kMenuFileFailedRow = 1;
inline constexpr long kSettingsFileFailedRow = 2;
inline constexpr long kConnectFailedRow = 3;

// Not raised through the table: a COM settings file that could not be saved.
inline constexpr int kSettingsSaveFailedString = 122;

inline constexpr std::array<ErrorMessageRow, 5> kErrorMessageTable{{
    {true, 106},
    {false, 107},
    {true, 108},
    {true, 111},
    {true, 121},
}};

// The row raised at a start without a COM settings file (a first start).
inline constexpr long kSettingsMissingRow = kSettingsFileFailedRow;
// The row raised when the transceiver keeps refusing auto-information.
inline constexpr long kAiRefusedRow = 4;

// The operator texts by string id; nothing for an unknown id.
std::optional<std::string_view> operatorText(int stringId);

// The text UM_SHOW_ERROR row `row` shows, or nothing when the row does not
// exist or is never shown.
std::optional<std::string_view> errorMessageText(long row);

// An operator message with what the system said below it (the device and
// its reason, the file and what was wrong with it); the message alone when
// there is no detail.
std::string withDetail(std::string_view message, std::string_view detail);

// The line that names the model an unknown transceiver answered as
// (model < 0: its answer carried no number).
std::string answeredModelText(int model);

} // namespace qx
