// Where a CAT code's fields sit in the radio's texts, taken from the CAT
// tables: the answer, read and set lengths, how many selector characters a
// read names (the "0" of "MD0;") and how wide the value after them is.
#pragma once
#include <string_view>

namespace qx::sim {

struct CodeLayout {
    int answerLength = -1;  // -1: the radio has no answer with this code
    int readLength = -1;    // -1: no read command
    int setLength = -1;     // -1: no set command
    int keyLength = 0;      // selector characters after the code
    int valueWidth = 0;     // answer characters after the selector

    bool answers() const { return answerLength > 0; }
};

CodeLayout layoutOf(std::string_view code);

} // namespace qx::sim
