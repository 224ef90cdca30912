// Which lines the CAT monitor hides: those whose text begins with one of
// the two-letter codes the operator names, e.g. "RM IF PS AI" to hide the
// polling. Codes are separated by anything that is not a letter; case does
// not matter; words that are not two letters long are ignored.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TrafficFilter {
public:
    TrafficFilter() = default;
    static TrafficFilter parse(std::string_view codes);

    bool hides(std::string_view lineText) const;
    bool empty() const { return codes_.empty(); }
    const std::vector<std::string>& codes() const { return codes_; }

private:
    std::vector<std::string> codes_; // upper case, no repeats
};

} // namespace qx
