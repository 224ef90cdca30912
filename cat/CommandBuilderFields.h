// Turns the data rows of a request into the one text it sends: pick the
// first row whose guard passes, then write the fixed characters, the selector
// digit and the field against that row's CAT record.
#pragma once
#include "core/Message.h"
#include "cat/CommandBuilderRows.h"
#include "state/CommandState.h"

#include <optional>
#include <span>
#include <string>

namespace qx {

// The opposite of a stored on/off value; nothing for any other value.
std::optional<int> toggledValue(int stored);

// The radio's AGC code for the panel's setting 0-4; nothing outside.
std::optional<int> agcCode(long long setting);

bool guardPasses(const RequestRow& row, const Message& m, const CommandState& state);

// The text of one row, or nothing when its value cannot be formed (a toggle
// of a value other than 0 or 1) or does not fit its field; for the latter
// `refused`, when given, says what was refused.
std::optional<std::string> composeRow(const RequestRow& row, const Message& m, const CommandState& state,
                                      std::string* refused = nullptr);

// The text of the first row that applies; nothing when none does or when its
// value does not fit (see composeRow).
std::optional<std::string> buildRequestText(std::span<const RequestRow> rows, const Message& m,
                                            const CommandState& state, std::string* refused = nullptr);

} // namespace qx
