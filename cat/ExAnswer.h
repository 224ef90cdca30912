// The setup-menu answers ("EX"), which have no answer row: the menu table
// says how wide their parameter is and how it is coded. A change of a menu
// value is announced as UM_ANS_OTHER, and for some kinds also under the
// notification of the panel control that shows it.
#pragma once
#include "cat/AnswerDecoders.h"

#include <cstdint>
#include <string_view>

namespace qx {

// The menu slot named by characters 2 to 4 of an "EX" answer when it lies
// within 1 to the highest menu number; 0 otherwise.
int exAnswerSlot(std::string_view answer, const RadioState& radio);

// The extra notification for a changed entry of `kind`; 0 when there is none.
std::uint32_t exKindNotification(int kind);

// Stores the answer into its menu slot and posts the notifications of a
// change. True when a value changed.
bool decodeExAnswer(std::string_view answer, DecoderContext& ctx);

} // namespace qx
