// Composition of CAT command texts: a row's two letters, the parameter
// characters a builder supplies, and ";" at the row's last position. The row's
// length is the final word on what is sent.
#pragma once
#include "cat/CatRecord.h"

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

// Whether value can be written into a field of width digits as itself
// (neither negative nor too long).
bool fitsField(int width, long long value);

// Exactly row.length bytes: the code, params from position 2 on, ";" at
// length - 1. Params reaching position length - 1 or beyond are cut off;
// positions params leave unfilled stay NUL, as in the zeroed buffer. A row
// whose length does not fit the buffer gives an empty text.
std::string composeCommand(const CatRecord& row, std::string_view params = {});

} // namespace qx
