#include "core/ErrorMessages.h"

#include <cstdio>
#include <utility>

namespace qx {
namespace {

constexpr std::pair<int, std::string_view> kStrings[] = {
    {106, "Failed to open the port.\nPlease confirm the port connection."},
    {107, "Failed to read the menu configuration file.\nExecute the control program with the default settings."},
    {108, "Failed to read the COM port configuration file.\nExecute the control program with the default settings."},
    {102, "Please enter the operating frequency."},
    {104, "The input range is incorrect."},
    {105, "Please enter the TX command."},
    {109, "Reading the menu setting data now."},
    {110, "Connecting the COM port now."},
    {111, "Failed to connect the COM port."},
    {113, "RCP-720 VERSION  1.10"},
    {114, "Remote-control panel for the QX-720 transceiver."},
    {115, "This channel already exists.\nOverwrite this channel?"},
    {116, "Please enter the storage memory ch."},
    {117, "The entry range is 1-504."},
    {118, "Failed to open the port."},
    {120, "Update the menu setting.\nPlease close and open the menu window."},
    {121, "The transceiver did not turn auto-information on.\nPlease check its CAT settings."},
    {122, "Failed to save the COM port configuration file."},
};

} // namespace

std::optional<std::string_view> operatorText(int stringId)
{
    for (const auto& [id, text] : kStrings)
        if (id == stringId)
            return text;
    return std::nullopt;
}

std::optional<std::string_view> errorMessageText(long row)
{
    if (row < 0 || row >= static_cast<long>(kErrorMessageTable.size()))
        return std::nullopt;
    const auto& r = kErrorMessageTable[static_cast<std::size_t>(row)];
    if (!r.show)
        return std::nullopt;
    return operatorText(r.stringId);
}

std::string withDetail(std::string_view message, std::string_view detail)
{
    std::string text(message);
    if (!detail.empty()) {
        text += "\n\n";
        text += detail;
    }
    return text;
}

std::string answeredModelText(int model)
{
    if (model < 0)
        return "The transceiver's answer carried no model number.";
    char buf[64];
    std::snprintf(buf, sizeof buf, "The transceiver answered as model %04d.", model);
    return buf;
}

} // namespace qx
