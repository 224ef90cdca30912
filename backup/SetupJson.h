// The backup file's text: readable, versioned JSON. Reading checks every
// entry against the menu the program knows and the limits of what the radio
// holds, so a file that would set something the radio cannot take is
// refused whole, with the reason, before anything is sent.
#pragma once
#include "backup/SetupFile.h"

#include <QJsonValue>

#include <optional>
#include <string>
#include <string_view>

namespace qx {

class MenuTable;

inline constexpr std::string_view kSetupFormat = "qx720-setup";

std::string setupToJson(const SetupFile& file);

struct SetupParse {
    std::optional<SetupFile> file;
    std::string error; // why the text was refused, for the operator
};

SetupParse setupFromJson(std::string_view text, const MenuTable& menu);

// The channel block alone, for the channel list's own file: one form of a
// memory channel in every file of the program.
QJsonValue channelBlockToJson(const ChannelRange& range, const std::vector<SavedChannel>& held);
// False with the reason in `error` for a block that is not one or holds a
// channel the radio cannot.
bool channelBlockFromJson(const QJsonValue& block, ChannelRange& range, std::vector<SavedChannel>& held,
                          std::string& error);

} // namespace qx
