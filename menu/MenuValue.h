// Menu values are held as doubles that are meant to be whole numbers; these
// turn them into ints without letting 11.9999997 become 11.
#pragma once

namespace qx {

// The integer part of the value printed with six decimals: 11.9999997 is 12,
// -0.5 is 0. Values beyond the int range saturate; NaN is 0.
int menuInt(double value);

// Truncated toward zero, saturating like menuInt: what the set command sends.
long long truncatedValue(double value);

} // namespace qx
