// A raw CAT text the operator typed (Command Send, the headless `send`),
// made fit for the line or refused with the reason. The radio reads up to
// each ";": a text without its closing ";" would stay on the line and glue
// onto the program's next command ("FA" + "IF;" = "FAIF;"), so the ";" is
// added. Only printable ASCII crosses the line; anything else is refused.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

struct RawCommandText {
    std::string text;    // what goes on the line, when refusal is empty
    std::string refusal; // why nothing goes, for the operator
    bool ok() const { return refusal.empty(); }
};

// The text to send for what was typed, at most maxLength characters with
// the ";" added. Blanks around the text are dropped.
RawCommandText rawCommandText(std::string_view typed, std::size_t maxLength);

} // namespace qx
