#include "serial/TrafficFilter.h"

#include <algorithm>
#include <cctype>

namespace qx {

TrafficFilter TrafficFilter::parse(std::string_view codes)
{
    TrafficFilter f;
    std::string word;
    auto endWord = [&] {
        if (word.size() == 2 && std::find(f.codes_.begin(), f.codes_.end(), word) == f.codes_.end())
            f.codes_.push_back(word);
        word.clear();
    };
    for (char c : codes) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u) && u < 0x80)
            word.push_back(static_cast<char>(std::toupper(u)));
        else
            endWord();
    }
    endWord();
    return f;
}

bool TrafficFilter::hides(std::string_view lineText) const
{
    if (lineText.size() < 2)
        return false;
    const std::string_view code = lineText.substr(0, 2);
    return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

} // namespace qx
