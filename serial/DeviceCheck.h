// Whether a name the operator gave for the radio's port (--device, a
// CommoFiles/ports/COMn link) may be used: a serial terminal, or an address
// that a network opener takes. The terminal the program runs in, a console
// and anything that is no terminal are refused with the reason.
#pragma once
#include "serial/OpenFailure.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace qx {

// "scheme://rest": the form of a network address, not a path.
bool isAddressForm(std::string_view device);

// Whether a network opener takes this address ("tcp://host:port", ...).
// Every check of a device name asks here, so the openers' forms are named
// in one place.
bool networkAddressClaimed(std::string_view address);

// Empty when `device` may be tried; otherwise why not, for the operator.
// A path where nothing is yet passes: an adapter may be plugged in later,
// and the open then says what is missing.
std::string deviceRefusal(const std::string& device);

// What is at `path` (its status `st`) when it is no serial port the program
// may open: not a character device, a device the system files under another
// class than terminals (looked up under sysDir), the controlling terminal, a
// console. Decided before any open: opening some devices acts (a watchdog
// starts counting down).
std::optional<OpenFailure> refusedDevice(const std::string& path, const struct stat& st,
                                         const std::filesystem::path& sysDir = "/sys");

} // namespace qx
