// One line of the headless runner's command language, parsed:
//   post NAME [SELECTOR] [VALUE]   send TEXT      get ENTRY     menu SLOT
//   wait NAME [MS]                 sleep MS       quit
//   backup FILE [all|none|N|N-M]   compare FILE   restore FILE [NAME...]
//   channels read [N|N-M]   channels export FILE   channels import FILE [--write]
//   channels recall N
// wait takes only the names the console prints (notifications and window
// messages); wait and sleep hold at most kMaxHoldMs.
// Blank lines and lines starting with '#' are nothing to do. FILE and NAME
// may be written in double quotes when they hold blanks ("VOX DLY").
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct ConsoleCommand {
    enum class Verb { None, Post, Send, Get, Menu, Wait, Sleep, Quit, Backup, Compare, Restore, Channels, Invalid };
    enum class ChannelAction { Read, Export, Import, Recall };
    Verb verb = Verb::None;
    std::string name;           // message or entry name; raw text for send; file for backup verbs
    std::int64_t selector = 0;  // post
    std::int64_t value = 0;     // post value, menu slot, wait/sleep milliseconds
    std::string error;          // why a line is Invalid
    std::vector<std::string> names; // restore: the settings to restore; all when empty
    // backup: the memory channels to read; none when firstChannel is 0.
    int firstChannel = 1;
    int lastChannel = 504;
    ChannelAction channelAction = ChannelAction::Read;
    bool writeToRadio = false; // channels import --write

    static constexpr std::int64_t kDefaultWaitMs = 5000;
    // The longest a wait or sleep may hold the console: one hour. Longer
    // values are refused rather than cut short, so a script learns of it.
    static constexpr std::int64_t kMaxHoldMs = 3'600'000;
};

ConsoleCommand parseConsoleLine(std::string_view line);

} // namespace qx
