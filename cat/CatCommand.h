// Composition of CAT command texts: a row's two letters, the parameter
// characters a builder supplies, and ";" at the row's last position. The row's
// length is the final word on what is sent.
#pragma once
#include "cat/CatRecord.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qx {

// The largest text a command buffer (and a queue slot) can carry.
inline constexpr int kCommandBufferSize = 512;

// Fills field with '0' and writes value in decimal so that its last digit is
// the field's last character. A value with more digits than the field, or a
// negative one (signed fields write their own sign and the magnitude), leaves
// the field all '0'.
void writeRightAligned(std::span<char> field, long long value);

// The same as a string of width characters; empty when width is not positive.
std::string rightAlignedField(int width, long long value);

// The field when the value fits it (0 or more, at most `width` digits), and
// nothing otherwise: a command is refused rather than sent with zeros that
// would set the radio to a value nobody asked for.
std::optional<std::string> fittedField(int width, long long value);

// How a refused value is reported: "refused PC: 1000 does not fit 3 digits".
std::string misfitNote(std::string_view what, long long value, int width);

// Exactly row.length bytes: the code, params from position 2 on, ";" at
// length - 1. Params reaching position length - 1 or beyond are cut off;
// positions params leave unfilled stay NUL, as in the zeroed buffer. A row
// whose length does not fit the buffer gives an empty text.
std::string composeCommand(const CatRecord& row, std::string_view params = {});

} // namespace qx
