// What the operator is told when a serial device does not open: the device,
// what is wrong, and what to do about it. The texts are built from facts
// gathered from the system (see DeviceFacts.h), so every case can be
// checked without the condition at hand.
#pragma once
#include <string>
#include <vector>

namespace qx {

struct PresentDevice {
    std::string path;  // /dev/ttyUSB0
    std::string byId;  // its name under /dev/serial/by-id, empty when none
};

struct OpenFailure {
    enum class Kind {
        Missing,       // nothing at the path
        NoPermission,  // there, but not ours to open
        Busy,          // held by another program (exclusive use, advisory lock)
        NotSerial,     // a file, folder, FIFO... or a device that is no terminal
        OwnTerminal,   // the terminal this program runs in
        SessionTerminal, // another login session's terminal
        Console,       // a system console
        Other,         // anything else: the system's words
    };
    Kind kind = Kind::Other;
    std::string path;
    std::string systemText;   // Other: strerror
    std::string what;         // NotSerial: what it is instead ("a regular file")

    // NoPermission
    std::string group;                // the device's group, empty when unknown
    bool groupIsRoot = false;         // owned by group root: no group to join
    bool sessionHasGroup = false;     // this process already runs in the group
    bool userListedInGroup = false;   // the user is in the group, but not this login session

    // Busy: "minicom (process 1234)"; empty when the system does not tell.
    std::vector<std::string> holders;
    bool heldHere = false;            // this very program holds it

    // Missing
    std::vector<PresentDevice> present;
};

// "path: reason", the reason in full sentences, several lines at most.
std::string describeOpenFailure(const OpenFailure& f);

// The serial devices present, one per line, for a missing device or port number.
std::string presentDevicesText(const std::vector<PresentDevice>& present);

} // namespace qx
