#include "sim/CommandFramer.h"

namespace qx::sim {

std::vector<std::string> CommandFramer::feed(std::string_view bytes)
{
    std::vector<std::string> commands;
    for (char c : bytes) {
        pending_ += c;
        if (c == ';' || pending_.size() >= kMaxCommand) {
            commands.push_back(std::move(pending_));
            pending_.clear();
        }
    }
    return commands;
}

} // namespace qx::sim
