// How the CW window compares and shows keyer texts: the radio keeps each
// text at a fixed width, the operator types it without the padding.
#pragma once
#include <string>
#include <string_view>

namespace qx {

// The stored text cut to `width` characters, trailing blanks removed.
std::string keyerTextForField(std::string_view stored, std::size_t width);

// Whether the typed text, zero-filled to `width`, differs from the stored
// text taken the same way.
bool keyerTextDiffers(std::string_view typed, std::string_view stored, std::size_t width);

} // namespace qx
