// The facts an OpenFailure is told from, read from the system: who may
// open a device, who holds it open, what is there instead of a device, and
// which serial devices are present.
#pragma once
#include "serial/OpenFailure.h"

#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

namespace qx {

// The device's group and whether this program or its user is in it.
void addPermissionFacts(OpenFailure& f, const struct stat& st);

// The programs holding the character device `rdev` open, found through the
// descriptors under procDir ("/proc"); other users' processes are seen only
// by root. At most a few are named.
void addHolders(OpenFailure& f, dev_t rdev, const std::filesystem::path& procDir = "/proc");

// Whether the terminal device `rdev` is the controlling terminal of some
// process (a login shell, a getty), from each process's status under procDir.
bool isControllingTerminal(dev_t rdev, const std::filesystem::path& procDir = "/proc");

// The class the system files the character device `rdev` under ("tty",
// "mem", "misc"...), from sysDir ("/sys"); nothing when it is not listed.
std::optional<std::string> characterDeviceClass(dev_t rdev, const std::filesystem::path& sysDir = "/sys");

// "a regular file", "a directory", "a FIFO"... for what is not a terminal.
std::string fileKindText(mode_t mode);

// The serial devices of devDir in COM-number order, with their by-id names.
std::vector<PresentDevice> presentSerialDevices(const std::filesystem::path& devDir = "/dev");

} // namespace qx
