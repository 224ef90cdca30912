// The decoders of the CAT answers: one per answer row, chosen by the row's
// number. A decoder reads the parameter characters of an answer (the text
// without its ";"), stores the values into the state stores under their
// range rule and reports whether the fields it reads were well-formed. The
// link decoders ("ID", "AI", "PS") also post requests and notifications.
//
// Collaborators: the radio and command state, the menu table (for "DA"),
// the link flags (for "AI") and the outbox, all passed in a DecoderContext.
#pragma once
#include "core/LinkFlags.h"
#include "core/Outbox.h"
#include "menu/MenuTable.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <string_view>

namespace qx {

struct DecoderContext {
    RadioState& radio;
    CommandState& command;
    MenuTable& menu;
    LinkFlags& link;
    Outbox& outbox;
};

// The main-window timer of the power-on connection attempt, stopped when the
// radio turns out to be a model we do not know.
inline constexpr int kConnectAttemptTimer = 37;
// The operator message shown for an unknown model.
inline constexpr int kConnectFailedMessage = 3;

// Decodes `text` with the decoder of answer row `row`. False for a row
// without a decoder ("DS"), a row outside the table, or malformed fields,
// a text too short for the fields included.
bool decodeAnswer(int row, std::string_view text, DecoderContext& ctx);

// Decodes and, when the decoder accepts the text, posts the row's
// notification to the main window. Returns the decoder's result.
bool decodeAndNotify(int row, std::string_view text, DecoderContext& ctx);

// False for the rows whose answers are recognised and ignored.
bool hasDecoder(int row);

} // namespace qx
