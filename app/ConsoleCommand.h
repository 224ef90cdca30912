// One line of the headless runner's command language, parsed:
//   post NAME [SELECTOR] [VALUE]   send TEXT      get ENTRY     menu SLOT
//   wait NAME [MS]                 sleep MS       quit
// Blank lines and lines starting with '#' are nothing to do.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

struct ConsoleCommand {
    enum class Verb { None, Post, Send, Get, Menu, Wait, Sleep, Quit, Invalid };
    Verb verb = Verb::None;
    std::string name;           // message or entry name; raw text for send
    std::int64_t selector = 0;  // post
    std::int64_t value = 0;     // post value, menu slot, wait/sleep milliseconds
    std::string error;          // why a line is Invalid

    static constexpr std::int64_t kDefaultWaitMs = 5000;
};

ConsoleCommand parseConsoleLine(std::string_view line);

} // namespace qx
