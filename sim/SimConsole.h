// The simulator's console: one line of text per operator command, acting on
// the radio's front panel and its faults, and a reply line for each.
#pragma once
#include "sim/SimulatedRadio.h"

#include <string>
#include <string_view>

namespace qx::sim {

class SimConsole {
public:
    explicit SimConsole(SimulatedRadio& radio) : radio_(radio) {}

    // The reply to one console line; "quit" also sets quitRequested().
    std::string execute(std::string_view line);
    bool quitRequested() const { return quit_; }

    static std::string help();
    // Mode code for a name ("USB") or a number (1-12); 0 when neither.
    static int modeCode(std::string_view word);

private:
    std::string status() const;
    std::string faultCommand(std::string_view verb, std::string_view arg);

    SimulatedRadio& radio_;
    bool quit_ = false;
};

} // namespace qx::sim
